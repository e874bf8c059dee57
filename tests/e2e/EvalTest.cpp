// End-to-end: `ss-host eval` on the sample library, its expected results,
// saving, overrides, and the ways a run fails.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const fs::path kHost = fs::path(SS_BINARY_DIR) / "bin" / "ss-host";
const fs::path kLibrary = fs::path(SS_SOURCE_DIR) / "examples" / "library";
const fs::path kDrawing = kLibrary / "Macros" / "Connections.json";

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string quoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct Outcome {
  int code = -1;
  std::string out, err;
};

class EvalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp = fs::temp_directory_path() /
           ("ss-eval-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(temp);
    fs::create_directories(temp);
  }
  void TearDown() override { fs::remove_all(temp); }

  Outcome ssHost(const std::vector<std::string>& args) {
    std::string command = quoted(kHost.string());
    for (const std::string& a : args) command += " " + quoted(a);
    command += " >" + quoted((temp / "out").string()) + " 2>" + quoted((temp / "err").string());
    Outcome r;
    int status = std::system(command.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(temp / "out");
    r.err = slurp(temp / "err");
    return r;
  }
  // A copy of the sample library to change.
  fs::path libraryCopy() {
    fs::path copy = temp / "library";
    fs::copy(kLibrary, copy, fs::copy_options::recursive);
    return copy;
  }

  fs::path temp;
};

// Sheet results by macro and variable: the "after" values.
std::map<std::string, std::map<std::string, std::string>> afterValues(const json& report) {
  std::map<std::string, std::map<std::string, std::string>> values;
  for (const json& m : report["macros"])
    for (const json& s : m["sheets"])
      for (const json& v : s["variables"])
        values[m["macro"].get<std::string>()][v["name"].get<std::string>()] = v["after"];
  return values;
}

TEST_F(EvalTest, TheSampleDrawingGivesTheDocumentedResults) {
  Outcome r = ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  json report = json::parse(r.out);
  auto values = afterValues(report);
  const std::map<std::string, std::map<std::string, std::string>> expected = {
      {"EP-101",
       {{"PlateThickness", "15"},
        {"PlateWidth", "180"},
        {"PlateHeight", "320"},
        {"BoltDiameter", "20"},
        {"HoleClearance", "2"},
        {"BoltRows", "3"},
        {"BoltLines", "2"},
        {"BoltPitch", "100"},
        {"BoltGauge", "80"},
        {"FirstRow", "60"},
        {"BeamCutBack", "15"}}},
      {"EP-102",
       {{"PlateThickness", "20"},
        {"PlateWidth", "220"},
        {"PlateHeight", "470"},
        {"BoltDiameter", "24"},
        {"HoleClearance", "2"},
        {"BoltRows", "5"},
        {"BoltLines", "2"},
        {"BoltPitch", "85"},
        {"BoltGauge", "90"},
        {"FirstRow", "65"},
        {"BeamCutBack", "20"}}},
      {"FP-201",
       {{"PlateThickness", "10"},
        {"PlateWidth", "100"},
        {"PlateLength", "210"},
        {"PlateTop", "55"},
        {"PlateMark", "FL100x10"},
        {"BoltDiameter", "20"},
        {"HoleClearance", "2"},
        {"NrBolts", "3"},
        {"BoltPitch", "70"},
        {"FirstBolt", "35"},
        {"BoltEndDist", "40"},
        {"CopeDepth", "45"},
        {"CopeLength", "95"}}},
      {"BP-301",
       {{"Thickness", "25"},
        {"Length", "380"},
        {"Width", "280"},
        {"Plate.MemberName", "BP380x280x25"},
        {"AnchorPattern.NrBolts1", "2"},
        {"AnchorPattern.NrBolts2", "2"},
        {"Anchors.Diameter", "20"},
        {"Anchors.HoleOffset", "6"},
        {"GaugeLength", "300"},
        {"GaugeWidth", "200"},
        {"Corners.Chamfer1", "15"},
        {"Corners.Chamfer2", "15"},
        {"GroutGap", "30"},
        {"gen.BasePlateThickness", "25"}}},
  };
  for (const auto& [macro, vars] : expected)
    for (const auto& [name, value] : vars)
      EXPECT_EQ(values[macro][name], value) << macro << " " << name;
  // Before the run the drawing held its stale values.
  const json& first = report["macros"][0]["sheets"][0];
  EXPECT_EQ(first["sheet"], "EndPlate");
  EXPECT_EQ(first["object"], "Q7mTz2KcR9wLx4VbN8jHd3Fs");
  for (const json& v : first["variables"]) {
    if (v["name"] == "PlateThickness") {
      EXPECT_EQ(v["before"], "12");
    }
    if (v["name"] == "BeamDepth") {
      EXPECT_EQ(v["kind"], "Local");
      EXPECT_EQ(v["type"], "Double");
    }
  }
}

