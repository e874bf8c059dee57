// End-to-end: the built ss-host, run as a user runs it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/HostRun.h"

namespace fs = std::filesystem;

namespace {
const fs::path kBin = SS_BINARY_DIR "/bin";
const fs::path kSource = SS_SOURCE_DIR;

using e2e::Outcome;

std::string readFile(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class SsHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp = fs::temp_directory_path() /
           ("ss-host-e2e-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(temp);
    fs::create_directories(temp);
  }
  void TearDown() override { fs::remove_all(temp); }

  Outcome run(const fs::path& program, const std::vector<std::string>& args) {
    return e2e::runProgram(program, args, temp);
  }
  Outcome ssHost(const std::vector<std::string>& args) { return run(kBin / "ss-host", args); }

  // A folder with a copy of ss-host beside some of the libraries it loads.
  fs::path hostWithout(const std::set<std::string>& missing) {
    fs::path dir = temp / "bin";
    fs::create_directories(dir);
    fs::copy_file(kBin / "ss-host", dir / "ss-host");
    for (const auto& entry : fs::directory_iterator(kBin)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".so") != std::string::npos && !missing.count(name))
        fs::create_symlink(entry.path(), dir / name);
    }
    return dir / "ss-host";
  }

  fs::path temp;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The commands registered in the sources, by their SSHOST_COMMAND lines.
std::vector<std::string> registeredCommands() {
  std::vector<std::string> names;
  const std::regex registration(R"(SSHOST_COMMAND\(\{?\s*"([a-z0-9-]+)\")");
  for (const auto& entry : fs::directory_iterator(kSource / "apps/ss-host/commands")) {
    const std::string text = readFile(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), registration), end; it != end; ++it)
      names.push_back((*it)[1]);
  }
  return names;
}

TEST_F(SsHostTest, HelpListsEveryCommand) {
  Outcome r = ssHost({"--help"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "Usage: ss-host [options] COMMAND")) << r.out;
  EXPECT_TRUE(contains(r.out, "--library DIR"));
  const std::vector<std::string> commands = registeredCommands();
  ASSERT_FALSE(commands.empty());
  for (const std::string& name : commands)
    EXPECT_TRUE(std::regex_search(r.out, std::regex("\n  " + name + "\\b[^\n]*  \\S")))
        << name << " missing from:\n"
        << r.out;
}

TEST_F(SsHostTest, UsageErrorsExitWithTwoAndSayWhy) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--bogus", "info"}, "unknown option '--bogus'"},
      {{}, "no command given"},
      {{"--library"}, "option '--library' needs a value"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"info", "extra"}, "unexpected argument 'extra'"},
      // The window's own options mean nothing to a command.
      {{"--drawing", "d.json", "info"}, "option '--drawing' needs --gui"},
      {{"--gui", "--command"}, "option '--command' needs a value"},
  };
  for (const Case& c : cases) {
    Outcome r = ssHost(c.args);
    EXPECT_EQ(r.code, 2) << c.message;
    EXPECT_TRUE(contains(r.err, c.message)) << r.err;
  }
}

