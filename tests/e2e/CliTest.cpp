// End-to-end: what a standards author meets on the command line: honest
// results, the mapping command, messages for common mistakes, calc on
// standards sheets, output that cannot be written.
#include <nlohmann/json.hpp>
#include <regex>
#include <set>

#include "tests/e2e/HostRun.h"

using nlohmann::json;

namespace e2e {
namespace {

const std::string kFinKey = "d4XwP9sLq2ZbT6nRk8YcJ3Vm";

fs::path finPlate(const fs::path& library) {
  return library / "Connection Standards" / "FinPlate.kvs";
}

void replaceIn(const fs::path& file, const std::string& from, const std::string& to) {
  std::string text = slurp(file);
  size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  spit(file, text);
}

const json* sheetOf(const json& report, const std::string& macro) {
  for (const json& m : report["macros"])
    if (m["macro"] == macro) return &m["sheets"][0];
  return nullptr;
}

const json* variableOf(const json& sheet, const std::string& name) {
  for (const json& v : sheet["variables"])
    if (v["name"] == name) return &v;
  return nullptr;
}

// --- the run's diagnostics --------------------------------------------------

class Diagnostics : public HostTest {
 protected:
  // A sheet whose last equation fails; the engine reports it on the run's record.
  fs::path failingEquation() {
    fs::path library = libraryCopy();
    std::ofstream(finPlate(library), std::ios::app | std::ios::binary) << "Nothing = 1\n";
    return library;
  }
};

TEST_F(Diagnostics, AFailedEquationMakesTheRunNotCleanInTableJsonAndExitCode) {
  fs::path library = failingEquation();
  Outcome json1 = inLibrary(library, {"eval", kDrawing.string(), "FP-201", "--json"});
  EXPECT_EQ(json1.code, 4) << json1.err;
  json report = json::parse(json1.out);
  const json& sheet = *sheetOf(report, "FP-201");
  EXPECT_EQ(sheet["ok"], false);
  EXPECT_EQ(sheet["status"], "diagnostics");
  ASSERT_GE(sheet["diagnostics"].size(), 1u);
  EXPECT_EQ(sheet["diagnostics"][0]["kind"], "equation");
  EXPECT_EQ(report["diagnostics"], sheet["diagnostics"].size());

  // Without --messages the table still lists them, and the status counts them.
  Outcome table = inLibrary(library, {"eval", kDrawing.string(), "FP-201"});
  EXPECT_EQ(table.code, 4);
  EXPECT_TRUE(contains(table.out, "(" + kFinKey + "): NOT CLEAN: 1 diagnostic\n")) << table.out;
  EXPECT_TRUE(contains(table.out, "    ! equation, row 68: Nothing = 1 failed\n")) << table.out;
  EXPECT_FALSE(contains(table.out, "): ok\n")) << table.out;
}

TEST_F(Diagnostics, SaveRefusesARunWithDiagnosticsUnlessForced) {
  fs::path library = failingEquation();
  fs::path drawing = drawingCopy();
  const std::string before = slurp(drawing);
  Outcome r = inLibrary(library, {"eval", drawing.string(), "FP-201", "--save"});
  EXPECT_EQ(r.code, 4);
  EXPECT_TRUE(contains(r.err, "not written")) << r.err;
  EXPECT_TRUE(contains(r.err, "--force")) << r.err;
  EXPECT_TRUE(slurp(drawing) == before) << "written";

  Outcome forced = inLibrary(library, {"eval", drawing.string(), "FP-201", "--save", "--force"});
  EXPECT_EQ(forced.code, 4);
  EXPECT_TRUE(contains(forced.out, "Saved " + drawing.string())) << forced.out;
  EXPECT_FALSE(slurp(drawing) == before) << "not written";
}

TEST_F(Diagnostics, AMissingDataFileIsADiagnostic) {
  fs::path library = libraryCopy();
  fs::remove(library / "Connection Standards" / "Data" / "SteelGrades.txt");
  Outcome r = inLibrary(library, {"eval", kDrawing.string(), "FP-201", "--json"});
  EXPECT_EQ(r.code == 4 || r.code == 1, true) << r.code << r.err;
  EXPECT_TRUE(contains(r.out, "\"kind\": \"data-file\"")) << r.out;
}

TEST_F(Diagnostics, AnUnboundVariableAndAnInputThatReadNothingAreDiagnostics) {
  fs::path library = libraryCopy();
  // The line binds "Sheer", which the sheet does not declare; its Input Shear reads nothing.
  replaceIn(library / "Connection Standards" / "FinPlate.map", "Shear\x83", "Sheer\x83");
  Outcome r = inLibrary(library, {"eval", kDrawing.string(), "FP-201", "--json"});
  EXPECT_EQ(r.code, 4) << r.err;
  const json report = json::parse(r.out);
  const json& sheet = *sheetOf(report, "FP-201");
  bool shear = false;
  for (const json& d : sheet["diagnostics"]) shear = shear || d["variable"] == "Shear";
  EXPECT_TRUE(shear) << sheet["diagnostics"].dump(1);
}

TEST_F(Diagnostics, AKeyWithoutItsMappingLineIsNotCleanAndNotSaved) {
  fs::path drawing = drawingCopy();
  const std::string before = slurp(drawing);
  Outcome r = inLibrary(kLibrary, {"eval", drawing.string(), "EP-101", "--sheet", "EndPlate",
                                   "--object", "NoSuchKey", "--save"});
  EXPECT_EQ(r.code, 4) << r.err;
  EXPECT_TRUE(contains(r.out, "(NoSuchKey): NOT CLEAN: ")) << r.out;
  EXPECT_TRUE(contains(r.out, "\n    ! unbound")) << r.out;
  EXPECT_TRUE(contains(r.err, "not written: the runs had ")) << r.err;
  EXPECT_TRUE(slurp(drawing) == before) << "written";
}

TEST_F(Diagnostics, ACleanRunExitsWithZeroAndSaysOk) {
  Outcome r = inLibrary(kLibrary, {"eval", kDrawing.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_FALSE(contains(r.out, "NOT CLEAN")) << r.out;
  Outcome help = ssHost({"eval", "--help"});
  EXPECT_TRUE(contains(help.out, "4 the runs completed with diagnostics")) << help.out;
  EXPECT_TRUE(contains(help.out, "--force"));
  EXPECT_EQ(inLibrary(kLibrary, {"eval", kDrawing.string(), "--force"}).code, 2);
}

// --- the "*" mark and the before column -------------------------------------

TEST_F(HostTest, OnlyValuesTheRunChangedInTheMacroAreMarked) {
  fs::path library = libraryCopy();
  // PlateTop's result goes to a text value the macro cannot take for a number.
  replaceIn(library / "Connection Standards" / "FinPlate.map",
            "PlateTop\x83"
            "FinPlate\x95"
            "Distance TopOffset",
            "PlateTop\x83\x95PrPlName Prof9");
  Outcome r = inLibrary(library, {"eval", kDrawing.string(), "FP-201", "--json"});
  ASSERT_TRUE(r.code == 0 || r.code == 4) << r.err;
  const json report = json::parse(r.out);
  const json& sheet = *sheetOf(report, "FP-201");
  for (const json& v : sheet["variables"]) {
    if (v["kind"] != "Output") {
      EXPECT_FALSE(v["changed"].get<bool>()) << v.dump();
    } else if (v["before"].is_string() && v["before"] != v["after"]) {
      EXPECT_TRUE(v["changed"].get<bool>()) << v.dump();
    }
  }
  EXPECT_FALSE((*variableOf(sheet, "PlateTop"))["changed"].get<bool>());
  Outcome table = inLibrary(library, {"eval", kDrawing.string(), "FP-201"});
  EXPECT_TRUE(std::regex_search(table.out, std::regex("PlateTop +Output +Double +\\? +55\n")))
      << table.out;
  EXPECT_TRUE(std::regex_search(table.out, std::regex("BeamDepth +Local +Double +300\n")))
      << table.out;
}

TEST_F(HostTest, OverridesShowTheValueUsedAndUnknownNamesAreRefused) {
  Outcome r = inLibrary(
      kLibrary, {"eval", kDrawing.string(), "EP-101", "--set", "gen_PlateOverhang=20", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  const json report = json::parse(r.out);
  const json& overhang = *variableOf(*sheetOf(report, "EP-101"), "Overhang");
  EXPECT_EQ(overhang["before"], "20");
  EXPECT_EQ(overhang["after"], "20");
  EXPECT_FALSE(overhang["changed"].get<bool>());

  Outcome unknown = inLibrary(kLibrary, {"eval", kDrawing.string(), "--set", "gen_Nope=5"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_TRUE(contains(unknown.err, "gen_Nope")) << unknown.err;
  Outcome text = inLibrary(kLibrary, {"eval", kDrawing.string(), "--set", "gen_PlateOverhang=x"});
  EXPECT_EQ(text.code, 2);
  EXPECT_TRUE(contains(text.err, "takes a number")) << text.err;
}

TEST_F(HostTest, LocalsShowTheValueTheirCellHolds) {
  fs::path library = libraryCopy();
  replaceIn(finPlate(library), "\nLocal\n", "\nLocal\nInt Rounded\nDouble Fine\n");
  std::ofstream(finPlate(library), std::ios::app | std::ios::binary)
      << "Rounded = 2.6\nFine = 1/3\n";
  Outcome r = inLibrary(library, {"eval", kDrawing.string(), "FP-201", "--json"});
  ASSERT_TRUE(r.code == 0 || r.code == 4) << r.err;
  const json report = json::parse(r.out);
  const json& sheet = *sheetOf(report, "FP-201");
  EXPECT_EQ((*variableOf(sheet, "Rounded"))["after"], "3");
  EXPECT_EQ((*variableOf(sheet, "Fine"))["after"], "0.3333333");
}

// --- messages for common mistakes -----------------------------------------------

TEST_F(HostTest, TheLibraryFolderIsNamedFirst) {
  Outcome missing = ssHost({"--library", (temp / "nowhere").string(), "eval", "nodrawing.json"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err.find("ss-host: library folder"), 0u) << missing.err;
  fs::create_directories(temp / "notalibrary");
  Outcome empty = ssHost({"--library", (temp / "notalibrary").string(), "eval", "nodrawing.json"});
  EXPECT_EQ(empty.code, 1);
  EXPECT_TRUE(contains(empty.err, "no \"Connection Standards\" folder")) << empty.err;
  EXPECT_FALSE(contains(empty.err, "nodrawing")) << empty.err;
}

TEST_F(HostTest, AGlobalOptionAfterTheCommandIsAnsweredWithWhereItBelongs) {
  Outcome r = ssHost({"eval", kDrawing.string(), "--library", kLibrary.string()});
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(contains(r.err,
                       "option '--library' belongs before the command word: ss-host "
                       "--library DIR eval"))
      << r.err;
  EXPECT_EQ(ssHost({"info", "--config=x.cfg"}).code, 2);
  Outcome messages = ssHost({"info", "--messages"});
  EXPECT_EQ(messages.code, 2);
  EXPECT_TRUE(contains(messages.err, "option '--messages' belongs before the command word"))
      << messages.err;
}

TEST_F(HostTest, SheetTakesANameWithOrWithoutKvsOrAPath) {
  Outcome none = inLibrary(kLibrary, {"eval", kDrawing.string(), "--sheet", "FinPlat"});
  EXPECT_EQ(none.code, 1);
  EXPECT_TRUE(contains(none.err, "sheet \"FinPlat\": no sheet ")) << none.err;
  EXPECT_EQ(inLibrary(kLibrary, {"eval", kDrawing.string(), "--sheet", "FinPlate.kvs"}).code, 0);
  const std::string path = finPlate(kLibrary).string();
  Outcome byPath = inLibrary(kLibrary, {"eval", kDrawing.string(), "--sheet", path, "--json"});
  EXPECT_EQ(byPath.code, 0) << byPath.err;
  // A path needs no library to be found.
  Outcome noLibrary = ssHost({"eval", kDrawing.string(), "--sheet", path});
  EXPECT_NE(noLibrary.code, 2) << noLibrary.err;
  EXPECT_FALSE(contains(noLibrary.err, "give --library")) << noLibrary.err;
  Outcome noFile = inLibrary(kLibrary, {"eval", kDrawing.string(), "--sheet", "/no/such.kvs"});
  EXPECT_EQ(noFile.code, 1);
  EXPECT_TRUE(contains(noFile.err, "no such file")) << noFile.err;
}

// --- calc with the standards functions -----------------------------------------

TEST_F(HostTest, CalcKnowsTheStandardsFunctionsWithALibrary) {
  spit(temp / "try.csv", "\"=ROUNDTO(12.5,5)\"\n\"=SECTIONSIZE(\"\"IPE 300\"\", 1)\"\n");
  Outcome r = inLibrary(kLibrary, {"calc", (temp / "try.csv").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("^A1,1[05]\nA2,300\n"))) << r.out;
}

TEST_F(HostTest, CalcComputesAStandardsSheet) {
  const fs::path child = kLibrary / "Connection Standards" / "Childs" / "BoltGroup.kvs";
  Outcome r =
      inLibrary(kLibrary, {"calc", child.string(), "--set", "Diameter=20", "--set", "Zone=200",
                           "--set", "Start=50", "--set", "MaxRows=4", "--json"});
  ASSERT_TRUE(r.code == 0 || r.code == 4) << r.err << r.out;
  json result = json::parse(r.out);
  std::map<std::string, std::string> values;
  for (const json& v : result["variables"]) values[v["name"]] = v["value"];
  EXPECT_EQ(values["Zone"], "200");
  EXPECT_FALSE(values["NrRows"].empty()) << r.out;
  EXPECT_FALSE(contains(r.out, "Int Diameter")) << "echoed, not computed:\n" << r.out;
  Outcome noLibrary = ssHost({"calc", child.string()});
  EXPECT_EQ(noLibrary.code, 1);
  EXPECT_TRUE(contains(noLibrary.err, "--library")) << noLibrary.err;
}

// --- calc with FROMTABLE ----------------------------------------------------------

TEST_F(HostTest, CalcLooksUpTablesChainedAcrossFilesBesideTheSheet) {
  // Without a library: the lookups need only the sheet's own folder.
  Outcome r = ssHost({"calc", (kLibrary / "Tables" / "Schedule.csv").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  // Width and thickness from Plates.csv, the hole from Bolts.csv through Plates.csv.
  EXPECT_TRUE(contains(r.out, "C2,120\nD2,12\nE2,22\nF2,76\n")) << r.out;
  EXPECT_TRUE(contains(r.out, "C3,200\nD3,15\nE3,22\nF3,156\nG3,9.42\n")) << r.out;
  EXPECT_EQ(r.err, "");
}

TEST_F(HostTest, CalcSaysOnceOnStderrWhenALookedUpFileIsMissing) {
  std::string lines = "\"=FROMTABLE(\"\"gone.csv\"\",\"\"a\"\",\"\"b\"\",\"\"c\"\")+1\"\n";
  std::string text;
  for (int i = 0; i < 20; ++i) text += lines;
  spit(temp / "lookups.csv", text);
  Outcome r = ssHost({"calc", (temp / "lookups.csv").string(), "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(json::parse(r.out).size(), 20u);  // stdout stays JSON
  EXPECT_TRUE(contains(r.out, "\"value\": \"1\"")) << r.out;
  std::size_t said = 0;
  for (std::size_t at = r.err.find("gone.csv: no such file"); at != std::string::npos;
       at = r.err.find("gone.csv: no such file", at + 1))
    ++said;
  EXPECT_EQ(said, 1u) << r.err;
}

// --- ss-host mapping ----------------------------------------------------------

TEST_F(HostTest, MappingShowPrintsKindsAndNames) {
  Outcome r = inLibrary(kLibrary, {"mapping", "show", "FinPlate", kFinKey});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(contains(r.out, "Key " + kFinKey + ": 18 entries\n")) << r.out;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("BeamSection +<- \\(macro\\) PrPlName Prof0\n")));
  EXPECT_TRUE(std::regex_search(r.out, std::regex("NrBolts +<- Bolts PatternNrBolts1 BoltLine\n")));
  for (char raw : {'\xBF', '\x83', '\x95'}) EXPECT_EQ(r.out.find(raw), std::string::npos);
  EXPECT_EQ(inLibrary(kLibrary, {"mapping", "show", "FinPlate", "nokey"}).code, 1);
}

TEST_F(HostTest, MappingCheckFindsWhatDoesNotFit) {
  Outcome good = inLibrary(kLibrary, {"mapping", "check", kDrawing.string(), "FP-201", "FinPlate"});
  EXPECT_EQ(good.code, 0) << good.out << good.err;
  EXPECT_TRUE(contains(good.out, "Every entry fits.")) << good.out;

  fs::path library = libraryCopy();
  const fs::path map = library / "Connection Standards" / "FinPlate.map";
  replaceIn(map, "Bolts\x95PatternNrBolts1 BoltLine", "Bolts\x95PatternNrBolts1 NoLine");
  replaceIn(map,
            "FinPlate\x95"
            "Distance Width",
            "Plates\x95"
            "Distance Width");
  replaceIn(map, "Shear\x83", "Sheer\x83");
  Outcome bad = inLibrary(library, {"mapping", "check", kDrawing.string(), "FP-201", "FinPlate"});
  EXPECT_EQ(bad.code, 1) << bad.out << bad.err;
  for (const char* part :
       {"!! NrBolts <- Bolts PatternNrBolts1 NoLine: the macro has no such value",
        "!! PlateWidth <- Plates Distance Width: the macro has no module group",
        "!! Shear: a declared Input that no entry binds"})
    EXPECT_TRUE(contains(bad.out, part)) << part << "\n" << bad.out;
}

TEST_F(HostTest, MappingSetWritesOneLineAndKeepsTheOthers) {
  fs::path library = libraryCopy();
  const fs::path map = library / "Connection Standards" / "EndPlate.map";
  const std::string before = slurp(map);
  Outcome key = ssHost({"mapping", "new-key"});
  ASSERT_EQ(key.code, 0);
  ASSERT_TRUE(std::regex_match(key.out, std::regex("[A-Za-z0-9]{24}\n"))) << key.out;
  EXPECT_NE(ssHost({"mapping", "new-key"}).out, key.out);
  const std::string newKey = key.out.substr(0, 24);

  Outcome set = inLibrary(
      library, {"mapping", "set", "EndPlate", newKey, "Overhang=:GenVar:gen_PlateOverhang",
                "BoltDiameter=Bolts:BoltsDiameter:"});
  ASSERT_EQ(set.code, 0) << set.err;
  std::string after = slurp(map);
  ASSERT_EQ(after.compare(0, before.size(), before), 0) << "the other lines changed";
  EXPECT_EQ(after.substr(before.size()), newKey +
                                             "=Overhang\x83\x95GenVar gen_PlateOverhang\xBF"
                                             "BoltDiameter\x83"
                                             "Bolts\x95"
                                             "BoltsDiameter \n");
  Outcome shown = inLibrary(library, {"mapping", "show", "EndPlate", newKey});
  EXPECT_TRUE(contains(shown.out, ": 2 entries\n")) << shown.out;

  // Replacing keeps the line's place and every other byte.
  Outcome again =
      inLibrary(library, {"mapping", "set", "EndPlate", newKey, "Overhang=:GenVar:gen_PlateStep"});
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_EQ(slurp(map), before + newKey + "=Overhang\x83\x95GenVar gen_PlateStep\n");

  for (const char* wrong :
       {"Overhang=Bolts:GenVar:x", "Overhang=:Distance:x", "Overhang=:NoKind:x", "Overhang"})
    EXPECT_EQ(inLibrary(library, {"mapping", "set", "EndPlate", newKey, wrong}).code, 2) << wrong;
  EXPECT_EQ(slurp(map), before + newKey + "=Overhang\x83\x95GenVar gen_PlateStep\n");
}

TEST_F(HostTest, MappingSetKeepsLineEndsAndTheFilesUtf8Separators) {
  fs::path library = libraryCopy();
  const fs::path map = library / "Connection Standards" / "FinPlate.map";
  // As an editor re-saves it: UTF-8 separators (¿ ƒ •) and CRLF line ends.
  const std::string utf8Line = "K1=Gap\xC6\x92\xE2\x80\xA2GenVar gen_FinPlateGap\r\n";
  const std::string other = "K2=Shear\xC6\x92\xE2\x80\xA2GenVar gen_DesignShear";
  spit(map, "Mapping version 1.0\r\n" + utf8Line + other);
  Outcome shown = inLibrary(library, {"mapping", "show", "FinPlate", "K1"});
  ASSERT_EQ(shown.code, 0) << shown.err;
  EXPECT_TRUE(contains(shown.out, "(separators written in UTF-8)")) << shown.out;
  EXPECT_TRUE(
      std::regex_search(shown.out, std::regex("Gap +<- \\(macro\\) GenVar gen_FinPlateGap")))
      << shown.out;

  Outcome set = inLibrary(library, {"mapping", "set", "FinPlate", "K1", "Gap=:GenVar:gen_Other"});
  ASSERT_EQ(set.code, 0) << set.err;
  EXPECT_EQ(slurp(map),
            "Mapping version 1.0\r\nK1=Gap\xC6\x92\xE2\x80\xA2GenVar gen_Other\r\n" + other);
}

// --- usage, help and output ----------------------------------------------------------

TEST_F(HostTest, EveryCommandAnswersHelpWithUsage) {
  // The commands as `ss-host --help` lists them.
  const std::string list = ssHost({"--help"}).out;
  std::vector<std::string> commands;
  const std::regex line("\n  ([a-z][a-z0-9-]*) ");
  for (std::sregex_iterator it(list.begin(), list.end(), line), end; it != end; ++it)
    commands.push_back((*it)[1]);
  ASSERT_GE(commands.size(), 5u) << list;
  for (const std::string& command : commands) {
    Outcome r = ssHost({command, "--help"});
    EXPECT_EQ(r.code, 0) << command;
    EXPECT_EQ(r.out.find("Usage: ss-host "), 0u) << command << ":\n" << r.out;
  }
}

TEST_F(HostTest, OutputThatCannotBeWrittenFailsEveryCommand) {
  const std::vector<std::vector<std::string>> commands = {
      {"--help"},
      {"--version"},
      {"--library", kLibrary.string(), "info"},
      {"--library", kLibrary.string(), "eval", kDrawing.string()},
      {"--library", kLibrary.string(), "eval", kDrawing.string(), "--json"},
      {"macro", "list", kDrawing.string()},
      {"mapping", "new-key"},
      {"--library", kLibrary.string(), "mapping", "show", "FinPlate"},
      {"--library", kLibrary.string(), "calc",
       (kLibrary / "Connection Standards" / "FinPlate.kvs").string()},
  };
  for (const auto& args : commands) {
    Outcome r = ssHost(args, "/dev/full");
    EXPECT_NE(r.code, 0) << args.back();
    EXPECT_TRUE(contains(r.err, "cannot write the output")) << args.back() << ": " << r.err;
  }
  Outcome empty = inLibrary(kLibrary, {"eval", kDrawing.string(), "--output", ""});
  EXPECT_EQ(empty.code, 2);
  EXPECT_TRUE(contains(empty.err, "'--output' needs a value")) << empty.err;
}

TEST_F(HostTest, APathThatIsNotUtf8StillGivesJson) {
  const fs::path drawing = temp / "bad\xff\xfename.json";
  fs::copy_file(kDrawing, drawing);
  Outcome r = inLibrary(
      kLibrary, {"eval", drawing.string(), "--json", "--output", (temp / "out\xff.json").string()});
  ASSERT_EQ(r.code, 0) << r.err;
  json report = json::parse(r.out);
  EXPECT_TRUE(contains(report["drawing"].get<std::string>(), "bad\xEF\xBF\xBD"));
  EXPECT_TRUE(fs::exists(temp / "out\xff.json"));
}

// --- the documented examples ------------------------------------------------------

TEST_F(HostTest, TheDocumentedExampleDrawingEvaluates) {
  Outcome r = inLibrary(kLibrary, {"eval", (kSource / "examples/drawings/example.json").string()});
  EXPECT_TRUE(r.code == 0 || r.code == 4) << r.code << "\n" << r.err << r.out;
  EXPECT_FALSE(contains(r.out, "FAILED")) << r.out;
}

TEST_F(HostTest, TheReadmeStartsWithTheMainJobAndLinksTheGuide) {
  const std::string readme = slurp(kSource / "README.md");
  std::smatch first;
  ASSERT_TRUE(std::regex_search(readme, first, std::regex("\n    build/bin/ss-host[^\n]*")));
  EXPECT_TRUE(contains(first.str(), " eval ")) << first.str();
  EXPECT_TRUE(contains(readme, "docs/user-guide.md"));
  EXPECT_TRUE(contains(readme, "docs/sample-library.md"));
  const std::string guide = slurp(kSource / "docs/user-guide.md");
  for (const char* part : {"Input", "Output", "Local", "Calc", "ss-host mapping", "ss-host eval",
                           "docs/standards-functions.md", "Troubleshooting", "diagnostic"})
    EXPECT_TRUE(contains(guide, part)) << part;
  const std::string hostDoc = slurp(kSource / "docs/ss-host.md");
  for (const char* command : {"calc", "eval", "info", "macro", "mapping"})
    EXPECT_TRUE(contains(hostDoc, std::string("### `") + command + "`")) << command;
  EXPECT_TRUE(fs::exists(kSource / "scripts/run-bench.sh"));
  EXPECT_NE(fs::status(kSource / "scripts/run-bench.sh").permissions() & fs::perms::owner_exec,
            fs::perms::none);
}

}  // namespace
}  // namespace e2e
