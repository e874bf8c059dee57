// Runs of standards sheets through the module's exported entry, on sheets
// written for each test: the parent run against a macro, child runs through
// "CallChild", and the faults a sheet may hold.
#include <gtest/gtest.h>

#include "common/ProfilingTimers.h"
#include "common/SSExports.h"
#include "core/macro/Nx_BoltModule.h"
#include "platform/arx/acutil.h"
#include "standards/KvStandardsCalcDlg.h"
#include "tests/standards/StandardsLibrary.h"

namespace {

// The sheet of the first pooled dialog (the one the last run used), for a look.
struct LastSheet {
  LastSheet() : dlg(gSSDlgsMgr.getDlg()) {}
  ~LastSheet() { gSSDlgsMgr.releaseDlg(dlg); }
  grid::Sheet& operator*() { return *dlg->sheet().sheet(); }
  KvStandardsCalcDlg* dlg;
};

using ParentRun = StandardsLibrary;

TEST_F(ParentRun, AnEquationBecomesAFormulaOnCellReferencesAndItsValueGoesBack) {
  writeSheet("Plate.kvs", {{"Plate sheet"},
                           {"Input"},
                           {"", "Double Height"},
                           {"Output"},
                           {"", "Double Width"},
                           {"Calc"},
                           {"Width = Height * 2"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Width"), "200");
  EXPECT_EQ(variable("Plate", "Width"), 200.0);
  EXPECT_EQ(variable("Plate", "Height"), 100.0);  // an Input is not written back

  LastSheet sheet;
  EXPECT_EQ((*sheet).getFormula(1, 7), "B3 * 2");
  EXPECT_EQ((*sheet).getValue(2, 5), "200");  // Width's own cell
  EXPECT_EQ((*sheet).getValue(2, 3), "100");
}

TEST_F(ParentRun, ANameInsideALongerWordIsNotReplaced) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Double Height2"},
                           {"Double my_Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"my_Height = 1000"},
                           {"Width = Height2 + my_Height + Height"}});
  writeFile("Plate.map", std::string(kMap) +
                             "K1=Height\x83Plate\x95"
                             "Distance Height\xBFHeight2\x83Plate\x95"
                             "Distance Height2\xBFWidth\x83Plate\x95"
                             "Distance Width\n");
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 1107.0);
  LastSheet sheet;
  EXPECT_EQ((*sheet).getFormula(1, 9), "A3 + A4 + A2");
}

TEST_F(ParentRun, WithoutACalcLabelTheRunFailsAndTheRequestStaysAsItWas) {
  writeSheet("Plate.kvs", {{"Input"}, {"Double Height"}, {"Output"}, {"Double Width"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  KvVarCell marker;
  marker.name = "Marker";
  request.varCells.append(marker);
  KvDlgStandardsData before = request;
  AcutPrintCapture printed;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  EXPECT_NE(printed.text().find("no \"Calc\" label"), std::string::npos) << printed.text();
  ASSERT_EQ(request.varCells.length(), 1);
  EXPECT_EQ(request.varCells[0].name, "Marker");
  EXPECT_EQ(request.fileName, before.fileName);
  EXPECT_EQ(variable("Plate", "Width"), 0.0);
}

TEST_F(ParentRun, WithoutInputOrOutputLabelOrTransactionTheRunFails) {
  writeSheet("NoInput.kvs", {{"Output"}, {"Double Width"}, {"Calc"}, {"Width = 3"}});
  writeSheet("NoOutput.kvs", {{"Input"}, {"Double Height"}, {"Calc"}, {"Height = 3"}});
  openMacro("NoInput", "K1");
  AcutPrintCapture printed;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  request.fileName = "NoOutput";
  EXPECT_FALSE(StartDlgStandardsSS(request));
  EXPECT_NE(printed.text().find("NoInput.kvs: no \"Input\" label"), std::string::npos);
  EXPECT_NE(printed.text().find("NoOutput.kvs: no \"Output\" label"), std::string::npos);
  writeSheet("Plate.kvs", {{"Input"}, {"Output"}, {"Double Width"}, {"Calc"}, {"Width = 3"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  request.fileName = "Plate";
  request.transaction = nullptr;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 0.0);
  request.transaction = tr.get();
  EXPECT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 3.0);
}

TEST_F(ParentRun, AMissingSheetFailsWithItsPath) {
  openMacro("Nowhere", "K1");
  AcutPrintCapture printed;
  EXPECT_FALSE(StartDlgStandardsSS(request));
  EXPECT_NE(printed.text().find("Nowhere.kvs"), std::string::npos) << printed.text();
}

TEST_F(ParentRun, GeneralVariablesGoInAsNumbersOrQuotedTextsButNotIntoQuotedText) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"String Mark"},
                           {"String Note"},
                           {"Calc"},
                           {"Width = Height + gen_Step * 2"},
                           {"Mark = gen_Text & \"-\" & gen_Grade"},
                           {"Note = \"gen_Step stays\""}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  request.genVarNames.append("gen_Text");
  request.genVarValues.append("S \"355\"");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Width"), "110");
  EXPECT_EQ(valueOf(request.varCells, "Mark"), "S \"355\"-355");
  EXPECT_EQ(valueOf(request.varCells, "Note"), "gen_Step stays");
}

TEST_F(ParentRun, QuotedTextInAnEquationIsNotTakenForAVariable) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"String Hole"},
                           {"String Label"},
                           {"Calc"},
                           {"Hole = \"x\""},
                           {"Label = \"Hole \"\"Height\"\" \" & Hole & Height"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Label"), "Hole \"Height\" x100");
}

TEST_F(ParentRun, DuplicateNamesAreReportedOnceAndTheFirstStays) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Double width"},
                           {"Double Height"},
                           {"Calc"},
                           {"Width = Height + 1"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  script.answer(ui::IDOK, "Duplicate variable names:\n\nwidth\nHeight");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  ASSERT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(script.messageBoxes()[0].caption, "Variable names must be unique");
  EXPECT_EQ(request.varCells.length(), 2);
  EXPECT_EQ(variable("Plate", "Width"), 101.0);
}

TEST_F(ParentRun, BadEquationsShowTheirDiagnosticAndTheNextCellsStillRun) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Double Thickness"},
                           {"Calc"},
                           {"abc"},
                           {"Width = Height / 0"},
                           {"Nothing = 1"},
                           {"Width = Height * 3"},
                           {"Thickness = Height +"}});
  writeFile("Plate.map", std::string(kMap) +
                             "K1=Height\x83Plate\x95"
                             "Distance Height\xBFWidth\x83Plate\x95"
                             "Distance Width\xBFThickness\x83Plate\x95"
                             "Distance Thickness\n");
  openMacro("Plate", "K1");
  // Switched off, nothing is shown.
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_TRUE(script.messageBoxes().empty());
  EXPECT_EQ(variable("Plate", "Width"), 300.0);

  gSettings.showStandardsMessages = true;
  for (const char* part :
       {"\nabc\nSpreadsheet : ", "Width = Height / 0\n", "Nothing = 1\n", "Thickness = Height +\n"})
    script.answer(ui::IDOK, part);
  ASSERT_TRUE(StartDlgStandardsSS(request));
  ASSERT_EQ(script.messageBoxes().size(), 4u);
  std::string first = script.messageBoxes()[0].text;
  EXPECT_EQ(first.substr(0, first.find("Here's")),
            "The following equation failed:\nabc\nSpreadsheet : " +
                (standards() / "Plate.kvs").string() + " (line: 7)\n");
  // A failed equation leaves its variable as it was.
  EXPECT_EQ(valueOf(request.varCells, "Thickness"), "0");
}

