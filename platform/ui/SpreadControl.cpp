#include "platform/ui/SpreadControl.h"

#include <map>

#include "platform/grid/Clipboard.h"
#include "platform/ui/Services.h"
#include "platform/ui/WindowClasses.h"

namespace ui {
namespace {
using grid::CellKind;

struct PictureTable {
  std::map<std::uint64_t, std::shared_ptr<const SpreadPicture>> pictures;
  std::uint64_t next = 1;
};
PictureTable& pictureTable() {
  static PictureTable table;
  return table;
}

const grid::FontMetrics* gDefaultMetrics = nullptr;

SpreadControl::MenuAnswer& menuAnswer() {
  static SpreadControl::MenuAnswer answer;
  return answer;
}

// Templates that name the class get the control, whichever library asks first.
const bool gRegistered = [] {
  WindowClasses::add(kSpreadClass, [] { return std::make_unique<SpreadControl>(); });
  return true;
}();
}  // namespace

// --- pictures -----------------------------------------------------------------

SpreadPictures::Handle::Handle(SpreadPicture picture) {
  PictureTable& t = pictureTable();
  id_ = t.next++;
  t.pictures[id_] = std::make_shared<const SpreadPicture>(std::move(picture));
}

SpreadPictures::Handle::~Handle() {
  if (id_) pictureTable().pictures.erase(id_);
}

SpreadPictures::Handle& SpreadPictures::Handle::operator=(Handle&& other) noexcept {
  if (this != &other) {
    if (id_) pictureTable().pictures.erase(id_);
    id_ = other.id_;
    other.id_ = 0;
  }
  return *this;
}

std::shared_ptr<const SpreadPicture> SpreadPictures::find(std::uint64_t handle) {
  const auto& pictures = pictureTable().pictures;
  auto it = pictures.find(handle);
  return it == pictures.end() ? nullptr : it->second;
}

// --- the control ------------------------------------------------------------------

SpreadControl::SpreadControl()
    : Window(kSpreadClass), link_(std::make_shared<SpreadViewLink>(SpreadViewLink{this, nullptr})) {
  setStyle(WS_CHILD | WS_VISIBLE | WS_TABSTOP);
  resetSheet();
}

SpreadControl::~SpreadControl() {
  // The widget reads the sheet; it goes first.
  destroyPeers();
  link_->control = nullptr;
  link_->view = nullptr;
  sheet_->setListener(nullptr);
}

void SpreadControl::resetSheet() {
  if (sheet_) sheet_->setListener(nullptr);
  sheet_ = std::make_unique<grid::Sheet>();
  sheet_->setFontMetrics(gDefaultMetrics);
  sheet_->setListener(this);
  layoutChanged();
}

void SpreadControl::setDefaultFontMetrics(const grid::FontMetrics* metrics) {
  gDefaultMetrics = metrics;
}

const grid::FontMetrics* SpreadControl::defaultFontMetrics() {
  return gDefaultMetrics;
}

std::shared_ptr<SpreadViewLink> SpreadControl::connectView(SpreadView* view) {
  link_->view = view;
  return link_;
}

void SpreadControl::cellChanged(int col, int row) {
  if (SpreadView* v = view()) v->cellChanged(col, row);
}

void SpreadControl::layoutChanged() {
  if (SpreadView* v = view()) v->layoutChanged();
}

void SpreadControl::editStateChanged() {
  if (SpreadView* v = view()) v->editStateChanged();
}

void SpreadControl::refreshEditState() {
  if (SpreadView* v = view()) v->pullEditState();
}

int SpreadControl::trackPopupMenu(const std::vector<MenuEntry>& entries, Point at) {
  if (entries.empty()) return 0;
  if (SpreadView* v = view()) return v->trackPopupMenu(entries, at);
  return menuAnswer() ? menuAnswer()(entries, at) : 0;
}

void SpreadControl::setMenuAnswer(MenuAnswer answer) {
  menuAnswer() = std::move(answer);
}

int SpreadControl::verticalScrollBarWidth() const {
  SpreadView* v = view();
  return v ? v->verticalScrollBarWidth() : 0;
}

void SpreadControl::notify(int code) {
  onNotify(code);
  notifyParent(code);
}

// --- the user's actions ---------------------------------------------------------------

bool SpreadControl::userMoveTo(int col, int row) {
  int oldCol = 0, oldRow = 0;
  bool had = sheet_->getActiveCell(oldCol, oldRow);
  if (!sheet_->setActiveCell(col, row)) return false;
  sheet_->setEditMode(false);
  if (!had || oldCol != col || oldRow != row) notify(SPN_LEAVECELL);
  return true;
}

bool SpreadControl::userClickCell(int col, int row) {
  int anchorCol = 0, anchorRow = 0, spanCols = 0, spanRows = 0;
  if (sheet_->getCellSpan(col, row, anchorCol, anchorRow, spanCols, spanRows)) {
    col = anchorCol;
    row = anchorRow;
  }
  sheet_->clearSelection();
  if (!userMoveTo(col, row)) return false;
  notify(SPN_CLICK);
  const grid::CellFormat& f = sheet_->format(col, row);
  if (f.locked) return true;
  if (f.type.kind == CellKind::CheckBox) {
    bool checked = sheet_->getValue(col, row) == "1";
    sheet_->setData(col, row, checked ? "0" : "1");
    markChanged();
    notify(SPN_CHECKCLICK);
  } else if (f.type.kind == CellKind::Button) {
    notify(SPN_BUTTONCLICK);
  }
  return true;
}

bool SpreadControl::userDoubleClickCell(int col, int row) {
  if (!sheet_->isValidCell(col, row)) return false;
  notify(SPN_DBLCLICK);
  return true;
}

bool SpreadControl::userSelectBlock(const grid::Area& block) {
  if (!sheet_->setSelectBlock(block)) return false;
  notify(SPN_BLOCKSELECTED);
  return true;
}

bool SpreadControl::userSelectHeader(int col, int row) {
  grid::Area block;
  if (row == 0 && col >= 1 && col <= sheet_->maxCols() && sheet_->maxRows() > 0) {
    block = {col, -1, col, -1};
    row = 1;
  } else if (col == 0 && row >= 1 && row <= sheet_->maxRows() && sheet_->maxCols() > 0) {
    block = {-1, row, -1, row};
    col = 1;
  } else {
    return false;
  }
  userMoveTo(col, row);
  sheet_->setSelectBlock(block);
  notify(SPN_HEADERSELECT);
  return true;
}

bool SpreadControl::canEdit(int col, int row) const {
  return sheet_->takesInput(col, row);
}

bool SpreadControl::userEdit(int col, int row, std::string_view text) {
  if (!canEdit(col, row)) return false;
  bool formula = !text.empty() && text.front() == '=' &&
                 sheet_->getCellType(col, row).kind == CellKind::General;
  if (formula ? !sheet_->setFormula(col, row, text) : !sheet_->setData(col, row, text))
    return false;
  sheet_->setEditMode(false);
  markChanged();
  notify(SPN_DATACHANGE);
  return true;
}

bool SpreadControl::copyToClipboard() {
  if (!sheet_->clipboardCopy()) return false;
  setClipboardText(grid::Clipboard::instance().text());
  return true;
}

bool SpreadControl::pasteFromClipboard() {
  // Text copied in another program replaces the block copied from a sheet.
  grid::Clipboard& clip = grid::Clipboard::instance();
  if (auto text = clipboardText(); text && !text->empty() && *text != clip.text())
    clip.setText(*text);
  int skipped = 0;
  if (!sheet_->clipboardPaste(&skipped)) return false;
  markChanged();
  notify(SPN_DATACHANGE);
  if (skipped > 0) onPasteSkipped(skipped);
  return true;
}

// --- keys ------------------------------------------------------------------------------

bool SpreadControl::moveBy(int dCol, int dRow) {
  int col = 1, row = 1;
  sheet_->getActiveCell(col, row);
  col = std::clamp(col + dCol, 1, std::max(1, sheet_->maxCols()));
  row = std::clamp(row + dRow, 1, std::max(1, sheet_->maxRows()));
  return userMoveTo(col, row);
}

bool SpreadControl::tabTo(bool backwards) {
  int cols = sheet_->maxCols(), rows = sheet_->maxRows();
  if (cols < 1 || rows < 1) return false;
  int col = 0, row = 1;
  if (!sheet_->getActiveCell(col, row)) {
    col = backwards ? cols + 1 : 0;
    row = backwards ? rows : 1;
  }
  long long total = static_cast<long long>(cols) * rows;
  long long at = static_cast<long long>(row - 1) * cols + (col - 1);
  for (long long step = 1; step <= total; ++step) {
    long long i = ((at + (backwards ? -step : step)) % total + total) % total;
    int c = static_cast<int>(i % cols) + 1, r = static_cast<int>(i / cols) + 1;
    int ac = 0, ar = 0, nc = 0, nr = 0;
    bool covered = sheet_->getCellSpan(c, r, ac, ar, nc, nr) && (ac != c || ar != r);
    if (!covered && !sheet_->getLock(c, r)) return userMoveTo(c, r);
  }
  return false;
}

bool SpreadControl::onKey(const KeyEvent& key) {
  if (!key.down) return false;
  switch (key.key) {
    case VK_LEFT:
      return moveBy(-1, 0);
    case VK_RIGHT:
      return moveBy(1, 0);
    case VK_UP:
      return moveBy(0, -1);
    case VK_DOWN:
      return moveBy(0, 1);
    case VK_TAB:
      if (key.control || tabExit(key) != 0) return false;
      tabTo(key.shift);
      return true;
    default:
      return false;
  }
}

}  // namespace ui
