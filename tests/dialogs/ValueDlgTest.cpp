#include <gtest/gtest.h>

#include "platform/ui/Services.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_VALUE.h"
#include "spreadsheet/CaptionDlg.h"
#include "spreadsheet/KvValueDlg.h"

using namespace ui;
using namespace dlg_value;

TEST(ValueDialog, ProposesTheTextAndAnswersTheEntry) {
  test::GTestScript script;
  Nx_String name = "Group 1";
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "New group");
        EXPECT_EQ(d.itemText(IDC_PROMPT), "Name of the group");
        EXPECT_EQ(d.itemText(IDC_TEXT), "Group 1");
        EXPECT_FALSE(d.isItemShown(IDC_LABEL));  // no label
        EXPECT_EQ(focusWindow(), d.item(IDC_TEXT));
      })
      .type(IDC_TEXT, "Beams")
      .ok();
  ASSERT_TRUE(KvValueDlg::ask("New group", "Name of the group", name));
  EXPECT_EQ(name, "Beams");
  script.modal(kTemplateId).type(IDC_TEXT, "lost").cancel();
  EXPECT_FALSE(KvValueDlg::ask("New group", "Name of the group", name));
  EXPECT_EQ(name, "Beams");
}

TEST(CaptionDialog, RowAndColumnLabels) {
  test::GTestScript script;
  Nx_String caption;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_TRUE(d.isItemShown(IDC_LABEL));
        std::string label = d.itemText(IDC_LABEL);
        EXPECT_EQ(label.back(), ':');
      })
      .type(IDC_TEXT, "Total")
      .key(VK_RETURN);
  ASSERT_TRUE(KvCaptionDlg::askRowOrColumn(true, caption));
  EXPECT_EQ(caption, "Total");
  Nx_String row, column;
  script.modal(kTemplateId).check([&](Dialog& d) { row = d.itemText(IDC_LABEL); }).cancel();
  script.modal(kTemplateId).check([&](Dialog& d) { column = d.itemText(IDC_LABEL); }).cancel();
  KvCaptionDlg::askRowOrColumn(true, caption);
  KvCaptionDlg::askRowOrColumn(false, caption);
  EXPECT_NE(row, column);
  EXPECT_EQ(caption, "Total");
}
