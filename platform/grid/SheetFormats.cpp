// Sheet: cell types, formats, spans, sizes and text measures.
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "platform/grid/CellInput.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/Sheet.h"

namespace grid {
namespace {
constexpr double kDefaultColWidth = 9;     // characters
constexpr double kDefaultHeaderWidth = 4;  // characters
constexpr double kDefaultRowHeight = 20;   // pixels
constexpr double kCellPadding = 6;         // pixels, both sides together
constexpr double kMaxSize = 100000;        // pixels or characters
}  // namespace

bool Sheet::validBlock(const Area& block) const {
  Area a = resolveBlock(block);
  return a.col1 >= 0 && a.row1 >= 0 && a.col1 <= a.col2 && a.row1 <= a.row2 &&
         a.col2 <= content_.maxCols && a.row2 <= content_.maxRows;
}

// Negative bounds stand for the whole extent of their side.
Area Sheet::resolveBlock(const Area& block) const {
  Area a = block;
  if (a.col1 < 0) a.col1 = 1;
  if (a.row1 < 0) a.row1 = 1;
  if (a.col2 < 0) a.col2 = content_.maxCols;
  if (a.row2 < 0) a.row2 = content_.maxRows;
  return a;
}

template <class F>
bool Sheet::changeFormat(const Area& block, F&& change) {
  if (!validBlock(block)) return false;
  Area a = resolveBlock(block);
  bool typeChanged = false;
  std::uint32_t lastOld = 0xFFFFFFFF, lastNew = 0;
  for (int row = a.row1; row <= a.row2; ++row) {
    for (int col = a.col1; col <= a.col2; ++col) {
      Cell* c = content_.cells.find(col, row);
      std::uint32_t old = c ? c->format : 0;
      if (old != lastOld) {
        lastOld = old;
        if constexpr (std::is_invocable_r_v<std::uint32_t, F, std::uint32_t>) {
          lastNew = change(old);  // gives the new index itself
        } else {
          CellFormat f = content_.formats.at(old);
          change(f);
          lastNew = content_.formats.intern(f);
        }
      }
      if (lastNew == old) continue;
      if (!c) c = &content_.cells.obtain(col, row);
      bool retype = !(content_.formats.at(old).type == content_.formats.at(lastNew).type);
      c->format = lastNew;
      if (retype && !c->hasFormula() && !c->value.isEmpty()) {
        // Data keeps its text; what it reads as follows the new type. Text a
        // number cell cannot take stays as it is rather than being lost.
        Value v;
        if (interpretInput(content_.formats.at(lastNew).type, c->value.text, v))
          c->value = std::move(v);
        else
          c->value = Value::makeText(c->value.text);
        typeChanged = true;
      }
      if (c->isBlank()) content_.cells.erase(col, row);
    }
  }
  if (typeChanged && content_.options.test(kOptionAutoCalc) && !busy()) recalc_.all();
  // Formats nobody uses any more pile up in long sessions: sweep them now and then.
  if (content_.formats.size() > 4096 && content_.formats.size() > 2 * formatsAfterSweep_) {
    std::vector<bool> used(content_.formats.size(), false);
    content_.cells.forEach([&](const Cell& c, int) { used[c.format] = true; });
    std::vector<std::uint32_t> remap;
    content_.formats.compact(used, remap);
    content_.cells.forEach([&](Cell& c, int) { c.format = remap[c.format]; });
    formatsAfterSweep_ = content_.formats.size();
  }
  notifyLayout();
  return true;
}

// --- cell types ---------------------------------------------------------------

bool Sheet::setCellType(const Area& block, const CellType& type) {
  if (busy()) return false;
  // A sheet types its cells again on every run: a cell that has the type
  // already is left alone, without copying and interning its format.
  if (block.col1 >= 0 && block.row1 >= 0 && block.col1 == block.col2 && block.row1 == block.row2 &&
      validBlock(block) && content_.formatAt(block.col1, block.row1).type == type) {
    notifyLayout();
    return true;
  }
  return changeFormat(block, [&](std::uint32_t old) { return content_.formats.retype(old, type); });
}

const CellType& Sheet::getCellType(int col, int row) const {
  return content_.formatAt(col, row).type;
}

bool Sheet::setTypeGeneral(const Area& block) {
  return setCellType(block, CellType{});
}

bool Sheet::setTypeEdit(const Area& block, std::uint32_t style, int maxLength) {
  CellType t;
  t.kind = CellKind::Edit;
  t.style = style;
  t.maxLength = std::max(0, maxLength);
  return setCellType(block, t);
}

bool Sheet::setTypeNumber(const Area& block, int decimals, double minimum, double maximum,
                          bool separator, std::uint32_t style) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum) || decimals < 0 || decimals > 15)
    return false;
  CellType t;
  t.kind = CellKind::Number;
  t.style = style;
  t.decimals = decimals;
  t.minimum = std::min(minimum, maximum);
  t.maximum = std::max(minimum, maximum);
  t.separator = separator;
  return setCellType(block, t);
}

