#include "cuttingstock/KvCSP2Dlg.h"

#include <tuple>

#include "common/KvResourceScope.h"
#include "common/SSExports.h"
#include "core/CspListFiles.h"
#include "core/CspProblems.h"
#include "core/DialogSizes.h"
#include "core/DlgInfo.h"
#include "core/FileDialogs.h"
#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/dialString.h"
#include "platform/ui/Services.h"
#include "spreadsheet/KvValueDlg.h"

namespace {
// Icons and tool tips of the row and file buttons.
constexpr int kInsertIcon = 212, kDeleteIcon = 206, kOpenIcon = 232, kSaveIcon = 233;
constexpr int kInsertTip = 616, kDeleteTip = 617, kOpenTip = 618, kSaveTip = 619;
// saveFile's group: the selected one.
constexpr int kSelectedGroup = -1;
// No more bad lines than this in one message; the rest are counted.
constexpr int kFaultsShown = 15;

Nx_String dashLine() {
  return Nx_String('-', 116);
}

Nx_String filterText(int frameText, const char* extension) {
  return dialString(frameText) + " (*." + extension + ")";
}

void showFaults(const Nx_StringArray& faults, const ui::Window* owner) {
  if (faults.isEmpty()) return;
  Nx_String text;
  for (int i = 0; i < faults.length() && i < kFaultsShown; ++i) text += faults[i] + "\n";
  if (faults.length() > kFaultsShown)
    text += "... and " + Nx_String(faults.length() - kFaultsShown) + " more.\n";
  ui::messageBox(text.str(), dialString(620).str(), ui::MB_OK | ui::MB_ICONWARNING, owner);
}
}  // namespace

const KvCSP2Dlg::Column KvCSP2Dlg::kColumns[DlgCSP2Data::kListCount] = {
    {kPartsFrame, kPartsGrid, kPartsInsert, kPartsDelete, 0, 0, 625, nullptr},
    {kShopFrame, kShopGrid, kShopInsert, kShopDelete, kShopOpen, kShopSave, 626, kCspShopExtension},
    {kBuyFrame, kBuyGrid, kBuyInsert, kBuyDelete, kBuyOpen, kBuySave, 627, kCspBuyExtension},
};

KvCSP2Dlg::KvCSP2Dlg(const DlgCSP2Data& data) : Dialog(kTemplate), data_(data) {
  on(kGroupList, ui::CBN_SELCHANGE, [this] { groupChanged(); });
  onClicked(kNewGroup, [this] { newGroup(); });
  onClicked(kDeleteGroup, [this] { deleteGroup(); });
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list) {
    const Column& c = kColumns[list];
    onClicked(c.insert, [this, list] { insertRow(list); });
    onClicked(c.remove, [this, list] { deleteRow(list); });
    if (!c.extension) continue;
    onClicked(c.open, [this, list] { openFile(list); });
    onClicked(c.save, [this, list] { saveFile(list, kSelectedGroup, false); });
  }
  onClicked(kAction, [this] {
    if (data_.restrictedMode)
      saveShopOfAllGroups();
    else
      loadNewestOfAllGroups();
  });
}

