#include "macrodlg/KvMacroDlg.h"

#include "common/KvExportGuard.h"
#include "common/SSExports.h"

#include "platform/arx/aced.h"
#include "platform/ui/TabControl.h"

using dlg_macro::IDC_TABS;
using dlg_macro::IDC_VALUES;

namespace {
// The view direction every close leaves the current tab's object in.
constexpr int kViewFromAbove = 3;

std::string onOff(bool on) {
  return on ? "yes" : "no";
}
}  // namespace

bool KvMacroDlg::onInitDialog() {
  ui::Dialog::onInitDialog();
  std::string caption = text();
  for (int i = 0; i < data_.names.length(); ++i)
    caption += (i ? ", " : ": ") + data_.names[i].str();
  setText(caption);
  on(IDC_TABS, ui::TCN_SELCHANGE, [this] { showTab(itemAs<ui::TabControl>(IDC_TABS)->curSel()); });
  buildTabs();
  return true;
}

bool KvMacroDlg::handleCommand(int id, int code) {
  Busy busy(*this);
  return ui::Dialog::handleCommand(id, code);
}

void KvMacroDlg::buildTabs() {
  auto* tabs = itemAs<ui::TabControl>(IDC_TABS);
  if (!tabs) return;
  tabs->deleteAllItems();
  for (const MacroTabData& tab : data_.tabs)
    tabs->insertItem(tabs->count(), (tab.title.isEmpty() ? tab.name : tab.title).str());
  int first = data_.openTab.isEmpty() ? 0 : data_.findTab(data_.openTab);
  if (first < 0) first = 0;
  tabs->setCurSel(data_.tabCount() > 0 ? first : -1);
  showTab(tabs->curSel());
}

void KvMacroDlg::showTab(int index) {
  listClear(IDC_VALUES);
  const MacroTabData* tab = data_.getTab(index);
  if (!tab) return;
  if (const MacroBoltData* bolts = tab->getBoltData())
    listAdd(IDC_VALUES, "Bolts: diameter " + bolts->diameter.str() + ", hole offset " +
                            bolts->holeOffset.str());
  for (const MacroPatternData& p : tab->patterns)
    listAdd(IDC_VALUES, "Pattern " + p.pattern.str() + ": " + p.nrBolts1.str() +
                            (p.twoDirections ? " x " + p.nrBolts2.str() : std::string()) +
                            " bolts");
  for (const MacroFlexFixData& f : tab->flexFix)
    listAdd(IDC_VALUES,
            f.variable.str() + ": fixed " + onOff(f.fixed) + ", flexible " + onOff(f.flex));
  for (const MacroProfData& p : tab->mergedProps)
    listAdd(IDC_VALUES,
            "Profile group " + p.profileGroup.str() + ": member name " + p.memberName.str());
}

void KvMacroDlg::close() {
  // Whatever asked for the close, this dialog is running it: the manager
  // must not delete the dialog before this call returns.
  Busy busy(*this);
  acedPostCommand("CANCELCMD");
  if (const MacroTabData* tab = data_.getTab(
          itemAs<ui::TabControl>(IDC_TABS) ? itemAs<ui::TabControl>(IDC_TABS)->curSel() : -1))
    data_.changeView(tab->name, kViewFromAbove);
  closing_ = true;
  if (index_ >= 0) {
    if (closer_) closer_(index_);
  } else {
    acedPostCommandPrompt();
    endDialog(ui::IDOK);
  }
}

void StartDlgMacro(MacroData& data) {
  guardExport("StartDlgMacro", [&] {
    KvMacroDlg dlg(data);
    dlg.doModal();
    // However the dialog ended.
    data = dlg.macroData();
  });
}
