// The section size editor: name patterns, automatic and own names, sorted
// insertion, the shape-10 check and the refusals, driven as a user would.
#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_EDITLIBSIMPLE.h"
#include "sections/KvDlgEditLibSimple.h"
#include "sections/SectionSizeNames.h"
#include "standards/KvSSFunctions.h"
#include "tests/grid/GridTestUtil.h"
#include "tests/sections/SectionsTestLibrary.h"

using namespace ui;
using namespace dlg_editlibsimple;

namespace {
// A table of hollow sections whose system names repeat values: b, h, t.
Nx_ProfValuesTable tubes(const char* templ = "10") {
  Nx_ProfValuesTable t;
  t.tableName = "RHS";
  t.templateName = templ;
  t.columnNames = {"SysName", "I/O", "English", "Dutch", "German", "French", "b", "h", "t", "r"};
  auto row = [&](const char* name, const char* b, const char* h, const char* tk) {
    Nx_String display = Nx_String("RHS ") + name;
    t.rows.append(Nx_StringArray{name, "1", display, display, display, display, b, h, tk, "0"});
  };
  row("80x80x8", "80", "80", "8");
  row("100x100x8", "100", "100", "8");
  row("100x100x12", "100", "100", "12");
  row("200x100x5", "100", "200", "5");
  row("200x100x8", "100", "200", "8");
  return t;
}

int rowOf(const Nx_ProfValuesTable& t, const char* name) {
  int at = -1;
  return t.findSysName(name, at) ? at : -1;
}
}  // namespace

class SizeEditorTest : public ::testing::Test {
 protected:
  SectionsTestLibrary library_;
  test::GTestScript script_;
};

TEST_F(SizeEditorTest, PatternMatchesDistinctValues) {
  AcArray<int> pattern;
  ASSERT_TRUE(matchNamePattern("200x100x5", {"100", "200", "5"}, pattern));
  EXPECT_EQ(pattern, (AcArray<int>{2, 1, 3}));
  // Equal parts take distinct values, left to right.
  ASSERT_TRUE(matchNamePattern("100x100x10", {"100", "100.0", "10"}, pattern));
  EXPECT_EQ(pattern, (AcArray<int>{1, 2, 3}));
  EXPECT_FALSE(matchNamePattern("100x100x10", {"100", "10"}, pattern));
  EXPECT_FALSE(matchNamePattern("HEA100", {"96", "100"}, pattern));
  ASSERT_TRUE(matchNamePattern("Lx80", {"80", "l"}, pattern));  // text without case
  EXPECT_EQ(pattern, (AcArray<int>{2, 1}));
  EXPECT_EQ(patternName({2, 1, 3}, {"100", "120", "5"}), "120x100x5");
  EXPECT_EQ(patternName({2, 9}, {"100", "120"}), "");
}

TEST_F(SizeEditorTest, EqualFirstPartsGoAmongTheirLikes) {
  Nx_ProfValuesTable t = tubes();
  // After 100x100x8, the one that sorts before it among the equal-sided ones.
  EXPECT_EQ(sortedInsertPosition(t, "100x100x10"), rowOf(t, "100x100x8") + 1);
  // Before every equal-sided one: still after the first of them.
  EXPECT_EQ(sortedInsertPosition(t, "60x60x5"), rowOf(t, "80x80x8") + 1);
  // Others by natural order among all names.
  EXPECT_EQ(sortedInsertPosition(t, "200x100x6"), rowOf(t, "200x100x8"));
}

TEST_F(SizeEditorTest, AutomaticNameFollowsTheValues) {
  Nx_ProfValuesTable t = tubes();
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_NAME), "RHS 200x100x5");
        EXPECT_FALSE(d.isItemEnabled(IDC_NAME));
        EXPECT_EQ(d.itemText(IDC_VALUE1_CAPTION), "A. h:");  // shape 10's own names
        EXPECT_TRUE(d.isItemShown(IDC_VALUE4));
        EXPECT_FALSE(d.isItemShown(IDC_VALUE5));
        EXPECT_EQ(static_cast<KvDlgEditLibSimple&>(d).namePattern(), (AcArray<int>{2, 1, 3}));
      })
      .type(IDC_VALUE1, "120")
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(IDC_NAME), "RHS 200x120x5"); })
      .ok();
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("200x100x5", t, index));
  int at = rowOf(t, "200x120x5");
  ASSERT_GE(at, 0);
  EXPECT_EQ(at, rowOf(t, "200x100x8") + 1);
  EXPECT_EQ(index, at);  // every row included
  EXPECT_EQ(t.rows[at][2], "RHS 200x120x5");
  EXPECT_EQ(t.rows[at][5], "RHS 200x120x5");
  EXPECT_EQ(t.rows[at][6], "120");
  EXPECT_EQ(t.rows.length(), 6);
}

TEST_F(SizeEditorTest, EqualSidedSizeIsInsertedAmongItsLikes) {
  Nx_ProfValuesTable t = tubes();
  script_.modal(kTemplateId).type(IDC_VALUE3, "10").ok();
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("100x100x8", t, index));
  EXPECT_EQ(rowOf(t, "100x100x10"), rowOf(t, "100x100x8") + 1);
  EXPECT_EQ(rowOf(t, "100x100x12"), rowOf(t, "100x100x10") + 1);
}

