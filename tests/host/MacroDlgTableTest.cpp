#include <gtest/gtest.h>

#include "common/SSExports.h"
#include "host/MacroDlgTable.h"
#include "macrodlg/KvMacroDlg.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Services.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/testing/GTestScript.h"
#include "resources/dialogs/DLG_MACRO.h"
#include "tests/host/ModuleTestResources.h"

namespace {

MacroData macroData(const char* name) {
  MacroData data;
  data.names = Nx_StringArray{name};
  data.tabs.append(MacroTabData("Plates", "Plates", kTabGrid));
  MacroTabData bolts("Bolts", "Bolts", kTabGridBolts);
  bolts.setBoltData(MacroBoltData("20", "2"));
  bolts.patterns.append(MacroPatternData("Pattern1", "4", "2"));
  data.tabs.append(bolts);
  return data;
}

class MacroDlgTable : public ::testing::Test {
 protected:
  void SetUp() override { registerModuleTemplates(); }
  void TearDown() override {
    for (auto& dlg : gMacroDlgs)
      if (dlg) dlg->setDeferClose(false);
    DestroyAllMacroDlgs();
    script.advanceClock(1000);
    EXPECT_TRUE(gMacroDlgs.empty());
    EXPECT_TRUE(gDelayedCloses.empty());
  }
  int open(const char* name) {
    MacroData data = macroData(name);
    int index = -7;
    EXPECT_TRUE(StartDlgMacroModeless(true, data, index));
    return index;
  }
  KvMacroDlg& dlg(int index) { return *gMacroDlgs[index]; }

