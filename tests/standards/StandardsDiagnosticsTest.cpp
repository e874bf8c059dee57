#include <gtest/gtest.h>

#include "core/Nx_Settings.h"
#include "platform/ui/testing/GTestScript.h"
#include "standards/StandardsDiagnostics.h"

namespace {

const char kTip[] =
    "Here's a tip for finding the cause :\n"
    "If this equation contains variable names, then the translator does not know the value of the "
    "variable. Make sure the variable exists either in input, output, local declarations or among "
    "the gen_ variables.";

TEST(StandardsDiagnostics, EquationText) {
  EXPECT_EQ(
      equationFailureText("/lib/Connection Standards/EP.kvs", 12, "Width", "Height * 2").str(),
      std::string("The following equation failed:\nWidth = Height * 2\n"
                  "Spreadsheet : /lib/Connection Standards/EP.kvs (line: 12)\n") +
          kTip);
  // A cell without a target variable: the equation is the whole text.
  EXPECT_EQ(
      equationFailureText("/lib/a.kvs", 7, "", "abc").str(),
      std::string("The following equation failed:\nabc\nSpreadsheet : /lib/a.kvs (line: 7)\n") +
          kTip);
}

TEST(StandardsDiagnostics, ToleranceText) {
  EXPECT_EQ(invalidTolerancesText(-3, 1).str(),
            "Invalid tolerances provided.\n DownTolerance is :-3.00UpTolerance is :1.00\n"
            "Adding both tolerances should result in a positive value.");
  EXPECT_EQ(invalidTolerancesText(0.126, -0.5).str(),
            "Invalid tolerances provided.\n DownTolerance is :0.13UpTolerance is :-0.50\n"
            "Adding both tolerances should result in a positive value.");
}

TEST(StandardsDiagnostics, VariableText) {
  EXPECT_EQ(variableFailureText("/lib/a.kvs", false, "Width").str(),
            "The following Output variable couldn't be set : \nWidth\n"
            "Make sure the variable exists in the macro or module.\nSpreadsheet : /lib/a.kvs");
  EXPECT_EQ(variableFailureText("/lib/a.kvs", true, "Column").str(),
            "The following Input variable couldn't be retrieved : \nColumn\n"
            "Make sure the variable exists in the macro or module.\nSpreadsheet : /lib/a.kvs");
}

class SwitchedDiagnostics : public ::testing::Test {
 protected:
  void SetUp() override { saved = gSettings.showStandardsMessages; }
  void TearDown() override { gSettings.showStandardsMessages = saved; }
  bool saved = false;
  ui::test::GTestScript script;
};

TEST_F(SwitchedDiagnostics, SilentWhileTheSwitchIsOff) {
  gSettings.showStandardsMessages = false;
  reportEquationFailure("/lib/a.kvs", 3, "X", "Y");
  reportInvalidTolerances(-1, 0);
  reportVariableFailure("/lib/a.kvs", true, "X");
  EXPECT_TRUE(script.messageBoxes().empty());
}

TEST_F(SwitchedDiagnostics, OneExclamationBoxPerReportWhenOn) {
  gSettings.showStandardsMessages = true;
  script.answer(ui::IDOK, "Input variable").answer(ui::IDOK, "DownTolerance").answer(ui::IDOK);
  reportVariableFailure("/lib/a.kvs", true, "Column");
  reportInvalidTolerances(-3, 1);
  reportEquationFailure("/lib/a.kvs", 7, "", "abc");
  ASSERT_EQ(script.messageBoxes().size(), 3u);
  for (const ui::MessageBoxRequest& box : script.messageBoxes()) {
    EXPECT_EQ(box.type, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, nullptr);
  }
  EXPECT_EQ(script.messageBoxes()[2].text, equationFailureText("/lib/a.kvs", 7, "", "abc").str());
  EXPECT_TRUE(script.done());
}

}  // namespace
