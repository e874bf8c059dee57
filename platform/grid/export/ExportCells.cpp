#include "platform/grid/export/ExportCells.h"

#include <algorithm>

#include "platform/base/Cp1252.h"

namespace grid {
namespace {

bool visibleFormat(const CellFormat& f) {
  return f.background != kDefaultColor || borderSides(f.border) != 0;
}

}  // namespace

UsedRange usedRange(const Sheet& sheet) {
  UsedRange r;
  const SheetContent& content = sheet.content();
  content.cells.forEach([&](const Cell& c, int row) {
    if (c.col < 1 || row < 1 || c.col > sheet.maxCols() || row > sheet.maxRows()) return;
    if (c.value.isEmpty() && !c.hasFormula() && !visibleFormat(content.formats.at(c.format)))
      return;
    r.cols = std::max<int>(r.cols, c.col);
    r.rows = std::max(r.rows, row);
  });
  for (const Area& span : content.spans.all()) {
    if (span.col1 < 1 || span.row1 < 1) continue;
    r.cols = std::max(r.cols, std::min(span.col2, sheet.maxCols()));
    r.rows = std::max(r.rows, std::min(span.row2, sheet.maxRows()));
  }
  if (r.cols == 0 || r.rows == 0) r = {};
  return r;
}

std::string numberFormatCode(const CellType& type) {
  if (type.kind != CellKind::Number) return {};
  std::string code = type.separator ? "#,##0" : "0";
  int decimals = std::clamp(type.decimals, 0, 15);
  if (decimals > 0) code += "." + std::string(static_cast<std::size_t>(decimals), '0');
  return code;
}

std::optional<std::uint32_t> rgbOf(std::uint32_t colour) {
  if (colour == kDefaultColor || (colour & 0x80000000u)) return std::nullopt;
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

std::string colCaption(const Sheet& sheet, int col) {
  std::string own = sheet.getData(col, 0);
  if (!own.empty()) return base::cp1252ToUtf8(own);
  std::string name = cellName(col, 1);
  return name.substr(0, name.find_first_of("0123456789"));
}

std::string rowCaption(const Sheet& sheet, int row) {
  std::string own = sheet.getData(0, row);
  return own.empty() ? std::to_string(row) : base::cp1252ToUtf8(own);
}

}  // namespace grid
