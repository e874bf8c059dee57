#include "macrodlg/KvMacroDlg.h"

#include <algorithm>

#include "common/KvExportGuard.h"
#include "common/SSExports.h"
#include "core/DialogSizes.h"
#include "core/dialString.h"
#include "core/macro/ClashCheck.h"
#include "core/macro/MacroFilters.h"
#include "platform/arx/aced.h"
#include "platform/arx/acutil.h"
#include "platform/ui/TabControl.h"

using namespace dlg_macro;
using ui::Resizer;

namespace {
// The view direction every close leaves the current tab's object in.
constexpr int kViewFromAbove = 3;
// The page area inside the tab control: below the tabs, inside its edges.
constexpr int kPageGapTop = 2, kPageInsetRight = 3, kPageInsetBottom = 2;
}  // namespace

Nx_String macroDlgSettingsKey(const MacroData& data) {
  Nx_String key = Nx_String("DLG_MACRO_") + "EDITVARS_";
  if (data.kind == 1) return data.names.isEmpty() ? key : key + data.names[0];
  if (data.groupNames.isValid(data.currentGroup))
    return key + "GROUP_" + data.groupNames[data.currentGroup];
  return key + Nx_String(data.kind) + "_MACROS";
}

KvMacroDlg::KvMacroDlg(const MacroData& data, int index, Closer closer)
    : ui::Dialog(kTemplateId), data_(data), index_(index), closer_(closer) {}

KvMacroDlg::~KvMacroDlg() = default;

ui::TabControl* KvMacroDlg::tabs() const {
  return itemAs<ui::TabControl>(IDC_TABS);
}

KvMacroPage* KvMacroDlg::page(int item) const {
  return item >= 0 && item < pageCount() ? pages_[static_cast<size_t>(item)].get() : nullptr;
}

Nx_String KvMacroDlg::settingsKey() const {
  return macroDlgSettingsKey(data_);
}

bool KvMacroDlg::onInitDialog() {
  ui::Dialog::onInitDialog();
  std::string caption = text();
  for (int i = 0; i < data_.names.length(); ++i)
    caption += (i ? ", " : ": ") + data_.names[i].str();
  setText(caption);
  setupTexts();
  setupCommands();
  int width = 0, height = 0;
  if (getDlgSize(*this, width, height)) minSize_ = {width, height};
  setupLayout();
  rebuildPages();
  if (int open = data_.openTab.isEmpty() ? -1 : data_.findTab(data_.openTab); open >= 0) {
    for (int item = 0; item < pageCount(); ++item)
      if (page(item)->tabIndex() == open) {
        tabs()->setCurSel(item);
        showPage(item);
        if (data_.profileSpecialMode && pageKinds_[static_cast<size_t>(item)] == kTabProfiles)
          page(item)->startSpecialMode();
      }
  }
  fillFilterLists();
  ChangeDlgSize(*this, settingsKey());
  fitWindow();
  clashInitDlgStarted(index_);
  startClashCheck();
  setCursor(ui::Cursor::Arrow);
  return false;
}

void KvMacroDlg::setupTexts() {
  setItemText(ui::IDOK, dialString(285).str());
  setItemText(IDC_FILTER_GROUP, dialString(755).str());
  const std::pair<int, int> tips[] = {{IDC_OTHER_MACROS, 973},    {IDC_VIEW_3D, 977},
                                      {IDC_VIEW_FRONT, 974},      {IDC_VIEW_ABOVE, 975},
                                      {IDC_VIEW_SIDE, 976},       {IDC_LOAD_STANDARDS, 978},
                                      {IDC_CLASH_CHECK, 979},     {IDC_APPLY_AGAIN, 980},
                                      {IDC_READ_PROPERTIES, 981}, {IDC_WRITE_PROPERTIES, 982}};
  for (auto [id, text] : tips) setItemToolTip(id, dialString(text).str());
  setItemToolTip(IDC_MACRO_SETTINGS, "Macro settings: the standards and their mapping");
}