bool KvCSP2Dlg::onInitDialog() {
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list) {
    Nx_Spread& g = grid(list);
    if (!g.attachToItem(this, kColumns[list].grid)) continue;
    g.initAppearance(0);
  }
  setCaptions();
  fillGroupList(data_.groupIds.isEmpty() ? -1 : 0);
  current_ = data_.groupIds.isEmpty() ? -1 : data_.groupIds[0];
  showGroup(current_);

  if (data_.restrictedMode) {
    for (int id : {int(kNewGroup), int(kDeleteGroup), int(kGroupFrame)}) enableItem(id, false);
    for (int list : {int(DlgCSP2Data::kParts), int(DlgCSP2Data::kBuy)}) {
      const Column& c = kColumns[list];
      for (int id : {c.frame, c.grid, c.insert, c.remove, c.open, c.save})
        if (id) enableItem(id, false);
    }
  } else {
    showItem(kAskNames, false);
  }

  ui::Size client = rect().size();
  setMinTrackSize(client);
  laidOutFor_ = client;
  for (const Column& c : kColumns)
    for (int id : {c.frame, c.grid, c.insert, c.remove, c.open, c.save})
      if (ui::Window* w = id ? item(id) : nullptr) columnRects_.emplace_back(id, w->rect());
  using R = ui::Resizer;
  resizer().add(kGroupFrame, R::dialog(R::Edge::Left), R::dialog(R::Edge::Top),
                R::dialog(R::Edge::Right), R::keepHeight());
  resizer().add({kAction, kAskNames}, R::dialog(R::Edge::Left), R::dialog(R::Edge::Bottom),
                R::keepWidth(), R::keepHeight());
  resizer().add({ui::IDOK, ui::IDCANCEL}, R::keepWidth(), R::dialog(R::Edge::Bottom),
                R::dialog(R::Edge::Right), R::keepHeight());
  // From here on a new size moves the columns too.
  initialised_ = true;
  ChangeDlgSize(*this, kSizeName);
  return true;
}

void KvCSP2Dlg::setCaptions() {
  setText(dialString(620));
  setItemText(ui::IDOK, dialString(1));
  setItemText(ui::IDCANCEL, dialString(2));
  setItemText(kGroupLabel, dialString(621));
  setItemText(kNewGroup, dialString(622));
  setItemText(kDeleteGroup, dialString(623));
  setItemText(kGroupFrame, dialString(624));
  setItemText(kAction, dialString(data_.restrictedMode ? 628 : 629));
  setItemText(kAskNames, dialString(630));
  for (const Column& c : kColumns) {
    setItemText(c.frame, dialString(c.frameText));
    for (auto [id, icon, tip] : {std::tuple{c.insert, kInsertIcon, kInsertTip},
                                 {c.remove, kDeleteIcon, kDeleteTip},
                                 {c.open, kOpenIcon, kOpenTip},
                                 {c.save, kSaveIcon, kSaveTip}}) {
      if (!id) continue;
      setItemIcon(id, icon);
      setItemToolTip(id, dialString(tip));
    }
  }
}

void KvCSP2Dlg::fillGroupList(int select) {
  std::vector<std::string> names;
  for (const Nx_String& name : data_.groupNames) names.push_back(name.str());
  listSet(kGroupList, names);
  listSelect(kGroupList, select);
}

void KvCSP2Dlg::groupChanged() {
  if (current_ != -1) storeGrids(current_);
  int index = listSelection(kGroupList);
  current_ = data_.groupIds.isValid(index) ? data_.groupIds[index] : -1;
  showGroup(current_);
}

void KvCSP2Dlg::showGroup(int id) {
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list) showRows(list, id);
}

void KvCSP2Dlg::showRows(int list, int id) {
  Nx_Spread& g = grid(list);
  if (!g.isAttached()) return;
  Nx_Array<Nx_StringArray> rows;
  if (id != -1) data_.getGroupRows(list, id, rows);
  g.setMaxRows(0);
  g.setMaxCols(data_.headings[list].length());
  g.setColumnHeaders(data_.headings[list]);
  g.setMaxRows(rows.length());
  for (int r = 0; r < rows.length(); ++r) g.setRowValues(r + 1, rows[r], false);
  g.model().setActiveCell(1, 1);
  fitColumns(list);
}

// Every heading and cell readable; the profile column takes what is left.
void KvCSP2Dlg::fitColumns(int list) {
  Nx_Spread& g = grid(list);
  for (int col = 1; col <= g.getMaxCols(); ++col) g.fitColumnWidth(col);
  if (g.getMaxCols() < 1) return;
  int fitted = g.model().colWidthInPixels(1);
  g.fitColumnToWindow(1);
  if (g.model().colWidthInPixels(1) < fitted) g.model().setColWidthInPixels(1, fitted);
}