TEST_F(ParentRun, OnlyKeywordsWrittenWithTheirCaseDeclareVariables) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"double-check against the column flange"},
                           {"internal value, see drawing"},
                           {"STRING in capitals"},
                           {"Integer Count"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"Width = Height"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  ASSERT_EQ(request.varCells.length(), 3);
  EXPECT_EQ(request.varCells[0].name, "Height");
  EXPECT_EQ(request.varCells[1].name, "Count");
  EXPECT_EQ(request.varCells[2].name, "Width");
}

TEST_F(ParentRun, ALocalNamedLikeAFunctionLeavesTheFunctionAlone) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Double Max"},
                           {"Calc"},
                           {"Max = 500"},
                           {"Width = MAX(Max, Height)"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 500.0);
  EXPECT_TRUE(request.diagnostics.empty());
}

TEST_F(ParentRun, AReferencePutInForOneVariableIsNotTakenForAnother) {
  // X sits in cell A2; another variable is called A2 (in A3).
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double X"},
                           {"Double A2"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"X = 4"},
                           {"A2 = 9"},
                           {"Width = X"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 4.0);
  LastSheet sheet;
  EXPECT_EQ((*sheet).getFormula(1, 9), "A2");
}

TEST_F(ParentRun, AVariableTheMacroLacksIsReportedAndTheRunGoesOn) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Double Depth"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"Width = Height"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  gSettings.showStandardsMessages = true;
  script.answer(ui::IDOK, "The following Input variable couldn't be retrieved : \nDepth\n");
  EXPECT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 100.0);
}