void KvMacroDlg::setupLayout() {
  const auto left = Resizer::dialog(Resizer::Edge::Left);
  const auto right = Resizer::dialog(Resizer::Edge::Right);
  const auto top = Resizer::dialog(Resizer::Edge::Top);
  const auto bottom = Resizer::dialog(Resizer::Edge::Bottom);
  const auto width = Resizer::keepWidth();
  const auto height = Resizer::keepHeight();
  Resizer& r = resizer();
  r.add(IDC_TABS, left, top, right, bottom);
  r.add(IDC_OTHER_MACROS, left, bottom, width, height);
  r.add(IDC_FILTER_GROUP, left, bottom, Resizer::middle(), height);
  r.add(IDC_FILTER, left, bottom, Resizer::control(IDC_FILTER_GROUP, Resizer::Edge::Right), height);
  r.add(IDC_SHOW_GROUP, Resizer::control(IDC_FILTER_GROUP, Resizer::Edge::Right), bottom, right,
        height);
  r.add(IDC_SHOW, Resizer::control(IDC_SHOW_GROUP, Resizer::Edge::Left), bottom, right, height);
  r.add({IDC_VIEW_3D, IDC_VIEW_FRONT, IDC_VIEW_ABOVE, IDC_VIEW_SIDE, IDC_CLASH_CHECK,
         IDC_LOAD_STANDARDS, IDC_APPLY_AGAIN, IDC_MACRO_SETTINGS},
        left, bottom, width, height);
  r.add({IDC_READ_PROPERTIES, IDC_WRITE_PROPERTIES, ui::IDOK}, width, bottom, right, height);
  layoutReady_ = true;
  setMinTrackSize(minimumSize());
}

void KvMacroDlg::setupCommands() {
  on(IDC_TABS, ui::TCN_SELCHANGE, [this] { showPage(tabs()->curSel()); });
  on(IDC_FILTER, ui::CBN_SELCHANGE, [this] { filterChanged(true); });
  on(IDC_SHOW, ui::CBN_SELCHANGE, [this] { filterChanged(false); });
  onClicked(IDC_OTHER_MACROS, [this] { selectOtherMacros(); });
  onClicked(IDC_VIEW_3D, [this] { changeView(3); });
  onClicked(IDC_VIEW_FRONT, [this] { changeView(0); });
  onClicked(IDC_VIEW_ABOVE, [this] { changeView(1); });
  onClicked(IDC_VIEW_SIDE, [this] { changeView(2); });
  onClicked(IDC_LOAD_STANDARDS, [this] { loadFromStandards(); });
  onClicked(IDC_CLASH_CHECK, [this] { clashSetStatus(isChecked(IDC_CLASH_CHECK)); });
  onClicked(IDC_APPLY_AGAIN, [this] { applyAgain(); });
  onClicked(IDC_MACRO_SETTINGS, [this] { openMacroSettings(); });
  onClicked(IDC_READ_PROPERTIES, [this] { readPropertyFile(); });
  onClicked(IDC_WRITE_PROPERTIES, [this] { writePropertyFile(); });
}

bool KvMacroDlg::handleCommand(int id, int code) {
  Busy busy(*this);
  return ui::Dialog::handleCommand(id, code);
}

// --- pages -----------------------------------------------------------------------------------

void KvMacroDlg::destroyPages() {
  for (auto& p : pages_) p->destroyWindow();
  pages_.clear();
  pageKinds_.clear();
  if (ui::TabControl* t = tabs()) t->deleteAllItems();
  currentPage_ = -1;
}

void KvMacroDlg::rebuildPages() {
  ui::TabControl* t = tabs();
  if (!t) return;
  const KvMacroPage* shown = page(t->curSel());
  const int shownTab = shown ? shown->tabIndex() : -1;
  destroyPages();
  Nx_StringArray problems;
  int reselect = 0;
  for (int i = 0; i < data_.tabCount(); ++i) {
    if (!macroTabShown(data_, i)) continue;
    std::unique_ptr<KvMacroPage> p = makeMacroPage(data_, i, problems);
    if (!p) continue;
    const MacroTabData& tab = *data_.getTab(i);
    if (!p->createAsChild(*t)) {
      problems.append("tab " + tab.name + ": its page could not be built");
      continue;
    }
    p->show(false);
    if (i == shownTab) reselect = pageCount();
    t->insertItem(t->count(), (tab.title.isEmpty() ? tab.name : tab.title).str());
    pageKinds_.push_back(tab.kind);
    pages_.push_back(std::move(p));
  }
  report(problems);
  placePages();
  if (pageCount() > 0) {
    t->setCurSel(reselect);
    showPage(reselect);
  }
  enableItem(IDC_READ_PROPERTIES, data_.propListAllowed());
  enableItem(IDC_WRITE_PROPERTIES, data_.propListAllowed());
}

void KvMacroDlg::storePages() {
  for (auto& p : pages_) p->store();
}

void KvMacroDlg::refreshPages() {
  for (auto& p : pages_) p->refresh();
}