bool Sheet::setTypeStaticText(const Area& block, std::uint32_t style) {
  CellType t;
  t.kind = CellKind::StaticText;
  t.style = style;
  return setCellType(block, t);
}

bool Sheet::setTypeComboBox(const Area& block, std::uint32_t style, std::string_view items,
                            bool editable) {
  CellType t;
  t.kind = CellKind::ComboBox;
  t.style = style;
  t.text = items;
  t.editable = editable;
  return setCellType(block, t);
}

bool Sheet::setTypeCheckBox(const Area& block, std::uint32_t style, std::string_view text,
                            std::uint64_t checkedPicture, std::uint64_t uncheckedPicture) {
  CellType t;
  t.kind = CellKind::CheckBox;
  t.style = style;
  t.text = text;
  t.handle = checkedPicture;
  t.handle2 = uncheckedPicture;
  return setCellType(block, t);
}

bool Sheet::setTypeButton(const Area& block, std::uint32_t style, std::string_view caption) {
  CellType t;
  t.kind = CellKind::Button;
  t.style = style;
  t.text = caption;
  return setCellType(block, t);
}

bool Sheet::setTypePicture(const Area& block, std::uint32_t style, std::string_view file) {
  CellType t;
  t.kind = CellKind::Picture;
  t.style = style;
  t.text = file;
  return setCellType(block, t);
}

bool Sheet::setTypePictureHandle(const Area& block, std::uint32_t style, std::uint64_t handle) {
  CellType t;
  t.kind = CellKind::PictureHandle;
  t.style = style;
  t.handle = handle;
  return setCellType(block, t);
}

// --- formats --------------------------------------------------------------------

bool Sheet::setLockRange(const Area& block, bool locked) {
  return changeFormat(block, [&](CellFormat& f) { f.locked = locked; });
}

bool Sheet::getLock(int col, int row) const {
  return content_.formatAt(col, row).locked;
}

bool Sheet::setColor(const Area& block, std::uint32_t background, std::uint32_t foreground) {
  return changeFormat(block, [&](CellFormat& f) {
    f.background = background;
    f.foreground = foreground;
  });
}

bool Sheet::getColor(int col, int row, std::uint32_t& background, std::uint32_t& foreground) const {
  if (!isValidCell(col, row)) return false;
  const CellFormat& f = content_.formatAt(col, row);
  background = f.background;
  foreground = f.foreground;
  return true;
}

bool Sheet::setBorder(const Area& block, std::uint32_t type, std::uint32_t style,
                      std::uint32_t color) {
  return changeFormat(block, [&](CellFormat& f) { f.border = {type, style, color}; });
}

Border Sheet::getBorder(int col, int row) const {
  return content_.formatAt(col, row).border;
}

bool Sheet::setFont(const Area& block, const Font& font) {
  if (font.height < 0 || font.height > 1000) return false;
  return changeFormat(block, [&](CellFormat& f) { f.font = font; });
}

Font Sheet::getFont(int col, int row) const {
  Font f = content_.formatAt(col, row).font;
  if (f.face.empty()) f.face = content_.settings.defaultFont.face;
  if (f.height <= 0) f.height = content_.settings.defaultFont.height;
  return f;
}

// --- spans ------------------------------------------------------------------------

bool Sheet::addCellSpan(int col, int row, int numCols, int numRows) {
  // A span may reach past the last column or row (a picture row spans "all
  // columns" from its own), but not past the sheet's bounds.
  if (!isValidCell(col, row) || numCols < 1 || numRows < 1 || numCols > kMaxColumns - col + 1 ||
      numRows > kMaxRows - row + 1)
    return false;
  if (!content_.spans.add({col, row, col + numCols - 1, row + numRows - 1})) return false;
  notifyLayout();
  return true;
}

bool Sheet::getCellSpan(int col, int row, int& anchorCol, int& anchorRow, int& numCols,
                        int& numRows) const {
  auto s = content_.spans.find(col, row);
  if (!s) return false;
  anchorCol = s->col1;
  anchorRow = s->row1;
  numCols = s->width();
  numRows = s->height();
  return true;
}

bool Sheet::removeCellSpan(int col, int row) {
  if (!content_.spans.removeAt(col, row)) return false;
  notifyLayout();
  return true;
}

// --- sizes --------------------------------------------------------------------------

bool Sheet::setRowHeight(int row, double pixels) {
  if (row < 0 || row > content_.maxRows || !(pixels >= 0) || pixels > kMaxSize) return false;
  if (content_.rowHeights.size() <= static_cast<std::size_t>(row))
    content_.rowHeights.resize(static_cast<std::size_t>(row) + 1, -1);
  content_.rowHeights[static_cast<std::size_t>(row)] = pixels;
  notifyLayout();
  return true;
}

