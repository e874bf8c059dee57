// The shell of the macro dialog: pages by tab kind, what it cannot show,
// sizes, its settings key, the filters and the clash-check conversation.
#include "core/macro/MacroFilters.h"
#include "macrodlg/MacroDesignedPage.h"
#include "macrodlg/MacroGridPage.h"
#include "macrodlg/MacroProfilePage.h"
#include "platform/arx/aced.h"
#include "tests/macrodlg/MacroDlgFixture.h"

namespace {

using MacroDlgShell = MacroDlgFixture;

MacroData tabsOfKinds(std::initializer_list<int> kinds) {
  MacroData data;
  data.names = Nx_StringArray{"T-1"};
  int n = 0;
  for (int kind : kinds) {
    Nx_String name = Nx_String("Tab") + Nx_String(n++);
    data.tabs.append(MacroTabData(name, name, kind));
  }
  return data;
}

TEST_F(MacroDlgShell, PagesFollowTheTabKindsAndAnUnknownKindIsSaidOnce) {
  KvMacroDlg& d = open(tabsOfKinds({kTabGrid, kTabProfiles, 5, kTabGridCuts}));
  ASSERT_EQ(tabs().count(), 3);
  EXPECT_EQ(tabs().itemText(2), "Tab3");
  EXPECT_NE(dynamic_cast<MacroGridPage*>(d.page(0)), nullptr);
  EXPECT_NE(dynamic_cast<MacroProfilePage*>(d.page(1)), nullptr);
  EXPECT_EQ(d.page(2)->tabIndex(), 3);
  // Pages are children of the tab control, in its page area, one shown.
  EXPECT_EQ(d.page(0)->parent(), &tabs());
  EXPECT_GT(d.page(0)->rect().top, tabs().itemRect(0).bottom);
  EXPECT_TRUE(d.page(0)->isVisible());
  EXPECT_FALSE(d.page(1)->isVisible());

  d.rebuildPages();
  ASSERT_EQ(d.reported().size(), 1u);
  EXPECT_NE(d.reported()[0].find("Tab2: no page for a tab of kind 5"), std::string::npos);
  EXPECT_EQ(commandLine.text().find("kind 5"), commandLine.text().rfind("kind 5"));
}

TEST_F(MacroDlgShell, TheSelectedTabShowsItsPageAndLeavesTheOtherStored) {
  KvMacroDlg& d = open("EP-101");
  // EP-101 opens on its EndPlate tab, the designed end plate.
  EXPECT_EQ(d.currentPage(), 0);
  EXPECT_NE(dynamic_cast<MacroDesignedPage*>(d.page(0)), nullptr);
  auto* bolts = select<MacroGridPage>(1);
  ASSERT_NE(bolts, nullptr);
  EXPECT_EQ(d.currentPage(), 1);
  EXPECT_FALSE(d.page(0)->isVisible());
  EXPECT_TRUE(bolts->isVisible());
  ASSERT_TRUE(bolts->sheet().userEdit(MacroGridPage::kValueCol, 1, "125"));
  select<MacroGridPage>(2);
  EXPECT_EQ(variable("EP-101", "Bolts", "Pitch"), 125.0);
}

TEST_F(MacroDlgShell, SizeIsBoundedFirstByAFixedMinimumThenByThePages) {
  KvMacroDlg& d = open(tabsOfKinds({kTabGrid}));
  EXPECT_FALSE(d.isSized());
  EXPECT_EQ(d.minimumSize(), KvMacroDlg::kFirstMinSize);
  d.userResize({100, 100});
  EXPECT_TRUE(d.isSized());
  const ui::Size need = d.page(0)->neededSize();
  const ui::Size min = d.minimumSize();
  EXPECT_GE(min.width, need.width + KvMacroDlg::kPageMargins.width);
  EXPECT_GE(min.height, need.height + KvMacroDlg::kPageMargins.height);
  d.userResize({100, 100});
  EXPECT_EQ(d.rect().size(), min);
  // Growing moves the bottom row and the right-hand buttons with the edges.
  const ui::Rect close = d.item(ui::IDOK)->rect();
  const ui::Rect other = d.item(dlg_macro::IDC_OTHER_MACROS)->rect();
  d.userResize({min.width + 100, min.height + 50});
  EXPECT_EQ(d.item(ui::IDOK)->rect().left, close.left + 100);
  EXPECT_EQ(d.item(ui::IDOK)->rect().top, close.top + 50);
  EXPECT_EQ(d.item(dlg_macro::IDC_OTHER_MACROS)->rect().left, other.left);
  EXPECT_EQ(tabs().rect().width(), d.item(dlg_macro::IDC_TABS)->rect().width());
}

TEST_F(MacroDlgShell, TheSizeIsStoredUnderItsKeyAndComesBack) {
  MacroData data = tabsOfKinds({kTabGrid});
  data.kind = 4;
  EXPECT_EQ(macroDlgSettingsKey(data), "DLG_MACRO_EDITVARS_4_MACROS");
  data.groupNames = Nx_StringArray{"Plates", "Bolts"};
  data.currentGroup = 1;
  EXPECT_EQ(macroDlgSettingsKey(data), "DLG_MACRO_EDITVARS_GROUP_Bolts");
  data.currentGroup = 2;
  EXPECT_EQ(macroDlgSettingsKey(data), "DLG_MACRO_EDITVARS_4_MACROS");
  data.kind = 1;
  EXPECT_EQ(macroDlgSettingsKey(data), "DLG_MACRO_EDITVARS_T-1");
  data.names.removeAll();
  EXPECT_EQ(macroDlgSettingsKey(data), "DLG_MACRO_EDITVARS_");

  KvMacroDlg& d = open(tabsOfKinds({kTabGrid}));
  d.userResize({700, 520});
  d.destroyWindow();
  KvMacroDlg& again = open(tabsOfKinds({kTabGrid}));
  EXPECT_EQ(again.rect().size(), (ui::Size{700, 520}));
}

TEST_F(MacroDlgShell, TheGroupFilterShowsOneTabAndTheVariableFilterItsRows) {
  KvMacroDlg& d = open("EP-101");
  ASSERT_EQ(tabs().count(), 3);
  ui::Steps steps = script.now(d);
  steps.pick(dlg_macro::IDC_FILTER, "Bolts");
  ASSERT_EQ(tabs().count(), 1);
  EXPECT_EQ(tabs().itemText(0), "Bolts");
  EXPECT_EQ(d.settingsKey(), "DLG_MACRO_EDITVARS_GROUP_Bolts");
  auto* grid = dynamic_cast<MacroGridPage*>(d.page(0));
  ASSERT_NE(grid, nullptr);
  // Unsetting a variable's settable flag takes it off the settable filter.
  ASSERT_TRUE(grid->sheet().userClickCell(MacroGridPage::kSettableCol, 2));
  steps.pick(dlg_macro::IDC_SHOW, "Settable variables");
  grid = dynamic_cast<MacroGridPage*>(d.page(0));
  ASSERT_EQ(grid->shownRows().size(), 2u);
  EXPECT_EQ(grid->shownRows()[1].name, "FirstRow");
  steps.pick(dlg_macro::IDC_FILTER, 0);
  EXPECT_EQ(tabs().count(), 3);
  EXPECT_EQ(d.macroData().currentGroup, -1);
}

TEST_F(MacroDlgShell, TheCoreHearsOfStartChecksAndClose) {
  clashSetStatus(true);
  clearClashCalls();
  KvMacroDlg& d = open("EP-101");
  EXPECT_TRUE(d.isChecked(dlg_macro::IDC_CLASH_CHECK));
  script.now(d).click(dlg_macro::IDC_CLASH_CHECK);
  EXPECT_FALSE(clashStatus());
  d.destroyWindow();
  EXPECT_EQ(clashCalls(), (std::vector<std::string>{"started -1", "reset 1", "check", "status off",
                                                    "closed -1"}));
  EXPECT_EQ(d.answerMessage(KvMacroDlg::kMsgIsMacroDlg), 1);
  EXPECT_EQ(d.answerMessage(0x7102), 0);
}

TEST_F(MacroDlgShell, ViewButtonsAndCloseSetTheCurrentTabsViewDirection) {
  KvMacroDlg& d = open("EP-101");
  select<MacroGridPage>(1);
  script.now(d).click(dlg_macro::IDC_VIEW_FRONT);
  EXPECT_EQ(d.macroData().getTab(1)->viewDirection, 0);
  EXPECT_EQ(acedHostRequests().postedCommands.back(), "CANCELCMD");
  script.now(d).click(dlg_macro::IDC_VIEW_SIDE);
  EXPECT_EQ(d.macroData().getTab(1)->viewDirection, 2);
  script.now(d).click(ui::IDOK);
  EXPECT_EQ(d.macroData().getTab(1)->viewDirection, 3);
}

TEST_F(MacroDlgShell, ApplyAgainStoresTheDataAndClosesOnlyWhenTheMacroTookIt) {
  MacroData orphan = tabsOfKinds({kTabGrid});
  KvMacroDlg& lost = open(orphan);
  script.now(lost).click(dlg_macro::IDC_APPLY_AGAIN);
  EXPECT_TRUE(lost.isCreated());
  lost.destroyWindow();

  MacroData data = dataOf("EP-101");
  data.getTab(1)->boltData.diameter = "30";
  KvMacroDlg& d = open(data);
  script.now(d).click(dlg_macro::IDC_APPLY_AGAIN);
  EXPECT_FALSE(d.isCreated());
  EXPECT_EQ(dataOf("EP-101").getTab(1)->boltData.diameter, "30");
}

TEST_F(MacroDlgShell, OtherMacrosWithoutAPickerChangeNothing) {
  KvMacroDlg& d = open("EP-101");
  const MacroData before = d.macroData();
  script.now(d).click(dlg_macro::IDC_OTHER_MACROS);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.macroData(), before);
  setMacroPicker([](MacroData& data) {
    data.tabs.removeAt(0);
    return true;
  });
  script.now(d).click(dlg_macro::IDC_OTHER_MACROS);
  setMacroPicker(nullptr);
  EXPECT_EQ(tabs().count(), 2);
  EXPECT_EQ(tabs().itemText(0), "Bolts");
}

}  // namespace
