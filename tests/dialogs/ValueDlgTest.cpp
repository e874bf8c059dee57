#include <gtest/gtest.h>

#include "platform/ui/Services.h"
#include "platform/ui/testing/GTestScript.h"
#include "spreadsheet/CaptionDlg.h"
#include "spreadsheet/KvValueDlg.h"

using namespace ui;

TEST(ValueDialog, ProposesTheTextAndAnswersTheEntry) {
  test::GTestScript script;
  Nx_String name = "Group 1";
  script.modal(8950)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "New group");
        EXPECT_EQ(d.itemText(1150), "Name of the group");
        EXPECT_EQ(d.itemText(1000), "Group 1");
        EXPECT_FALSE(d.isItemShown(1151));  // no label
        EXPECT_EQ(focusWindow(), d.item(1000));
      })
      .type(1000, "Beams")
      .ok();
  ASSERT_TRUE(KvValueDlg::ask("New group", "Name of the group", name));
  EXPECT_EQ(name, "Beams");
  script.modal(8950).type(1000, "lost").cancel();
  EXPECT_FALSE(KvValueDlg::ask("New group", "Name of the group", name));
  EXPECT_EQ(name, "Beams");
}

TEST(CaptionDialog, RowAndColumnLabels) {
  test::GTestScript script;
  Nx_String caption;
  script.modal(8950)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isItemShown(1151));
        std::string label = d.itemText(1151);
        EXPECT_EQ(label.back(), ':');
      })
      .type(1000, "Total")
      .key(VK_RETURN);
  ASSERT_TRUE(KvCaptionDlg::askRowOrColumn(true, caption));
  EXPECT_EQ(caption, "Total");
  Nx_String row, column;
  script.modal(8950).check([&](Dialog& d) { row = d.itemText(1151); }).cancel();
  script.modal(8950).check([&](Dialog& d) { column = d.itemText(1151); }).cancel();
  KvCaptionDlg::askRowOrColumn(true, caption);
  KvCaptionDlg::askRowOrColumn(false, caption);
  EXPECT_NE(row, column);
  EXPECT_EQ(caption, "Total");
}
