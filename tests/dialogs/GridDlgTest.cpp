#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "dialogs/KvGridDlg.h"
#include "platform/ui/testing/GTestScript.h"

using namespace ui;

TEST(GridDialog, ShowsTheRecordAndReadsItBackOnOk) {
  test::GTestScript script;
  KvGridDlgData data;
  data.option = true;
  data.firstLabel = "\xC4";  // Windows-1252 stays as it is
  script.modal(242)
      .check([](Dialog& d) {
        EXPECT_EQ(d.itemText(1367), "4");
        EXPECT_EQ(d.itemText(1369), "5000");
        EXPECT_EQ(d.itemText(1371), "\xC4");
        EXPECT_EQ(d.itemText(1374), "3");
        EXPECT_EQ(d.itemText(1377), "5000");
        EXPECT_EQ(d.itemText(1379), "1");
        EXPECT_TRUE(d.isChecked(1380));
      })
      .type(1367, "7")
      .type(1369, "2500 2500")
      .type(1374, "12 fields")
      .type(1379, "10")
      .click(1380)
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
  script.modal(242).type(1367, "x").type(1374, "").ok();
  ASSERT_TRUE(StartDlgGrid(data));
  EXPECT_EQ(data.firstCount, 0);
  EXPECT_EQ(data.secondCount, 0);
}

TEST(GridDialog, CancelLeavesTheRecordExactlyAsItWas) {
  test::GTestScript script;
  KvGridDlgData data;
  data.secondSpacing = "6000";
  const KvGridDlgData before = data;
  script.modal(242).type(1367, "9").type(1371, "Z").click(1380).cancel();
  script.modal(242).type(1367, "9").key(VK_ESCAPE);
  script.modal(242).type(1367, "9").close();
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