TEST_F(SizeEditorTest, OwnNameIsUsedInEveryLanguageWithoutPrefix) {
  Nx_ProfValuesTable t = tubes();
  script_.modal(kTemplateId)
      .click(IDC_OWN_NAME)
      .check([](Dialog& d) { EXPECT_TRUE(d.isItemEnabled(IDC_NAME)); })
      .type(IDC_NAME, "Special 1")
      .type(IDC_VALUE1, "140")  // no renaming with an own name
      .check([](Dialog& d) { EXPECT_EQ(d.itemText(IDC_NAME), "Special 1"); })
      .ok();
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("80x80x8", t, index));
  int at = rowOf(t, "Special 1");
  ASSERT_GE(at, 0);
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(t.rows[at][i], "Special 1");
}

TEST_F(SizeEditorTest, ExistingNameIsRefusedAndTheDialogStays) {
  Nx_ProfValuesTable t = tubes();
  script_.modal(kTemplateId)
      .click(IDC_OWN_NAME)
      .type(IDC_NAME, "100X100X8")  // names compare without case
      .ok()
      .type(IDC_NAME, "100x100x9")
      .ok();
  script_.answer(IDOK, "already");
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("100x100x8", t, index));
  EXPECT_EQ(t.rows.length(), 6);
  EXPECT_GE(rowOf(t, "100x100x9"), 0);
}

TEST_F(SizeEditorTest, ShapeTenCheckComesBeforeTheInsertion) {
  Nx_ProfValuesTable t = tubes("10");
  script_.modal(kTemplateId)
      .type(IDC_VALUE3, "6")
      .type(IDC_VALUE4, "4")  // radius neither 0 nor above the third value
      .ok()
      .check([](Dialog& d) {
        EXPECT_EQ(static_cast<KvDlgEditLibSimple&>(d).table().rows.length(), 5);
      })
      .type(IDC_VALUE4, "9")
      .ok();
  script_.answer(IDOK, "fourth value");
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("200x100x5", t, index));
  EXPECT_EQ(t.rows.length(), 6);  // one size, not one per OK
  ASSERT_GE(rowOf(t, "200x100x6"), 0);
  EXPECT_EQ(t.rows[rowOf(t, "200x100x6")][9], "9");
}

TEST_F(SizeEditorTest, CancelAndEmptyTablesLeaveTheTable) {
  Nx_ProfValuesTable t = tubes();
  script_.modal(kTemplateId).type(IDC_VALUE1, "300").cancel();
  int index = 7;
  EXPECT_FALSE(StartDlgEditLibSimple("200x100x5", t, index));
  EXPECT_EQ(index, 7);
  EXPECT_EQ(t.rows.length(), 5);
  Nx_ProfValuesTable empty;
  empty.columnNames = tubes().columnNames;
  script_.modal(kTemplateId).ok();
  script_.answer(IDOK, "no size");
  EXPECT_FALSE(StartDlgEditLibSimple("", empty, index));
  EXPECT_EQ(index, 7);
  EXPECT_TRUE(empty.rows.isEmpty());
}

TEST_F(SizeEditorTest, NamesThatRepeatNoValuesStartWithAnOwnName) {
  Nx_ProfValuesTable hea;
  ASSERT_TRUE(hea.readFromFile("HEA"));
  script_.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isChecked(IDC_OWN_NAME));
        EXPECT_FALSE(d.isItemEnabled(IDC_AUTO_NAME));
        EXPECT_TRUE(d.isItemEnabled(IDC_NAME));
        EXPECT_EQ(d.itemText(IDC_NAME), "HEA 100");
        EXPECT_EQ(d.itemText(IDC_VALUE5_CAPTION), "E. r:");  // the shape's names
        EXPECT_EQ(d.itemText(IDC_VALUE6_CAPTION), "F. A:");  // then the table's
      })
      .ok()  // "HEA 100" is the display name of HEA100: refused
      .type(IDC_NAME, "HEA90")
      .ok();
  script_.answer(IDOK, "already");
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("HEA100", hea, index));
  EXPECT_EQ(hea.rows.length(), 20);
  EXPECT_EQ(rowOf(hea, "HEA90"), 0);  // natural order: before HEA100
}

// A detailer adds an HEA 650 and a standards sheet finds it at once.
TEST_F(SizeEditorTest, NewHeaSizeIsFoundByTheSectionFunctions) {
  Nx_ProfValuesTable hea;
  ASSERT_TRUE(hea.readFromFile("HEA"));
  ASSERT_LT(rowOf(hea, "HEA650"), 0);
  script_.modal(kTemplateId)
      .click(IDC_OWN_NAME)
      .type(IDC_NAME, "HEA650")
      .type(IDC_VALUE1, "640")
      .type(IDC_VALUE2, "300")
      .type(IDC_VALUE3, "13.5")
      .type(IDC_VALUE4, "26")
      .type(IDC_VALUE5, "27")
      .ok();
  int index = -1;
  ASSERT_TRUE(StartDlgEditLibSimple("HEA600", hea, index));
  EXPECT_EQ(rowOf(hea, "HEA650"), rowOf(hea, "HEA600") + 1);
  EXPECT_EQ(index, 19);
  ASSERT_EQ(hea.setToGlobals(&gSectionTables), Acad::eOk);

  grid::Sheet sheet;
  ASSERT_EQ(registerStandardsFunctions(sheet), Acad::eOk);
  auto eval = [&](const char* formula) { return gridtest::eval(sheet, formula); };
  EXPECT_EQ(eval("=SECTIONSIZE(\"HEA650\", 1)"), "640");
  EXPECT_EQ(eval("=SECTIONSIZE(\"HEA650\", 3)"), "13.5");
  EXPECT_EQ(eval("=GETSYSNAME(\"HEA650\")"), "HEA650");
}