TEST_F(EvalTest, TheTableShowsEachSheetAndMarksChangedValues) {
  Outcome r = ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "FP-201"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Macro FP-201\n  Sheet FinPlate (d4XwP9sLq2ZbT6nRk8YcJ3Vm): ok\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("variable         kind    type    before  after"), std::string::npos);
  EXPECT_NE(r.out.find("PlateMark        Output  String  FL80x8  FL100x10  *\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Shear            Input   Double  120     120\n"), std::string::npos);
  EXPECT_EQ(r.out.find("Macro EP-101"), std::string::npos);
}

TEST_F(EvalTest, ASavedDrawingHoldsTheResultsAndASecondRunChangesNothing) {
  fs::path saved = temp / "after.json";
  Outcome r = ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "--output",
                      saved.string(), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(json::parse(r.out)["saved"], saved.string());
  json drawing = json::parse(slurp(saved));
  const json& ep101 = drawing["macros"][0];
  EXPECT_EQ(ep101["modules"][0]["variables"][0]["value"], 15.0);  // EndPlate Thickness
  EXPECT_EQ(ep101["modules"][1]["patterns"][0]["reverseStart1"], true);
  const json& bp301 = drawing["macros"][3];
  for (const json& g : bp301["generalVariables"])
    if (g["name"] == "gen_BasePlateThickness") {
      EXPECT_EQ(g["value"], 25.0);
    }

  Outcome again = ssHost({"--library", kLibrary.string(), "eval", saved.string(), "--json"});
  ASSERT_EQ(again.code, 0) << again.err;
  json second = json::parse(again.out);
  int outputs = 0;
  for (const json& m : second["macros"])
    for (const json& v : m["sheets"][0]["variables"]) {
      if (v["kind"] != "Output") continue;
      ++outputs;
      EXPECT_EQ(v["before"], v["after"]) << m["macro"] << " " << v["name"];
    }
  EXPECT_EQ(outputs, 12 + 12 + 13 + 14);
}

TEST_F(EvalTest, RunningTheSameStandardsTwiceLeavesTheDrawingAsTheFirstRunLeftIt) {
  // The sample library, and a copy whose end plate leaves StartAtTop (an
  // Output bound to a reverse-start flag) as the macro has it.
  fs::path leaving = libraryCopy();
  fs::path sheet = leaving / "Connection Standards" / "EndPlate.kvs";
  std::string text = slurp(sheet);
  size_t at = text.find("StartAtTop = 1\n");
  ASSERT_NE(at, std::string::npos);
  text.erase(at, std::string("StartAtTop = 1\n").size());
  std::ofstream(sheet, std::ios::binary) << text;

  for (const fs::path& library : {kLibrary, leaving}) {
    SCOPED_TRACE(library.string());
    fs::path copy = temp / "Connections.json";
    fs::copy_file(kDrawing, copy, fs::copy_options::overwrite_existing);
    std::vector<std::string> runs;
    for (int run = 0; run < 3; ++run) {
      Outcome r =
          ssHost({"--library", library.string(), "eval", copy.string(), "EP-101", "--save"});
      ASSERT_EQ(r.code, 0) << r.err;
      runs.push_back(slurp(copy));
    }
    EXPECT_EQ(runs[1], runs[0]);
    EXPECT_EQ(runs[2], runs[0]);
    // The sample sets the flag; the other sheet keeps the drawing's (clear).
    EXPECT_EQ(json::parse(runs[2])["macros"][0]["modules"][1]["patterns"][0]["reverseStart1"],
              library == kLibrary);
  }
}

