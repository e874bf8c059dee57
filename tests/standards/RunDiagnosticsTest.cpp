// What a run records of what went wrong (the request's diagnostics), how
// child calls are bounded, and the faults a run must not turn into values.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/SSExports.h"
#include "platform/arx/acutil.h"
#include "standards/KvStandardsSheet.h"
#include "tests/standards/StandardsLibrary.h"

namespace {

std::vector<KvRunDiagnostic> ofKind(const KvDlgStandardsData& data, KvRunDiagnostic::Kind kind) {
  std::vector<KvRunDiagnostic> found;
  std::copy_if(data.diagnostics.begin(), data.diagnostics.end(), std::back_inserter(found),
               [&](const KvRunDiagnostic& d) { return d.kind == kind; });
  return found;
}

KvVarCell argument(const char* name, KvCellType type, KvValueType valueType, const char* value) {
  KvVarCell cell;
  cell.name = name;
  cell.cellType = type;
  cell.valueType = valueType;
  cell.value = value;
  return cell;
}

class RunDiagnostics : public StandardsLibrary {
 protected:
  // A child request for a sheet under "Connection Standards".
  KvDlgStandardsData childRequest(const std::string& relative, std::vector<KvVarCell> args) {
    KvDlgStandardsData child;
    child.mode = KvDlgStandardsData::kChild;
    child.fileName = (standards() / relative).string().c_str();
    for (const KvVarCell& a : args) child.varCells.append(a);
    return child;
  }
};

// --- the record on the request ------------------------------------------------------

TEST_F(RunDiagnostics, AFailedEquationIsRecordedWithTheBoxesTextAndTheRunGoesOn) {
  std::string path = writeSheet("Plate.kvs", {{"Input"},
                                              {"Double Height"},
                                              {"Output"},
                                              {"Double Width"},
                                              {"Calc"},
                                              {"abc"},
                                              {"Width = Height / 0"},
                                              {"Width = Height * 3"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  KvRunDiagnostic stale;
  stale.kind = KvRunDiagnostic::kDepth;
  request.diagnostics.push_back(stale);
  gSettings.showStandardsMessages = true;
  script.answer(ui::IDOK, "abc").answer(ui::IDOK, "Height / 0");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  ASSERT_EQ(request.diagnostics.size(), 2u);
  const KvRunDiagnostic& first = request.diagnostics[0];
  EXPECT_EQ(first.kind, KvRunDiagnostic::kEquation);
  EXPECT_EQ(first.sheet, path);
  EXPECT_EQ(first.row, 6);
  EXPECT_EQ(first.variable, "");
  EXPECT_EQ(first.text, "abc");
  EXPECT_EQ(first.message.str(), script.messageBoxes()[0].text);
  const KvRunDiagnostic& second = request.diagnostics[1];
  EXPECT_EQ(second.row, 7);
  EXPECT_EQ(second.variable, "Width");
  EXPECT_EQ(second.text, "Height / 0");
  EXPECT_EQ(second.message.str(), script.messageBoxes()[1].text);
  EXPECT_STREQ(runDiagnosticKindName(second.kind), "equation");

  // Switched off, the boxes stay away but the record is the same.
  gSettings.showStandardsMessages = false;
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(request.diagnostics.size(), 2u);
  EXPECT_EQ(script.messageBoxes().size(), 2u);
}

TEST_F(RunDiagnostics, AFailedRunStillHandsBackItsDiagnostics) {
  openMacro("Nowhere", "K1");
  AcutPrintCapture printed;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  ASSERT_EQ(request.diagnostics.size(), 1u);
  EXPECT_EQ(request.diagnostics[0].kind, KvRunDiagnostic::kSheet);
  EXPECT_NE(request.diagnostics[0].sheet.str().find("Nowhere.kvs"), std::string::npos);
  EXPECT_EQ("*Error* " + request.diagnostics[0].message.str() + "\n", printed.text());

  writeSheet("Plate.kvs", {{"Input"}, {"Double Height"}, {"Output"}, {"Double Width"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  request.fileName = "Plate";
  EXPECT_FALSE(StartDlgStandardsSS(request));
  ASSERT_EQ(request.diagnostics.size(), 1u);
  EXPECT_EQ(request.diagnostics[0].kind, KvRunDiagnostic::kSheet);
  EXPECT_NE(request.diagnostics[0].message.str().find("no \"Calc\" label"), std::string::npos);

  request.transaction = nullptr;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  ASSERT_EQ(request.diagnostics.size(), 1u);
  EXPECT_EQ(request.diagnostics[0].kind, KvRunDiagnostic::kRun);
}

TEST_F(RunDiagnostics, AFormulaTheGridCannotCompileIsToldOnce) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc", "=Other!A1"},
                           {"Width = Height * 3"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  auto sheets = ofKind(request, KvRunDiagnostic::kSheet);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_NE(sheets[0].message.str().find("B5"), std::string::npos) << sheets[0].message.str();
  EXPECT_EQ(valueOf(request.varCells, "Width"), "300");
}

TEST_F(RunDiagnostics, VariablesTheMacroLacksOrNoEntryBindsAreTold) {
  std::string path = writeSheet("Plate.kvs", {{"Input"},
                                              {"Double Height"},
                                              {"Double Depth"},
                                              {"Double Gap"},
                                              {"Output"},
                                              {"Double Width"},
                                              {"Calc"},
                                              {"Width = Height"}});
  // Gap has an entry, but the macro has no such module group.
  writeFile("Plate.map", std::string(kMap) +
                             "K1=Height\x83Plate\x95"
                             "Distance Height\xBFWidth\x83Plate\x95"
                             "Distance Width\xBFGap\x83Nowhere\x95"
                             "Distance Gap\n");
  openMacro("Plate", "K1");
  gSettings.showStandardsMessages = true;
  script.answer(ui::IDOK, "\nDepth\n").answer(ui::IDOK, "\nGap\n");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  auto variables = ofKind(request, KvRunDiagnostic::kVariable);
  ASSERT_EQ(variables.size(), 1u);
  EXPECT_EQ(variables[0].variable, "Gap");
  EXPECT_EQ(variables[0].row, 4);
  EXPECT_EQ(variables[0].sheet, path);
  EXPECT_EQ(variables[0].message.str(), script.messageBoxes()[1].text);
  // Depth has no entry at all: the box is the same, the kind says why.
  auto unbound = ofKind(request, KvRunDiagnostic::kUnbound);
  ASSERT_EQ(unbound.size(), 1u);
  EXPECT_EQ(unbound[0].variable, "Depth");
  EXPECT_EQ(unbound[0].row, 3);
  EXPECT_EQ(unbound[0].message.str(), script.messageBoxes()[0].text);
  EXPECT_EQ(request.diagnostics.size(), 2u);
}

TEST_F(RunDiagnostics, WithoutTheKeysLineEveryDeclaredVariableIsUnbound) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Double Spare"},
                           {"Calc"},
                           {"Width = Height + 1"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "Other");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  auto unbound = ofKind(request, KvRunDiagnostic::kUnbound);
  ASSERT_EQ(unbound.size(), 2u);
  EXPECT_EQ(unbound[0].variable, "Height");
  EXPECT_EQ(unbound[0].text, "Input");
  EXPECT_NE(unbound[0].message.str().find("under the key Other"), std::string::npos);
  EXPECT_EQ(unbound[1].variable, "Width");
  EXPECT_EQ(unbound[1].row, 4);
  // Nothing else: the unbound Output's refused write is no second report.
  EXPECT_EQ(request.diagnostics.size(), 2u);
}

TEST_F(RunDiagnostics, DuplicatesAndToleranceErrorsAreRecordedWithTheirRows) {
  writeFile("Plates.txt", "10\n12\n");
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Double height"},
                           {"Calc"},
                           {"Width = STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 11, -1, 1)"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  script.answer(ui::IDOK, "Duplicate variable names:\n\nheight");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  auto duplicates = ofKind(request, KvRunDiagnostic::kDuplicate);
  ASSERT_EQ(duplicates.size(), 1u);
  EXPECT_EQ(duplicates[0].variable, "height");
  EXPECT_EQ(duplicates[0].row, 6);
  EXPECT_EQ(duplicates[0].message.str(), script.messageBoxes()[0].text);
  auto tolerances = ofKind(request, KvRunDiagnostic::kTolerance);
  ASSERT_EQ(tolerances.size(), 1u);
  EXPECT_EQ(tolerances[0].row, 8);
  EXPECT_EQ(tolerances[0].message.str(),
            "Invalid tolerances provided.\n DownTolerance is :-1.00UpTolerance is :1.00\n"
            "Adding both tolerances should result in a positive value.");
  EXPECT_EQ(tolerances[0].text, "Width = STDSIZEWITHTOLERANCE(\"Plates.txt\", 1, 11, -1, 1)");
  EXPECT_EQ(valueOf(request.varCells, "Width"), "12");
}

TEST_F(RunDiagnostics, AMissingDataFileIsToldOncePerRunAndTheRunIsNoCleanSuccess) {
  writeFile("Gauges.txt", "10\t55\n");
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Double Gauge"},
                           {"Double Pitch"},
                           {"Calc"},
                           {"Gauge = GETCELL(\"Gauges.txt\", 10)"},
                           {"Pitch = GETCELL(\"Pitches.txt\", 10)"},
                           {"Pitch = GETCELL(\"Pitches.txt\", 12)"},
                           {"Width = STDSIZEWITHTOLERANCE(\"Sizes.txt\", 5, 101, 1, 9)"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Gauge"), "55");
  // Without its size list the size function rounds, as before, but says so.
  EXPECT_EQ(valueOf(request.varCells, "Width"), "100");
  auto files = ofKind(request, KvRunDiagnostic::kDataFile);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].text, "Pitches.txt");
  EXPECT_EQ(files[0].row, 10);
  EXPECT_NE(files[0].message.str().find("the data file Pitches.txt cannot be found"),
            std::string::npos);
  EXPECT_EQ(files[1].text, "Sizes.txt");
  EXPECT_EQ(ofKind(request, KvRunDiagnostic::kEquation).size(), 2u);
  EXPECT_NE(printed.text().find(files[1].message.str()), std::string::npos);

  // The next run tells it again.
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(ofKind(request, KvRunDiagnostic::kDataFile).size(), 2u);
}

TEST_F(RunDiagnostics, AChildsDiagnosticsReachTheParentsResult) {
  std::string child = writeSheet(
      "Childs/Kid.kvs",
      {{"Input"}, {"Double A"}, {"Output"}, {"Double B"}, {"Calc"}, {"B = A +"}, {"B = A * 2"}});
  std::string parent = writeSheet("Plate.kvs", {{"Input"},
                                                {"Double Height"},
                                                {"Output"},
                                                {"Double Width"},
                                                {"Calc"},
                                                {"CallChild(\"Kid.kvs\", Height, Width)"},
                                                {"Nothing = 1"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Width"), "200");
  ASSERT_EQ(request.diagnostics.size(), 2u);
  EXPECT_EQ(request.diagnostics[0].sheet, child);
  EXPECT_EQ(request.diagnostics[0].row, 6);
  EXPECT_EQ(request.diagnostics[1].sheet, parent);
  EXPECT_EQ(request.diagnostics[1].row, 7);
}

// --- CallChild bounds -----------------------------------------------------------------

TEST_F(RunDiagnostics, SheetsCallingEachOtherFailEachCallOnceWithACycle) {
  for (const char* self : {"A", "B"}) {
    std::string other = self[0] == 'A' ? "B" : "A";
    std::string call = "CallChild(\"" + other + ".kvs\", X, Y)";
    writeSheet(
        std::string("Childs/") + self + ".kvs",
        {{"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}, {call}, {call}, {call}});
  }
  auto child = childRequest("Childs/A.kvs", {argument("X", kCellInput, kValueDouble, "0"),
                                             argument("Y", kCellOutput, kValueDouble, "0")});
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(child));
  // A calls B three times; each B's three calls of A fail at once.
  EXPECT_EQ(ofKind(child, KvRunDiagnostic::kCycle).size(), 9u);
  EXPECT_EQ(ofKind(child, KvRunDiagnostic::kEquation).size(), 9u);
  EXPECT_EQ(child.diagnostics.size(), 18u);
}

TEST_F(RunDiagnostics, AChainDeeperThanTheBoundFailsItsLastCallWithADepthDiagnostic) {
  const int sheets = KvStandardsSheet::kMaxChildDepth + 2;
  for (int i = 0; i < sheets; ++i) {
    std::vector<std::vector<std::string>> rows = {
        {"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}};
    if (i + 1 < sheets) rows.push_back({"CallChild(\"S" + std::to_string(i + 1) + ".kvs\", X, Y)"});
    rows.push_back({"Y = Y + 1"});
    writeSheet("Childs/S" + std::to_string(i) + ".kvs", rows);
  }
  auto child = childRequest("Childs/S0.kvs", {argument("X", kCellInput, kValueDouble, "0"),
                                              argument("Y", kCellOutput, kValueDouble, "0")});
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(child));
  auto depth = ofKind(child, KvRunDiagnostic::kDepth);
  ASSERT_EQ(depth.size(), 1u);
  EXPECT_NE(depth[0].message.str().find("nests deeper than 16 sheets"), std::string::npos);
  EXPECT_NE(depth[0].sheet.str().find("S16.kvs"), std::string::npos);
  EXPECT_EQ(child.varCells[1].value, "17");
}

TEST_F(RunDiagnostics, TheChildRunsOfOneRunAreBoundedAndTheBoundIsToldOnce) {
  // 101 calls of a sheet that calls a leaf 100 times: 10,201 child runs.
  std::vector<std::vector<std::string>> middle = {
      {"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}};
  for (int i = 0; i < 100; ++i) middle.push_back({"CallChild(\"Leaf.kvs\", X, Y)"});
  writeSheet("Childs/Middle.kvs", middle);
  writeSheet("Childs/Leaf.kvs", {{"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}});
  std::vector<std::vector<std::string>> top = {
      {"Input"}, {"Double X"}, {"Output"}, {"Double Y"}, {"Calc"}};
  for (int i = 0; i < 101; ++i) top.push_back({"CallChild(\"Middle.kvs\", X, Y)"});
  writeSheet("Childs/Top.kvs", top);
  auto child = childRequest("Childs/Top.kvs", {argument("X", kCellInput, kValueDouble, "0"),
                                               argument("Y", kCellOutput, kValueDouble, "0")});
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(ofKind(child, KvRunDiagnostic::kChildLimit).size(), 1u);
  // The 10,000th run is the 100th Middle: its 100 calls of the leaf fail,
  // and so does the last call of Middle, whose calls are never made.
  EXPECT_EQ(ofKind(child, KvRunDiagnostic::kEquation).size(), 101u);
}

// --- values a failure must not change -------------------------------------------------

TEST_F(RunDiagnostics, AFailedEquationLeavesItsVariableAsItWasForTheCaller) {
  writeSheet("Childs/Kid.kvs",
             {{"Input"}, {"Double A"}, {"Output"}, {"Double R"}, {"Calc"}, {"R = \"abc\""}});
  auto child = childRequest("Childs/Kid.kvs", {argument("A", kCellInput, kValueDouble, "1"),
                                               argument("R", kCellOutput, kValueDouble, "5")});
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(child.varCells[1].value, "5");
  ASSERT_EQ(ofKind(child, KvRunDiagnostic::kEquation).size(), 1u);
}

TEST_F(RunDiagnostics, AChildResultTheCallerRefusesLeavesEveryOutputArgumentAsItWas) {
  writeSheet(
      "Childs/Kid.kvs",
      {{"Input"}, {"Output"}, {"Double P"}, {"String Q"}, {"Calc"}, {"P = 7"}, {"Q = \"abc\""}});
  writeSheet("Caller.kvs", {{"Input"},
                            {"Output"},
                            {"Double X"},
                            {"Double Y"},
                            {"Calc"},
                            {"X = 1"},
                            {"Y = 2"},
                            {"CallChild(\"Kid.kvs\", X, Y)"}});
  auto child = childRequest("Caller.kvs", {argument("X", kCellOutput, kValueDouble, "0"),
                                           argument("Y", kCellOutput, kValueDouble, "0")});
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(child.varCells[0].value, "1");
  EXPECT_EQ(child.varCells[1].value, "2");
  ASSERT_EQ(ofKind(child, KvRunDiagnostic::kEquation).size(), 1u);
  EXPECT_EQ(ofKind(child, KvRunDiagnostic::kEquation)[0].row, 8);
}

}  // namespace