// Rows whose cells are all blank are not kept.
void KvCSP2Dlg::storeGrids(int id) {
  if (id == -1) return;
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list) {
    Nx_Spread& g = grid(list);
    if (!g.isAttached()) continue;
    Nx_Array<Nx_StringArray> rows;
    for (int r = 1; r <= g.getMaxRows(); ++r) {
      Nx_StringArray row;
      g.getRowValues(r, row);
      bool blank = true;
      for (const Nx_String& cell : row) blank = blank && cell.trimmed().isEmpty();
      if (!blank) rows.append(row);
    }
    data_.setGroupRows(list, id, rows);
  }
}

void KvCSP2Dlg::newGroup() {
  Nx_String name = dialString(171);
  if (!KvValueDlg::ask(dialString(631), dialString(632), name)) return;
  data_.addGroup(name);
  fillGroupList(data_.groupIds.length() - 1);
  groupChanged();
}

void KvCSP2Dlg::deleteGroup() {
  int index = listSelection(kGroupList);
  if (!data_.removeGroup(index)) return;
  int left = data_.groupIds.length();
  int select = left == 0 ? -1 : std::min(index, left - 1);
  fillGroupList(select);
  current_ = select < 0 ? -1 : data_.groupIds[select];
  showGroup(current_);
}

void KvCSP2Dlg::insertRow(int list) {
  grid(list).insertRowAfterSelection(false);
}

void KvCSP2Dlg::deleteRow(int list) {
  Nx_Spread& g = grid(list);
  int col = 1, row = 0;
  if (g.getMaxRows() > 0 && g.getActiveCell(col, row)) g.deleteRow(row);
}

bool KvCSP2Dlg::readListFile(int list, const Nx_String& path, Nx_Array<Nx_StringArray>& rows,
                             Nx_StringArray* faults) {
  Nx_String error;
  if (!readCspListFile(path, rows, &error)) {
    if (faults) faults->append(error);
    return false;
  }
  if (faults) checkCspRows(list, {&rows, path}, *faults);
  return true;
}

void KvCSP2Dlg::openFile(int list) {
  int index = data_.groupIndex(current_);
  if (index < 0) return;
  storeGrids(current_);
  const Column& c = kColumns[list];
  Nx_String folder = cspGroupFolder(data_.groupNames[index]);
  createFolder(folder);
  Nx_String path;
  newestCspFile(folder, c.extension, path);
  if (!DlgOpenSave(true, c.extension, filterText(c.frameText, c.extension), dialString(kOpenTip),
                   folder, path, this))
    return;
  path = withCspExtension(path, c.extension);
  Nx_Array<Nx_StringArray> rows;
  Nx_StringArray faults;
  readListFile(list, path, rows, &faults);
  data_.setGroupRows(list, current_, rows);
  showRows(list, current_);
  showFaults(faults, this);
}

// The selected group has its grids stored first.
bool KvCSP2Dlg::saveFile(int list, int groupIndex, bool silently) {
  if (groupIndex == kSelectedGroup) {
    groupIndex = data_.groupIndex(current_);
    if (groupIndex < 0) return false;
    storeGrids(current_);
  }
  const Column& c = kColumns[list];
  Nx_String folder = cspGroupFolder(data_.groupNames[groupIndex]);
  createFolder(folder);
  Nx_String path = nextStockFileName(folder, c.extension);
  if (!silently && !DlgOpenSave(false, c.extension, filterText(c.frameText, c.extension),
                                dialString(kSaveTip), folder, path, this))
    return false;
  path = withCspExtension(path, c.extension);
  Nx_Array<Nx_StringArray> rows;
  data_.getGroupRows(list, data_.groupIds[groupIndex], rows);
  Nx_String error;
  if (writeCspListFile(path, rows, &error)) return true;
  ui::messageBox(error.str(), dialString(620).str(), ui::MB_OK | ui::MB_ICONERROR, this);
  return false;
}