  ui::test::GTestScript script;
  AcutPrintCapture commandLine;
};

TEST_F(MacroDlgTable, SlotsAreHandedOutInOrderAndShown) {
  EXPECT_EQ(open("A"), 0);
  EXPECT_EQ(open("B"), 1);
  EXPECT_EQ(open("C"), 2);
  EXPECT_TRUE(dlg(1).isVisible());
  EXPECT_EQ(dlg(1).index(), 1);
  EXPECT_EQ(dlg(1).owner(), &ui::mainWindow());
  EXPECT_EQ(dlg(1).text(), "Macro: B");
  EXPECT_EQ(dlg(1).itemAs<ui::TabControl>(dlg_macro::IDC_TABS)->count(), 2);
}

TEST_F(MacroDlgTable, AClosedSlotIsReused) {
  open("A");
  open("B");
  open("C");
  EXPECT_TRUE(EndDlgMacroModeless(1));
  EXPECT_EQ(gMacroDlgs.size(), 3u);
  EXPECT_EQ(gMacroDlgs[1], nullptr);
  MacroData kept = macroData("kept");
  EXPECT_FALSE(GetDlgMacroData(1, kept));
  EXPECT_EQ(kept.names[0], "kept");
  EXPECT_EQ(open("D"), 1);
}

TEST_F(MacroDlgTable, TheLastFreeSlotIsTaken) {
  for (const char* n : {"A", "B", "C", "D"}) open(n);
  EXPECT_TRUE(EndDlgMacroModeless(0));
  EXPECT_TRUE(EndDlgMacroModeless(2));
  EXPECT_EQ(open("E"), 2);
  EXPECT_EQ(open("F"), 0);
  EXPECT_EQ(open("G"), 4);
}

TEST_F(MacroDlgTable, ClosingTheLastSlotTrimsFreeSlots) {
  open("A");
  open("B");
  open("C");
  EXPECT_TRUE(EndDlgMacroModeless(1));
  int prompts = acedHostRequests().promptRequests;
  EXPECT_TRUE(EndDlgMacroModeless(2));
  EXPECT_EQ(acedHostRequests().promptRequests, prompts + 1);
  EXPECT_EQ(gMacroDlgs.size(), 1u);
  EXPECT_EQ(open("D"), 1);
}

TEST_F(MacroDlgTable, NothingToCloseOrRead) {
  EXPECT_FALSE(EndDlgMacroModeless(0));
  open("A");
  EXPECT_FALSE(EndDlgMacroModeless(-1));
  EXPECT_FALSE(EndDlgMacroModeless(1));
  MacroData data;
  EXPECT_FALSE(GetDlgMacroData(5, data));
  EXPECT_TRUE(GetDlgMacroData(0, data));
  EXPECT_EQ(data.names[0], "A");
  EXPECT_EQ(data.tabCount(), 2);
}

TEST_F(MacroDlgTable, ADeferredCloseHappensFiftyMillisecondsLater) {
  open("A");
  dlg(0).setDeferClose(true);
  EXPECT_TRUE(EndDlgMacroModeless(0));
  ASSERT_EQ(gDelayedCloses.size(), 1u);
  EXPECT_EQ(gDelayedCloses[0].index, 0);
  int timer = gDelayedCloses[0].timerId;
  dlg(0).setDeferClose(false);
  script.advanceClock(49);
  EXPECT_NE(gMacroDlgs[0], nullptr);
  EXPECT_EQ(commandLine.text(), "");
  script.advanceClock(1);
  EXPECT_EQ(commandLine.text(), "Delayed timer called.\n");
  EXPECT_TRUE(gMacroDlgs.empty());
  EXPECT_TRUE(gDelayedCloses.empty());
  EXPECT_FALSE(ui::isTimerRunning(timer));
}

TEST_F(MacroDlgTable, AStillBusyDialogDefersAgain) {
  open("A");
  dlg(0).setDeferClose(true);
  EndDlgMacroModeless(0);
  int first = gDelayedCloses[0].timerId;
  script.advanceClock(50);
  ASSERT_EQ(gMacroDlgs.size(), 1u);
  ASSERT_EQ(gDelayedCloses.size(), 1u);
  EXPECT_NE(gDelayedCloses[0].timerId, first);
  dlg(0).setDeferClose(false);
  script.advanceClock(50);
  EXPECT_EQ(commandLine.text(), "Delayed timer called.\nDelayed timer called.\n");
  EXPECT_TRUE(gMacroDlgs.empty());
}

TEST_F(MacroDlgTable, TheCloseButtonRemovesTheDialogAfterItsHandler) {
  open("A");
  open("B");
  acedHostRequests().postedCommands.clear();
  script.now(dlg(1)).click(1);
  // The dialog closed itself from its own handler: the close waits.
  ASSERT_EQ(gMacroDlgs.size(), 2u);
  EXPECT_TRUE(dlg(1).isClosing());
  EXPECT_EQ(acedHostRequests().postedCommands, std::vector<std::string>{"CANCELCMD"});
  script.advanceClock(50);
  EXPECT_EQ(gMacroDlgs.size(), 1u);
  EXPECT_EQ(commandLine.text(), "Delayed timer called.\n");
}

TEST_F(MacroDlgTable, DestroyAllEndsEveryDialog) {
  open("A");
  open("B");
  open("C");
  EndDlgMacroModeless(1);
  DestroyAllMacroDlgs();
  EXPECT_TRUE(gMacroDlgs.empty());
}

TEST_F(MacroDlgTable, FocusGoesBackToTheHostUnlessKept) {
  MacroData data = macroData("A");
  int index = -1;
  ASSERT_TRUE(StartDlgMacroModeless(false, data, index));
  EXPECT_EQ(ui::focusWindow(), &ui::mainWindow());
}

TEST(MacroDlgModal, CloseEndsTheModalLoopWithOk) {
  registerModuleTemplates();
  ui::test::GTestScript script;
  KvMacroDlg dlg(macroData("A"));
  script.modal(KvMacroDlg::kTemplateId).click(ui::IDOK);
  int prompts = acedHostRequests().promptRequests;
  EXPECT_EQ(dlg.doModal(), ui::IDOK);
  EXPECT_EQ(acedHostRequests().promptRequests, prompts + 1);
  EXPECT_EQ(dlg.index(), -1);
}

}  // namespace
