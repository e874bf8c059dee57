#include "platform/grid/export/XlsxExport.h"

#include <xlsxwriter.h>

#include <unordered_map>

#include "platform/base/Cp1252.h"
#include "platform/grid/export/ExportCells.h"

namespace grid {
namespace {

constexpr double kPointsPerPixel = 0.75;

class XlsxWriter {
 public:
  XlsxWriter(const Sheet& sheet, lxw_workbook* book, lxw_worksheet* ws)
      : sheet_(sheet), book_(book), ws_(ws) {}

  void write() {
    UsedRange used = usedRange(sheet_);
    for (int col = 1; col <= used.cols; ++col)
      check(worksheet_set_column(ws_, static_cast<lxw_col_t>(col - 1),
                                 static_cast<lxw_col_t>(col - 1), sheet_.colWidth(col), nullptr));
    const std::vector<double>& heights = sheet_.content().rowHeights;
    for (int row = 1; row <= used.rows && row < static_cast<int>(heights.size()); ++row)
      if (heights[static_cast<std::size_t>(row)] >= 0)
        check(worksheet_set_row(ws_, static_cast<lxw_row_t>(row - 1),
                                heights[static_cast<std::size_t>(row)] * kPointsPerPixel, nullptr));
    // Merging first: it blanks the anchor, which the cell pass then fills.
    for (const Area& span : sheet_.content().spans.all()) {
      if (span.col1 < 1 || span.row1 < 1 || span.col1 > used.cols || span.row1 > used.rows)
        continue;
      check(worksheet_merge_range(ws_, static_cast<lxw_row_t>(span.row1 - 1),
                                  static_cast<lxw_col_t>(span.col1 - 1),
                                  static_cast<lxw_row_t>(std::min(span.row2, used.rows) - 1),
                                  static_cast<lxw_col_t>(std::min(span.col2, used.cols) - 1), "",
                                  formatFor(sheet_.content().formatAt(span.col1, span.row1),
                                            cellFormatIndex(span.col1, span.row1))));
    }
    sheet_.content().cells.forEachIn(Area{1, 1, used.cols, used.rows},
                                     [&](const Cell& c, int row) { writeCell(c, row); });
  }

  lxw_error firstError() const { return error_; }

 private:
  std::uint32_t cellFormatIndex(int col, int row) const {
    const Cell* c = sheet_.content().cells.find(col, row);
    return c ? c->format : 0;
  }

  void check(lxw_error e) {
    if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR) error_ = e;
  }

  lxw_format* formatFor(const CellFormat& f, std::uint32_t index) {
    if (index == 0) return nullptr;
    auto it = formats_.find(index);
    if (it != formats_.end()) return it->second;
    lxw_format* x = workbook_add_format(book_);
    if (std::string code = numberFormatCode(f.type); !code.empty())
      format_set_num_format(x, code.c_str());
    if (f.font.bold) format_set_bold(x);
    if (f.font.italic) format_set_italic(x);
    if (f.font.underline) format_set_underline(x, LXW_UNDERLINE_SINGLE);
    if (!f.font.face.empty()) {
      std::string face = base::cp1252ToUtf8(f.font.face);
      format_set_font_name(x, face.c_str());
    }
    if (f.font.height > 0) format_set_font_size(x, f.font.height * kPointsPerPixel);
    if (auto rgb = rgbOf(f.foreground)) format_set_font_color(x, *rgb);
    if (auto rgb = rgbOf(f.background)) {
      format_set_pattern(x, LXW_PATTERN_SOLID);
      format_set_bg_color(x, *rgb);
    }
    unsigned sides = borderSides(f.border);
    if (sides & 1) format_set_left(x, LXW_BORDER_THIN);
    if (sides & 2) format_set_right(x, LXW_BORDER_THIN);
    if (sides & 4) format_set_top(x, LXW_BORDER_THIN);
    if (sides & 8) format_set_bottom(x, LXW_BORDER_THIN);
    if (auto rgb = rgbOf(f.border.color); rgb && sides) format_set_border_color(x, *rgb);
    formats_.emplace(index, x);
    return x;
  }

  void writeCell(const Cell& c, int row) {
    auto r = static_cast<lxw_row_t>(row - 1);
    auto col = static_cast<lxw_col_t>(c.col - 1);
    lxw_format* fmt = formatFor(sheet_.content().formats.at(c.format), c.format);
    const Value& v = c.value;
    if (c.hasFormula() && !c.formula.hasCustomCalls()) {
      std::string formula = "=" + base::cp1252ToUtf8(c.formula.text());
      if (v.isNumber() || v.isBool() || v.isEmpty())
        check(worksheet_write_formula_num(ws_, r, col, formula.c_str(), fmt, v.number));
      else
        check(worksheet_write_formula_str(ws_, r, col, formula.c_str(), fmt,
                                          base::cp1252ToUtf8(valueText(v)).c_str()));
      return;
    }
    switch (v.kind) {
      case ValueKind::Number:
        check(worksheet_write_number(ws_, r, col, v.number, fmt));
        break;
      case ValueKind::Boolean:
        check(worksheet_write_boolean(ws_, r, col, v.boolean() ? 1 : 0, fmt));
        break;
      case ValueKind::Text:
      case ValueKind::Error:
        check(worksheet_write_string(ws_, r, col, base::cp1252ToUtf8(valueText(v)).c_str(), fmt));
        break;
      case ValueKind::Empty:
        if (fmt) check(worksheet_write_blank(ws_, r, col, fmt));
        break;
    }
  }

  const Sheet& sheet_;
  lxw_workbook* book_;
  lxw_worksheet* ws_;
  std::unordered_map<std::uint32_t, lxw_format*> formats_;
  lxw_error error_ = LXW_NO_ERROR;
};

}  // namespace

bool writeXlsxFile(const Sheet& sheet, const std::string& file, std::string& error) {
  lxw_workbook* book = workbook_new(file.c_str());
  if (!book) {
    error = "cannot start the workbook";
    return false;
  }
  lxw_worksheet* ws = workbook_add_worksheet(book, "Sheet1");
  XlsxWriter writer(sheet, book, ws);
  if (ws) writer.write();
  lxw_error closed = workbook_close(book);
  lxw_error failed = !ws                                   ? LXW_ERROR_MEMORY_MALLOC_FAILED
                     : writer.firstError() != LXW_NO_ERROR ? writer.firstError()
                                                           : closed;
  if (failed != LXW_NO_ERROR) {
    error = lxw_strerror(failed);
    return false;
  }
  return true;
}

}  // namespace grid
