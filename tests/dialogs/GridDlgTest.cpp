#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "dialogs/KvGridDlg.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_GRID.h"

using namespace ui;
using namespace dlg_grid;

TEST(GridDialog, ShowsTheRecordAndReadsItBackOnOk) {
  test::GTestScript script;
  KvGridDlgData data;
  data.option = true;
  data.firstLabel = "\xC4";  // Windows-1252 stays as it is
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(IDC_FIRST_COUNT), "4");
        EXPECT_EQ(d.itemText(IDC_FIRST_SPACING), "5000");
        EXPECT_EQ(d.itemText(IDC_FIRST_LABEL), "\xC4");
        EXPECT_EQ(d.itemText(IDC_SECOND_COUNT), "3");
        EXPECT_EQ(d.itemText(IDC_SECOND_SPACING), "5000");
        EXPECT_EQ(d.itemText(IDC_SECOND_LABEL), "1");
        EXPECT_TRUE(d.isChecked(IDC_OPTION));
      })
      .type(IDC_FIRST_COUNT, "7")
      .type(IDC_FIRST_SPACING, "2500 2500")
      .type(IDC_SECOND_COUNT, "12 fields")
      .type(IDC_SECOND_LABEL, "10")
      .click(IDC_OPTION)
      .ok();
  ASSERT_TRUE(StartDlgGrid(data));
  EXPECT_EQ(data.firstCount, 7);
  EXPECT_EQ(data.firstSpacing, "2500 2500");
  EXPECT_EQ(data.secondCount, 12);  // the leading number, as the C library reads it
  EXPECT_EQ(data.secondLabel, "10");
  EXPECT_FALSE(data.option);
}

TEST(GridDialog, CountTypedAsTextIsStoredAsZero) {
  test::GTestScript script;
  KvGridDlgData data;
  script.modal(kTemplateId).type(IDC_FIRST_COUNT, "x").type(IDC_SECOND_COUNT, "").ok();
  ASSERT_TRUE(StartDlgGrid(data));
  EXPECT_EQ(data.firstCount, 0);
  EXPECT_EQ(data.secondCount, 0);
}

TEST(GridDialog, CancelLeavesTheRecordExactlyAsItWas) {
  test::GTestScript script;
  KvGridDlgData data;
  data.secondSpacing = "6000";
  const KvGridDlgData before = data;
  script.modal(kTemplateId)
      .type(IDC_FIRST_COUNT, "9")
      .type(IDC_FIRST_LABEL, "Z")
      .click(IDC_OPTION)
      .cancel();
  script.modal(kTemplateId).type(IDC_FIRST_COUNT, "9").key(VK_ESCAPE);
  script.modal(kTemplateId).type(IDC_FIRST_COUNT, "9").close();
  EXPECT_FALSE(StartDlgGrid(data));
  EXPECT_FALSE(StartDlgGrid(data));
  EXPECT_FALSE(StartDlgGrid(data));
  EXPECT_TRUE(data == before);
}

TEST(GridDialog, DefaultsOfTheRecord) {
  KvGridDlgData d;
  EXPECT_EQ(d.firstCount, 4);
  EXPECT_EQ(d.firstSpacing, "5000");
  EXPECT_EQ(d.firstLabel, "A");
  EXPECT_EQ(d.secondCount, 3);
  EXPECT_EQ(d.secondLabel, "1");
  EXPECT_FALSE(d.option);
  KvGridDlgData copy(d);
  copy.firstCount = 1;
  EXPECT_FALSE(copy == d);
  copy = d;
  EXPECT_TRUE(copy == d);
}
