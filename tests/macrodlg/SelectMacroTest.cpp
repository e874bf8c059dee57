#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "platform/arx/acutil.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_SELECTMACRO.h"

using namespace ui;
using namespace dlg_selectmacro;

namespace {
const Nx_StringArray kNames = {"(built-in)", "EP-101", "FP-7", "BP-3"};
}

TEST(SelectMacro, OneNameFromFirstOnWithTheOption) {
  test::GTestScript script;
  Nx_String chosen = "unchanged";
  bool option = false;
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_EQ(d.text(), "Attach to");
        EXPECT_FALSE(d.isItemShown(IDC_NAMES_MULTI));
        ASSERT_EQ(d.listCount(IDC_NAMES), 3);  // names before first are not offered
        EXPECT_EQ(d.listText(IDC_NAMES, 0), "EP-101");
        EXPECT_EQ(d.listSelection(IDC_NAMES), 1);  // selected counts in all names
      })
      .click(IDC_OPTION)
      .doubleClick(IDC_NAMES, 2);
  ASSERT_TRUE(StartDlgSelectMacro("Attach to", kNames, 1, 2, chosen, option, false));
  EXPECT_EQ(chosen, "BP-3");
  EXPECT_TRUE(option);

  // A first index outside the names lists them all.
  script.modal(kTemplateId)
      .check([](Dialog& d) { EXPECT_EQ(d.listCount(IDC_NAMES), 4); })
      .pick(IDC_NAMES, 0)
      .ok();
  ASSERT_TRUE(StartDlgSelectMacro("", kNames, 9, -1, chosen, option, false));
  EXPECT_EQ(chosen, "(built-in)");
}

TEST(SelectMacro, SeveralNamesStartFromTheFlagsAndComeBackJoined) {
  test::GTestScript script;
  Nx_String chosen;
  bool option = true;
  AcArray<bool> flags = {false, true, false};  // shorter than the names: the rest unset
  script.modal(kTemplateId)
      .check([](Dialog& d) {
        EXPECT_FALSE(d.isItemShown(IDC_NAMES));
        EXPECT_TRUE(d.isChecked(IDC_OPTION));
      })
      .pick(IDC_NAMES_MULTI, "BP-3")
      .ok();
  ASSERT_TRUE(StartDlgSelectMacro("", kNames, flags, 0, 0, chosen, option, true));
  EXPECT_EQ(chosen, "EP-101;BP-3");
}

TEST(SelectMacro, NoChoiceIsRefusedAndCancelKeepsTheAnswers) {
  test::GTestScript script;
  AcutPrintCapture printed;
  Nx_String chosen = "EP-101";
  bool option = true;
  script.modal(kTemplateId)
      .ok()
      .check([](Dialog& d) { EXPECT_FALSE(d.hasEnded()); })
      .click(IDC_OPTION)
      .pick(IDC_NAMES, "FP-7")
      .cancel();
  script.answer(IDOK, "Choose a macro.");
  EXPECT_FALSE(StartDlgSelectMacro("", kNames, 0, -1, chosen, option, false));
  EXPECT_EQ(chosen, "EP-101");
  EXPECT_TRUE(option);
  EXPECT_TRUE(script.done());

  EXPECT_FALSE(StartDlgSelectMacro("", {}, 0, 0, chosen, option, false));
  EXPECT_EQ(printed.text(), "Select macro: there are no macros to choose from.\n");
}