TEST_F(ParentRun, WithoutTheKeysLineNothingIsReadButTheSheetRuns) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"Width = Height + 1"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "Other");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Width"), "1");
  EXPECT_EQ(variable("Plate", "Width"), 0.0);
}

TEST_F(ParentRun, AModuleGroupSheetReachesItsValuesByName) {
  writeSheet("Group.kvs", {{"Input"},
                           {"Double Height"},
                           {"Double gen.Step"},
                           {"Output"},
                           {"Double Width"},
                           {"String P1.NrBolts1"},
                           {"Calc"},
                           {"Width = Height + gen.Step"},
                           {"P1.NrBolts1 = \"4\""}});
  openMacro("Group", "Module.Plate");
  EXPECT_EQ(request.moduleName, "Plate");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(variable("Plate", "Width"), 105.0);
  EXPECT_EQ(valueOf(request.varCells, "P1.NrBolts1"), "4");
}

TEST_F(ParentRun, TwoRunsReuseOneDialogAndTheTimersCount) {
  writeSheet(
      "Plate.kvs",
      {{"Input"}, {"Double Height"}, {"Output"}, {"Double Width"}, {"Calc"}, {"Width = Height"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  int loads = gLoadFile.count(), cells = gCalcCellCalcFunctions.count();
  ASSERT_TRUE(StartDlgStandardsSS(request));
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(gSSDlgsMgr.dialogCount(), 1);
  EXPECT_FALSE(gSSDlgsMgr.isInUse(0));
  EXPECT_EQ(gLoadFile.count(), loads + 2);
  EXPECT_EQ(gCalcCellCalcFunctions.count(), cells + 2);
  for (Nx_Timer* t : {&gInitSSForInput, &gSSSGetFromMacro, &gSetMacroValuelsToSS,
                      &gSSSreplaceGenVars, &gCalcMain, &gSetToMacro, &gRegisterFuntions,
                      &gFindDuplicates, &gCalcCells, &gInitMapping, &gInitFromMacro})
    EXPECT_GT(t->count(), 0) << t->name().str();
}

// --- child runs ---------------------------------------------------------------------------

using ChildRun = StandardsLibrary;

TEST_F(ChildRun, CallChildBindsTheArgumentsInOrderAndReturnsTheOutputs) {
  writePlateOverBolts({"Bolts = 10", "Count = 3", "CallChild(\"Bolts.kvs\", Bolts, Count, Width)",
                       "Height = Width + 1"});
  openMacro("Plate", "K1");
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_EQ(valueOf(request.varCells, "Width"), "60");
  EXPECT_EQ(valueOf(request.varCells, "Height"), "61");
  EXPECT_EQ(variable("Plate", "Width"), 60.0);
  // A parent and its child held two dialogs; both are free again.
  EXPECT_EQ(gSSDlgsMgr.dialogCount(), 2);
  EXPECT_FALSE(gSSDlgsMgr.isInUse(1));
}

TEST_F(ChildRun, AnUnquotedSheetNameIsFoundAndItsOutputsReturnOnlyToOutputs) {
  writeBoltsChild("Bolts.kvs");
  std::vector<std::vector<std::string>> caller = {{"Input"},
                                                  {"Int Bolts"},
                                                  {"Output"},
                                                  {"Double Total"},
                                                  {"Local"},
                                                  {"Int Count"},
                                                  {"Double Spare"},
                                                  {"Calc"},
                                                  {"Count = 2"},
                                                  {"Y = CallChild(Bolts.kvs, Bolts, Count, Total)"},
                                                  {"CallChild(Bolts.kvs, Bolts, Count, Spare)"}};
  std::string path = writeSheet("Caller.kvs", caller);
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = path.c_str();
  KvVarCell bolts;
  bolts.name = "Bolts";
  bolts.cellType = kCellInput;
  bolts.valueType = kValueInt;
  bolts.value = "5";
  KvVarCell total = bolts;
  total.name = "Total";
  total.cellType = kCellOutput;
  total.value = "0";
  child.varCells.append(bolts);
  child.varCells.append(total);
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(valueOf(child.varCells, "Total"), "20");
  LastSheet sheet;
  EXPECT_EQ(valueOf(sheet.dlg->sheet().varCells(), "Spare"), "");
}

TEST_F(ChildRun, AChildOutputBoundToTheCallersInputFailsTheCall) {
  writeBoltsChild("Bolts.kvs");
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Int Size"},
                           {"Output"},
                           {"Double Width"},
                           {"Local"},
                           {"Int Count"},
                           {"Calc"},
                           {"Width = 7"},
                           {"CallChild(\"Bolts.kvs\", Size, Count, Height)"},
                           {"Width = Width + 1"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(request));
  EXPECT_NE(printed.text().find("bound to the caller's Input Height"), std::string::npos)
      << printed.text();
  EXPECT_EQ(valueOf(request.varCells, "Width"), "8");
}

TEST_F(ChildRun, TooFewArgumentsFailTheChild) {
  writeBoltsChild("Bolts.kvs");
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = "Childs/Bolts";
  KvVarCell size;
  size.name = "Size";
  size.valueType = kValueInt;
  size.value = "3";
  child.varCells.append(size);
  EXPECT_FALSE(StartDlgStandardsSS(child));
  child.varCells.append(size);
  KvVarCell total = size;
  total.cellType = kCellOutput;
  child.varCells.append(total);
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(child.varCells[2].value, "18");
}

TEST_F(ChildRun, AChildsDuplicatesAreDroppedBeforeItsArgumentsAreBound) {
  writeSheet("Childs/Dup.kvs", {{"Input"},
                                {"Double A"},
                                {"Output"},
                                {"Double B"},
                                {"Double a"},
                                {"Double C"},
                                {"Calc"},
                                {"B = A + 1"},
                                {"C = A + 2"}});
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = "Childs/Dup";
  KvVarCell x;
  x.name = "X";
  x.valueType = kValueDouble;
  x.value = "1";
  KvVarCell y = x;
  y.name = "Y";
  y.cellType = kCellOutput;
  KvVarCell z = y;
  z.name = "Z";
  child.varCells.append(x);
  child.varCells.append(y);
  child.varCells.append(z);
  script.answer(ui::IDOK, "Duplicate variable names:\n\na");
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(script.messageBoxes().size(), 1u);
  EXPECT_EQ(child.varCells[1].value, "2");
  EXPECT_EQ(child.varCells[2].value, "3");
}

TEST_F(ChildRun, AChildWithoutSectionsRunsWithoutVariablesButNeedsCalc) {
  std::string calcOnly = writeSheet("CalcOnly.kvs", {{"Calc"}, {"1 + 1"}});
  std::string nothing = writeSheet("Nothing.kvs", {{"Input"}, {"Output"}});
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = calcOnly.c_str();
  AcutPrintCapture printed;
  EXPECT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(printed.text(), "");
  child.fileName = nothing.c_str();
  EXPECT_FALSE(StartDlgStandardsSS(child));
}

TEST_F(ChildRun, ASheetThatCallsItselfFailsThatEquation) {
  std::string path = writeSheet("Self.kvs", {{"Input"},
                                             {"Double A"},
                                             {"Output"},
                                             {"Double B"},
                                             {"Calc"},
                                             {"CallChild(\"Self.kvs\", A, B)"},
                                             {"B = A + 1"}});
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = path.c_str();
  KvVarCell a;
  a.name = "A";
  a.valueType = kValueDouble;
  a.value = "1";
  KvVarCell b = a;
  b.cellType = kCellOutput;
  child.varCells.append(a);
  child.varCells.append(b);
  gSettings.showStandardsMessages = true;
  script.answer(ui::IDOK, "CallChild(\"Self.kvs\", A, B)\nSpreadsheet : ");
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_EQ(child.varCells[1].value, "2");
  EXPECT_EQ(gSSDlgsMgr.dialogCount(), 1);
}

TEST_F(ChildRun, ACycleThroughTwoSheetsFailsAtOnce) {
  for (const char* self : {"A", "B"}) {
    std::string other = self[0] == 'A' ? "B" : "A";
    writeSheet(std::string("Childs/") + self + ".kvs", {{"Input"},
                                                        {"Double X"},
                                                        {"Output"},
                                                        {"Double Y"},
                                                        {"Calc"},
                                                        {"CallChild(\"" + other + ".kvs\", X, Y)"},
                                                        {"Y = Y + 1"}});
  }
  KvDlgStandardsData child;
  child.mode = KvDlgStandardsData::kChild;
  child.fileName = (standards() / "Childs" / "A.kvs").string().c_str();
  KvVarCell x;
  x.name = "X";
  x.valueType = kValueDouble;
  x.value = "0";
  KvVarCell y = x;
  y.cellType = kCellOutput;
  child.varCells.append(x);
  child.varCells.append(y);
  AcutPrintCapture printed;
  ASSERT_TRUE(StartDlgStandardsSS(child));
  EXPECT_NE(
      printed.text().find("B.kvs: CallChild of " + (standards() / "Childs" / "A.kvs").string() +
                          " calls a sheet that is already running (a cycle)."),
      std::string::npos)
      << printed.text();
  // B's call of A failed, B added one, then A added one.
  EXPECT_EQ(child.varCells[1].value, "2");
  EXPECT_EQ(gSSDlgsMgr.dialogCount(), 2);
}

TEST(StandardsSelfTest, ThereIsNoFixedTestSheetHere) {
  ui::test::GTestScript script;
  EXPECT_FALSE(StartDlgStandardsSStest());
  gSSDlgsMgr.destroyAll();
}

}  // namespace

namespace {

using LoadFromStandards = StandardsLibrary;

TEST_F(LoadFromStandards, TheMacroDataRunsTheAttachedSheetsOnTheWorkingDrawing) {
  writeSheet("Plate.kvs", {{"Input"},
                           {"Double Height"},
                           {"Output"},
                           {"Double Width"},
                           {"Calc"},
                           {"Width = Height * gen_Step"}});
  writeFile("Plate.map", std::string(kMap) + kPlateLine);
  openMacro("Plate", "K1");
  EXPECT_FALSE(data.loadFromStandards());  // no working drawing
  Nx_Drawing::setWorking(&drawing);
  EXPECT_TRUE(data.loadFromStandards());
  EXPECT_EQ(variable("Plate", "Width"), 500.0);
  writeSheet("Plate.kvs", {{"Input"}, {"Output"}, {"Double Width"}});
  EXPECT_FALSE(data.loadFromStandards());
  Nx_Drawing::setWorking(nullptr);
}

}  // namespace