void KvCSP2Dlg::loadNewestOfAllGroups() {
  storeGrids(current_);
  DlgInfoData info;
  info.title = dialString(652);
  info.buttonText = dialString(285);
  info.lines.append(dashLine());
  struct Kind {
    int list;
    const char* extension;
    int missing, loadedAs;
  };
  const Kind kinds[] = {{DlgCSP2Data::kShop, kCspShopExtension, 633, 635},
                        {DlgCSP2Data::kBuy, kCspBuyExtension, 637, 638}};
  for (int g = 0; g < data_.groupIds.length(); ++g) {
    const Nx_String& name = data_.groupNames[g];
    Nx_String folder = cspGroupFolder(name);
    for (const Kind& k : kinds) {
      if (k.list == DlgCSP2Data::kBuy) info.lines.append("");
      Nx_String path;
      Nx_Time modified;
      if (!newestCspFile(folder, k.extension, path, &modified)) {
        info.lines.append(dialString(k.missing) + " " + dialString(634) + " \"" + name + "\".");
        continue;
      }
      Nx_Array<Nx_StringArray> rows;
      Nx_StringArray faults;
      readListFile(k.list, path, rows, &faults);
      data_.setGroupRows(k.list, data_.groupIds[g], rows);
      info.lines.append(dialString(636) + formatTime(modified, "%d %B, %Y (%H:%M)") +
                        dialString(634) + " \"" + name + "\" " + dialString(k.loadedAs) + " \"" +
                        getFileName(path) + "\" ");
      info.lines.append(faults);
    }
    info.lines.append(dashLine());
  }
  showGroup(current_);
  ExportStartDlgInfo(info);
}

void KvCSP2Dlg::saveShopOfAllGroups() {
  storeGrids(current_);
  bool ask = isChecked(kAskNames);
  for (int g = 0; g < data_.groupIds.length(); ++g) saveFile(DlgCSP2Data::kShop, g, !ask);
}

void KvCSP2Dlg::onOK() {
  storeGrids(current_);
  WriteDlgSize(*this, kSizeName);
  Dialog::onOK();
}

void KvCSP2Dlg::onCancel() {
  WriteDlgSize(*this, kSizeName);
  Dialog::onCancel();
}

void KvCSP2Dlg::onSize(ui::Size client) {
  Dialog::onSize(client);
  if (initialised_) placeColumns(client);
}

// The three columns share the width the dialog gained; their grids and
// frames take the height, their buttons move down.
void KvCSP2Dlg::placeColumns(ui::Size client) {
  int dx = client.width - laidOutFor_.width;
  int dy = client.height - laidOutFor_.height;
  for (const auto& [id, original] : columnRects_) {
    int column = 0;
    for (int list = 0; list < DlgCSP2Data::kListCount; ++list) {
      const Column& c = kColumns[list];
      for (int member : {c.frame, c.grid, c.insert, c.remove, c.open, c.save})
        if (member == id) column = list;
    }
    int shift = column * dx / 3;
    int grow = (column + 1) * dx / 3 - shift;
    ui::Window* w = item(id);
    if (!w) continue;
    const Column& c = kColumns[column];
    ui::Rect r = original.offset(shift, 0);
    if (id == c.frame || id == c.grid) {
      r.right += grow;
      r.bottom += dy;
    } else {
      r = r.offset(0, dy);
    }
    w->setRect(r);
  }
  for (int list = 0; list < DlgCSP2Data::kListCount; ++list)
    if (grid(list).isAttached()) fitColumns(list);
}

bool StartDlgCSP2(DlgCSP2Data& data) {
  KvResourceScope scope;
  KvCSP2Dlg dlg(data);
  if (dlg.doModal() != ui::IDOK) return false;
  data = dlg.data();
  return true;
}