TEST_F(SsHostTest, Version) {
  Outcome r = ssHost({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(std::regex_search(r.out, std::regex(R"(^ss-host \d+\.\d+)"))) << r.out;
}

TEST_F(SsHostTest, InfoShowsTheLoadedModuleAndItsEntryPoints) {
  Outcome r = ssHost({"--library", (kSource / "examples/library").string(), "info"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "Module: " + fs::canonical(kBin / "libSS.so").string())) << r.out;
  for (const char* part :
       {"  acrxEntryPoint\n", "  StartDlgStandardsSS(KvDlgStandardsData&)\n",
        "  DestroyAllMacroDlgs()\n", "  gLoadFile\n", "Data classes (", "Library folder: "})
    EXPECT_TRUE(contains(r.out, part)) << part;
  EXPECT_EQ(r.err, "");
}

TEST_F(SsHostTest, InfoListsWhatTheLibraryFolderHolds) {
  fs::path lib = temp / "lib";
  for (const char* file : {"Connection Standards/FinPlate.kvs", "Connection Standards/FinPlate.map",
                           "prof/IPE.pr", "Cutting Stock/Plates/list.shp"}) {
    fs::create_directories((lib / file).parent_path());
    std::ofstream(lib / file) << "x";
  }
  Outcome r = ssHost({"--library=" + lib.string(), "info"});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* part :
       {"Standards sheets in \"Connection Standards\" (1):\n  FinPlate.kvs\n",
        "Mapping files in \"Connection Standards\" (1):\n  FinPlate.map\n",
        "Section tables in \"prof\" (1):\n  IPE.pr\n",
        "Dialog templates: none (no folder \"Dialog Templates/Dialog Design\")\n",
        "Cutting-stock lists in \"Cutting Stock\" (1):\n  Plates/list.shp\n"})
    EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
}

TEST_F(SsHostTest, InfoOnAMissingLibraryFolderFails) {
  Outcome r = ssHost({"--library", (temp / "nowhere").string(), "info"});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(contains(r.err, "nowhere/' does not exist")) << r.err;
}

TEST_F(SsHostTest, CommandHelp) {
  Outcome r = ssHost({"info", "--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_TRUE(contains(r.out, "Usage: ss-host [options] info")) << r.out;
}

TEST_F(SsHostTest, AMissingLibraryFailsWithTheLoadersReason) {
  Outcome r = run(hostWithout({"libSS.so"}), {"info"});
  EXPECT_EQ(r.code, 3);
  EXPECT_TRUE(contains(r.err, "cannot load ")) << r.err;
  EXPECT_TRUE(contains(r.err, "libSS.so: cannot open shared object file")) << r.err;
}

TEST_F(SsHostTest, GuiWithoutItsLibraryFails) {
  Outcome r = run(hostWithout({"libsshost-gui.so"}), {"--gui"});
  EXPECT_EQ(r.code, 3);
  EXPECT_TRUE(contains(r.err, "libsshost-gui.so")) << r.err;
}

TEST_F(SsHostTest, ABadConfigurationFileIsAUsageError) {
  Outcome r = ssHost({"--config", (temp / "none.cfg").string(), "info"});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(contains(r.err, "none.cfg")) << r.err;
}
}  // namespace

TEST_F(SsHostTest, CspPlansTheSampleListsOfEveryGroup) {
  Outcome r = ssHost({"--library", (kSource / "examples/library").string(), "csp"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* part :
       {"Group \"Beams\"", "Group \"Columns\"", "HEA200 (saw cut 3 mm, column generation)",
        "mm shop bar: ", "| offcut ", "LP bound ", "Totals: bars "})
    EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;

  r = ssHost({"csp", (kSource / "examples/library/Cutting Stock/Columns").string(), "--json",
              "--saw-cut", "0"});
  EXPECT_EQ(r.code, 0) << r.err;
  for (const char* part : {"\"profile\": \"HEB300\"", "\"sawCut\": 0.0", "\"lowerBound\": {",
                           "\"source\": \"purchase\"", "\"faults\": []"})
    EXPECT_TRUE(contains(r.out, part)) << part << "\n" << r.out;
}

TEST_F(SsHostTest, CspNamesBadLinesAndReportsPiecesItCannotPlace) {
  fs::path group = temp / "Bad";
  fs::create_directories(group);
  std::ofstream(group / "Parts1.cut") << "HEA200\xBF"
                                         "2900\xBF"
                                         "2\xBF"
                                         "B1\n"
                                      << "HEA200\xBF"
                                         "2900\n"
                                      << "HEA200\xBF"
                                         "13000\xBF"
                                         "1\xBF"
                                         "LONG\n"
                                      << "HEA200\xBF"
                                         "1000\xBF"
                                         "1.5\n";
  std::ofstream(group / "Stock1.shp") << "HEA200\xBF"
                                         "12000\xBF"
                                         "1\n";
  Outcome r = ssHost({"csp", group.string()});
  EXPECT_EQ(r.code, 1);
  const std::string file = (group / "Parts1.cut").string();
  for (const std::string& part :
       {file + ": line 2: a short line", file + ": line 4: the count \"1.5\" is not a whole number",
        file + ": line 3: the piece of 13000 mm is longer than every stock length of HEA200"})
    EXPECT_TRUE(contains(r.err, part)) << part << "\n" << r.err;
  EXPECT_TRUE(contains(r.out, "not placed: 1 x 13000 LONG: longer than every stock length"))
      << r.out;
  EXPECT_TRUE(contains(r.out, "1 x 12000 mm shop bar: 2 x 2900 B1")) << r.out;

  EXPECT_EQ(ssHost({"csp", group.string(), "--saw-cut", "-1"}).code, 2);
  EXPECT_EQ(ssHost({"csp", (temp / "missing.cut").string()}).code, 1);
}