TEST_F(EvalTest, SaveWritesTheDrawingItselfAndAnOverrideChangesTheResult) {
  fs::path copy = temp / "Connections.json";
  fs::copy_file(kDrawing, copy);
  Outcome r = ssHost({"--library", kLibrary.string(), "eval", copy.string(), "EP-101", "--save",
                      "--set", "gen_PlateOverhang=20", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  auto values = afterValues(json::parse(r.out));
  EXPECT_EQ(values["EP-101"]["Overhang"], "20");
  EXPECT_EQ(values["EP-101"]["PlateHeight"], "340");
  json drawing = json::parse(slurp(copy));
  EXPECT_EQ(drawing["macros"][0]["generalVariables"][0]["value"], 20.0);
  EXPECT_EQ(drawing["macros"][0]["modules"][0]["variables"][2]["value"], 340.0);
  EXPECT_EQ(drawing["macros"][1]["modules"][0]["variables"][2]["value"],
            450.0);  // EP-102 untouched
}

TEST_F(EvalTest, OneSheetByNameWithItsKey) {
  Outcome r = ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "EP-102",
                      "--sheet", "EndPlate", "--object", "Q7mTz2KcR9wLx4VbN8jHd3Fs", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(afterValues(json::parse(r.out))["EP-102"]["BoltRows"], "5");
  // Without --object the macro's own attachment gives the key; a macro
  // without the sheet is an error.
  r = ssHost(
      {"--library", kLibrary.string(), "eval", kDrawing.string(), "EP-102", "--sheet", "EndPlate"});
  EXPECT_EQ(r.code, 0) << r.err;
  r = ssHost(
      {"--library", kLibrary.string(), "eval", kDrawing.string(), "FP-201", "--sheet", "EndPlate"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("--object"), std::string::npos) << r.err;
  // Without MACRO the sheet runs on the macros that have it attached.
  r = ssHost(
      {"--library", kLibrary.string(), "eval", kDrawing.string(), "--sheet", "FinPlate", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(json::parse(r.out)["macros"].size(), 1u);
}

TEST_F(EvalTest, AFailedRunSaysWhyAndTheDrawingIsNotWritten) {
  fs::path library = libraryCopy();
  fs::path sheet = library / "Connection Standards" / "FinPlate.kvs";
  std::string text = slurp(sheet);
  text.replace(text.find("\nCalc\n"), 6, "\nCalcs\n");
  std::ofstream(sheet, std::ios::binary) << text;
  fs::path copy = temp / "Connections.json";
  fs::copy_file(kDrawing, copy);
  std::string before = slurp(copy);
  Outcome r = ssHost({"--library", library.string(), "eval", copy.string(), "--save"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("FP-201, FinPlate failed: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no \"Calc\" label"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("not written"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("Sheet FinPlate (d4XwP9sLq2ZbT6nRk8YcJ3Vm): FAILED: "), std::string::npos);
  EXPECT_NE(r.out.find("Sheet EndPlate (Q7mTz2KcR9wLx4VbN8jHd3Fs): ok"), std::string::npos);
  EXPECT_EQ(slurp(copy), before);
}

TEST_F(EvalTest, DiagnosticsShowOnStandardErrorWhenAskedFor) {
  fs::path library = libraryCopy();
  fs::path sheet = library / "Connection Standards" / "FinPlate.kvs";
  std::ofstream(sheet, std::ios::app | std::ios::binary) << "Nothing = 1\n";
  Outcome quiet = ssHost({"--library", library.string(), "eval", kDrawing.string(), "FP-201"});
  // The failed equation makes the run not clean, with or without --messages.
  EXPECT_EQ(quiet.code, 4) << quiet.err;
  EXPECT_EQ(quiet.err.find("The following equation failed"), std::string::npos) << quiet.err;
  Outcome loud =
      ssHost({"--library", library.string(), "eval", kDrawing.string(), "FP-201", "--messages"});
  EXPECT_EQ(loud.code, quiet.code) << loud.err;
  EXPECT_NE(loud.err.find("The following equation failed:\nNothing = 1\n"), std::string::npos)
      << loud.err;
}

TEST_F(EvalTest, AMappedVariableNoModuleHoldsIsADiagnostic) {
  fs::path library = libraryCopy();
  fs::path map = library / "Connection Standards" / "EndPlate.map";
  std::string text = slurp(map);
  size_t at = text.find("Distance Thickness");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 18, "Distance Thicknes");
  std::ofstream(map, std::ios::binary) << text;
  Outcome r =
      ssHost({"--library", library.string(), "eval", kDrawing.string(), "EP-101", "--messages"});
  EXPECT_NE(r.err.find("couldn't be set : \nPlateThickness\nMake sure the variable exists"),
            std::string::npos)
      << r.err;
}

TEST_F(EvalTest, AMappingFileReSavedInUtf8BindsAsBefore) {
  fs::path library = libraryCopy();
  fs::path map = library / "Connection Standards" / "EndPlate.map";
  std::string utf8;
  for (char c : slurp(map)) {
    if (c == '\x83')
      utf8 += "\xC6\x92";
    else if (c == '\x95')
      utf8 += "\xE2\x80\xA2";
    else if (c == '\xBF')
      utf8 += "\xC2\xBF";
    else
      utf8 += c;
  }
  std::ofstream(map, std::ios::binary) << utf8;
  Outcome sample = ssHost({"--library", kLibrary.string(), "eval", kDrawing.string(), "EP-101",
                           "--json", "--messages"});
  Outcome resaved = ssHost(
      {"--library", library.string(), "eval", kDrawing.string(), "EP-101", "--json", "--messages"});
  ASSERT_EQ(sample.code, 0) << sample.err;
  ASSERT_EQ(resaved.code, 0) << resaved.err;
  EXPECT_EQ(resaved.err, sample.err);
  auto values = afterValues(json::parse(resaved.out));
  EXPECT_EQ(values, afterValues(json::parse(sample.out)));
  EXPECT_EQ(values["EP-101"]["PlateThickness"], "15");
}

TEST_F(EvalTest, UsageErrorsAndHelp) {
  const std::string lib = kLibrary.string(), drawing = kDrawing.string();
  EXPECT_EQ(ssHost({"--library", lib, "eval"}).code, 2);
  EXPECT_EQ(ssHost({"eval", drawing}).code, 2);
  EXPECT_EQ(ssHost({"--library", lib, "eval", drawing, "--bogus"}).code, 2);
  EXPECT_EQ(ssHost({"--library", lib, "eval", drawing, "--set", "novalue"}).code, 2);
  EXPECT_EQ(ssHost({"--library", lib, "eval", drawing, "--save", "--output", "x"}).code, 2);
  EXPECT_EQ(ssHost({"--library", lib, "eval", drawing, "EP-101", "extra"}).code, 2);
  Outcome missing = ssHost({"--library", lib, "eval", drawing, "NoSuchMacro"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("no macro \"NoSuchMacro\""), std::string::npos);
  EXPECT_EQ(ssHost({"--library", lib, "eval", (temp / "none.json").string()}).code, 1);
  Outcome help = ssHost({"eval", "--help"});
  EXPECT_EQ(help.code, 0);
  for (const char* word :
       {"--sheet", "--object", "--set", "--messages", "--save", "--output", "--json", "Exit codes"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

}  // namespace
