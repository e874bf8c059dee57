// `ss-host macro`, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int code = -1;
  std::string out, err;
};

std::string slurp(const fs::path& p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Outcome ssHost(const std::string& args) {
  fs::path dir = fs::temp_directory_path() / ("ss-macro-cmd-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string cmd = std::string("cd '") + SS_SOURCE_DIR + "' && '" + SS_BINARY_DIR +
                    "/bin/ss-host' " + args + " >'" + (dir / "out").string() + "' 2>'" +
                    (dir / "err").string() + "'";
  int status = std::system(cmd.c_str());
  Outcome r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = slurp(dir / "out");
  r.err = slurp(dir / "err");
  fs::remove_all(dir);
  return r;
}

TEST(MacroCommand, ListsTheMacrosOfADrawing) {
  Outcome r = ssHost("macro list examples/drawings/example.json");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("examples/drawings/example.json: 2 macros"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("EP-1         Endplate     modules 4, base profiles 2, standards 2"),
            std::string::npos)
      << r.out;
}

TEST(MacroCommand, ShowsEveryValueAsTheSheetsSeeIt) {
  Outcome r = ssHost("--library examples/library macro show examples/drawings/example.json ep-1");
  EXPECT_EQ(r.code, 0) << r.err;
  for (const char* line :
       {"  2. Childs/BoltGroup -> Module.Bolts\n", "  GenVar gen_Height                  = 300\n",
        "  MemberSectionSize Prof1;0          = 300  (h)\n",
        "Group Plates (modules Plate, Stiffener):\n",
        "  Distance Height                    = 360  (visible, not settable)\n",
        "  CutLengthOffset Cut1               = 5\n", "  PatternReverseStart2 Pattern1      = 1\n",
        "  OwnedMemberName Column             = St\xC3\xBCtze 1\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

TEST(MacroCommand, ClearErrorsAndExitCodes) {
  Outcome missing = ssHost("macro show examples/drawings/example.json Nope");
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "ss-host macro: examples/drawings/example.json has no macro \"Nope\"\n");
  Outcome unreadable = ssHost("macro list examples/drawings/none.json");
  EXPECT_EQ(unreadable.code, 1);
  EXPECT_NE(unreadable.err.find("examples/drawings/none.json"), std::string::npos);
  Outcome bad = ssHost("macro lst x");
  EXPECT_EQ(bad.code, 2);
  Outcome help = ssHost("macro --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("Usage: ss-host [options] macro list DRAWING"), std::string::npos);
}

}  // namespace