double Sheet::rowHeight(int row) const {
  if (row >= 0 && static_cast<std::size_t>(row) < content_.rowHeights.size() &&
      content_.rowHeights[static_cast<std::size_t>(row)] >= 0)
    return content_.rowHeights[static_cast<std::size_t>(row)];
  return std::max(kDefaultRowHeight, metrics_->lineHeight(content_.settings.defaultFont) + 4);
}

bool Sheet::setColWidth(int col, double characters) {
  if (col < 0 || col > content_.maxCols || !(characters >= 0) || characters > kMaxSize)
    return false;
  if (content_.colWidths.size() <= static_cast<std::size_t>(col))
    content_.colWidths.resize(static_cast<std::size_t>(col) + 1, -1);
  content_.colWidths[static_cast<std::size_t>(col)] = characters;
  notifyLayout();
  return true;
}

double Sheet::colWidth(int col) const {
  if (col >= 0 && static_cast<std::size_t>(col) < content_.colWidths.size() &&
      content_.colWidths[static_cast<std::size_t>(col)] >= 0)
    return content_.colWidths[static_cast<std::size_t>(col)];
  return col == 0 ? kDefaultHeaderWidth : kDefaultColWidth;
}

bool Sheet::setColWidthInPixels(int col, int pixels) {
  if (pixels < 0) return false;
  return setColWidth(col, pixels / metrics_->averageCharWidth(content_.settings.defaultFont));
}

int Sheet::colWidthInPixels(int col) const {
  return static_cast<int>(
      std::lround(colWidth(col) * metrics_->averageCharWidth(content_.settings.defaultFont)));
}

void Sheet::setFontMetrics(const FontMetrics* metrics) {
  metrics_ = metrics ? metrics : &PlainFontMetrics::instance();
}

// --- text ------------------------------------------------------------------------------

std::string Sheet::displayText(int col, int row) const {
  const Cell* c = content_.cells.find(col, row);
  const CellType& t = content_.formatAt(col, row).type;
  switch (t.kind) {
    case CellKind::Button:
    case CellKind::CheckBox:
      return t.text;
    case CellKind::Picture:
    case CellKind::PictureHandle:
      return {};
    default:
      break;
  }
  if (!c) return {};
  if (t.kind == CellKind::Number && c->value.isNumber())
    return formatFixed(c->value.number, t.decimals, t.separator);
  return getData(col, row);
}

TextSize Sheet::measure(int col, int row) const {
  std::string text = displayText(col, row);
  if (text.empty()) return {};
  Font font = getFont(col, row);
  double widest = 0;
  int lines = 0;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    std::string_view line(text.data() + start,
                          (end == std::string::npos ? text.size() : end) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    widest = std::max(widest, metrics_->textWidth(font, line));
    ++lines;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  TextSize s;
  s.width = (widest + kCellPadding) / metrics_->averageCharWidth(content_.settings.defaultFont);
  s.height = lines * metrics_->lineHeight(font) + 4;
  return s;
}

bool Sheet::getMaxTextCellSize(int col, int row, double& width, double& height) const {
  if (!isValidCell(col, row)) return false;
  TextSize s = measure(col, row);
  width = s.width;
  height = s.height;
  return true;
}

TextSize Sheet::maxTextSize(const Area& block) const {
  TextSize best;
  if (!validBlock(block)) return best;
  Area a = resolveBlock(block);
  auto take = [&](int col, int row) {
    TextSize s = measure(col, row);
    best.width = std::max(best.width, s.width);
    best.height = std::max(best.height, s.height);
  };
  // Types give captions to cells without contents, so walk every cell of
  // small blocks and the stored cells of large ones.
  if (static_cast<double>(a.width()) * a.height() <= 65536) {
    for (int row = a.row1; row <= a.row2; ++row)
      for (int col = a.col1; col <= a.col2; ++col) take(col, row);
  } else {
    content_.cells.forEachIn(a, [&](const Cell& c, int row) { take(c.col, row); });
  }
  return best;
}

bool Sheet::getMaxTextRowHeight(int row, double& height) const {
  if (row < 0 || row > content_.maxRows) return false;
  TextSize s = maxTextSize({0, row, content_.maxCols, row});
  if (s.height <= 0) return false;
  height = s.height;
  return true;
}

bool Sheet::getMaxTextColWidth(int col, double& width) const {
  if (col < 0 || col > content_.maxCols) return false;
  TextSize s = maxTextSize({col, 0, col, content_.maxRows});
  if (s.width <= 0) return false;
  width = s.width;
  return true;
}

}  // namespace grid