void KvMacroDlg::placePages() {
  ui::TabControl* t = tabs();
  if (!t) return;
  ui::Rect area = t->displayRect();
  if (t->count() > 0) {
    const ui::Rect first = t->itemRect(0);
    area = {first.left, first.bottom + kPageGapTop, t->rect().width() - kPageInsetRight,
            t->rect().height() - kPageInsetBottom};
  }
  for (auto& p : pages_) p->setRect(area);
}

void KvMacroDlg::showPage(int item) {
  if (KvMacroPage* last = page(currentPage_)) last->onLeave();
  for (auto& p : pages_) p->show(false);
  KvMacroPage* p = page(item);
  if (!p) return;
  p->show(true);
  p->setFocus();
  p->onEnter(!activated_);
  currentPage_ = item;
  activated_ = true;
}

const MacroTabData* KvMacroDlg::currentTab() const {
  const KvMacroPage* p = page(currentPage_);
  return p ? p->tab() : nullptr;
}

void KvMacroDlg::report(const Nx_StringArray& problems) {
  for (const Nx_String& problem : problems) {
    if (!reportedSet_.insert(problem.str()).second) continue;
    reported_.push_back(problem.str());
    acutPrintf("*Warning* Macro dialog: %s.\n", problem.c_str());
  }
}

// --- size ------------------------------------------------------------------------------------

ui::Size KvMacroDlg::minimumSize() const {
  return sized_ ? pagesNeed() : kFirstMinSize;
}

ui::Size KvMacroDlg::pagesNeed() const {
  ui::Size need;
  for (const auto& p : pages_) {
    const ui::Size s = p->neededSize();
    need.width = std::max(need.width, s.width);
    need.height = std::max(need.height, s.height);
  }
  return {std::max(need.width + kPageMargins.width, minSize_.width),
          std::max(need.height + kPageMargins.height, minSize_.height)};
}

void KvMacroDlg::onSize(ui::Size client) {
  ui::Dialog::onSize(client);
  if (!layoutReady_) return;
  sized_ = true;
  placePages();
  setMinTrackSize(minimumSize());
}

void KvMacroDlg::fitWindow() {
  // Grows to what the pages need, keeping the top-left corner; a size the
  // user chose (or that was restored) larger than that stays. Before the
  // user sized the dialog this fits it too: a page must not open cut off.
  const ui::Size need = pagesNeed();
  const ui::Size now = rect().size();
  const ui::Size fit{std::max(now.width, need.width), std::max(now.height, need.height)};
  if (fit != now) {
    const bool sized = sized_;
    resize(fit);
    sized_ = sized;
  }
  setMinTrackSize(minimumSize());
}

// --- filters ---------------------------------------------------------------------------------

void KvMacroDlg::fillFilterLists() {
  for (bool first : {true, false}) {
    Nx_StringArray entries;
    getMacroFilterEntries(data_, first, entries);
    std::vector<std::string> texts;
    for (const Nx_String& e : entries) texts.push_back(e.str());
    const int id = first ? IDC_FILTER : IDC_SHOW;
    listSet(id, texts);
    listSelect(id, first ? data_.filter1 : data_.filter2);
  }
}

void KvMacroDlg::filterChanged(bool first) {
  storePages();
  data_.filter1 = std::max(0, listSelection(IDC_FILTER));
  data_.filter2 = std::max(0, listSelection(IDC_SHOW));
  UpdateAllFilterModified(data_, first);
  rebuildPages();
  fillFilterLists();
  fitWindow();
}

// --- closing ---------------------------------------------------------------------------------

void KvMacroDlg::changeView(int direction) {
  acedPostCommand("CANCELCMD");
  if (const MacroTabData* tab = currentTab()) data_.changeView(tab->name, direction);
}

void KvMacroDlg::close() {
  // Whatever asked for the close, this dialog is running it: the manager
  // must not delete the dialog before this call returns.
  Busy busy(*this);
  changeView(kViewFromAbove);
  storePages();
  closing_ = true;
  if (index_ >= 0) {
    if (closer_) closer_(index_);
  } else {
    acedPostCommandPrompt();
    endDialog(ui::IDOK);
  }
}

void KvMacroDlg::onDestroy() {
  WriteDlgSize(*this, settingsKey());
  clashDlgClosed(index_);
  destroyPages();
  layoutReady_ = false;
}

void StartDlgMacro(MacroData& data) {
  guardExport("StartDlgMacro", [&] {
    KvMacroDlg dlg(data);
    dlg.doModal();
    // However the dialog ended.
    data = dlg.macroData();
  });
}
