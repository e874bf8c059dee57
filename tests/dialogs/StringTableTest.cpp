#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_SS_STRINGARRAY.h"
#include "spreadsheet/Nx_Spread.h"

using namespace ui;
using namespace dlg_ss_stringarray;

namespace {
Nx_Spread& table(Dialog& d) {
  return *d.itemAs<Nx_Spread>(IDC_TABLE);
}

Nx_Array<Nx_StringArray> sampleRows() {
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"HEA200", "S355"});
  rows.append(Nx_StringArray{"IPE240", "S235"});
  return rows;
}

Nx_StringArray row(Dialog& d, int r) {
  Nx_StringArray values;
  table(d).getRowValues(r, values);
  return values;
}
}  // namespace

TEST(StringTable, RowOperationsAndEditsComeBackOnOk) {
  test::GTestScript script;
  auto rows = sampleRows();
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Profiles");
        EXPECT_EQ(d.itemText(IDC_HEADING), "One row per profile");
        Nx_StringArray captions;
        table(d).getColumnHeaders(captions);
        EXPECT_EQ(captions, (Nx_StringArray{"Section", "Grade"}));
        EXPECT_EQ(row(d, 2), (Nx_StringArray{"IPE240", "S235"}));
        EXPECT_TRUE(table(d).userEdit(2, 1, "S275"));
        table(d).userMoveTo(1, 1);
      })
      .click(IDC_ADD)  // below the active row, with the edit kept
      .check([](Dialog& d) {
        ASSERT_EQ(table(d).getMaxRows(), 3);
        EXPECT_EQ(row(d, 1), (Nx_StringArray{"HEA200", "S275"}));
        EXPECT_EQ(row(d, 2), (Nx_StringArray{"", ""}));
        EXPECT_TRUE(table(d).userEdit(1, 2, "UNP160"));
      })
      .click(IDC_DOWN)  // the new row moves below IPE240
      .check([](Dialog& d) {
        EXPECT_EQ(row(d, 3)[0], "UNP160");
        table(d).userMoveTo(1, 1);
      })
      .click(IDC_REMOVE)
      .ok();
  ASSERT_TRUE(
      startGridDialog({"Section", "Grade"}, {}, rows, true, "Profiles", "One row per profile"));
  ASSERT_EQ(rows.length(), 2);
  EXPECT_EQ(rows[0], (Nx_StringArray{"IPE240", "S235"}));
  EXPECT_EQ(rows[1], (Nx_StringArray{"UNP160", ""}));
}

TEST(StringTable, CancelLeavesTheRowsAsTheyWere) {
  test::GTestScript script;
  auto rows = sampleRows();
  script.modal(kTemplateId)
      .check([](Dialog& d) { table(d).userEdit(1, 1, "changed"); })
      .click(IDC_ADD)
      .cancel();
  script.modal(kTemplateId).click(IDC_REMOVE).key(VK_ESCAPE);
  EXPECT_FALSE(startGridDialog({"Section", "Grade"}, {}, rows, true, "", ""));
  EXPECT_FALSE(startGridDialog({"Section", "Grade"}, {}, rows, true, "", ""));
  ASSERT_EQ(rows.length(), 2);
  EXPECT_EQ(rows[0][0], "HEA200");
}

TEST(StringTable, ReadOnlyTableAndCaptionedRowsCannotBeChanged) {
  test::GTestScript script;
  auto rows = sampleRows();
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_FALSE(table(d).userEdit(1, 1, "x"));
        for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN, int(IDCANCEL)})
          EXPECT_FALSE(d.isItemShown(id)) << id;
      })
      .ok();
  EXPECT_TRUE(startGridDialog({"Section", "Grade"}, {}, rows, false, "", ""));
  EXPECT_EQ(rows[0][0], "HEA200");

  // Rows the caller captions stay that set of rows; their texts can change.
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        Nx_StringArray captions;
        table(d).getRowHeaders(captions);
        EXPECT_EQ(captions, (Nx_StringArray{"Top", "Bottom"}));
        EXPECT_FALSE(d.isItemShown(IDC_ADD));
        EXPECT_TRUE(table(d).userEdit(1, 2, "IPE270"));
      })
      .ok();
  EXPECT_TRUE(startGridDialog({"Section", "Grade"}, {"Top", "Bottom"}, rows, true, "", ""));
  EXPECT_EQ(rows[1][0], "IPE270");
}

TEST(StringTable, TextsBeyondTheCaptionsAreKept) {
  test::GTestScript script;
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"a", "b", "c"});
  rows.append(Nx_StringArray{"d"});
  script.modal(kTemplateId).ok();
  ASSERT_TRUE(startGridDialog({"Only"}, {}, rows, true, "", ""));
  EXPECT_EQ(rows[0], (Nx_StringArray{"a", "b", "c"}));
  EXPECT_EQ(rows[1], (Nx_StringArray{"d", "", ""}));
}
