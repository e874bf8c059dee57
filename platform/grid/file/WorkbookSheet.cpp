#include "platform/grid/file/WorkbookSheet.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/base/Cp1252.h"
#include "platform/grid/CellInput.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/file/NumberFormats.h"
#include "platform/grid/file/WorkbookFormula.h"
#include "platform/grid/formula/ReferenceRewriter.h"

namespace grid {
namespace {

// Days since 30 December 1899, the 1900 date system of desktop spreadsheets.
double serialDate(int y, int m, int d) {
  y -= m <= 2;
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<double>(era * 146097 + doe - 719468) + 25569;  // 1970-01-01 is 25569
}

// "0", "0.00", "#,##0.000": what a Number cell shows. Nothing else.
std::optional<CellType> numberType(const std::string& code) {
  std::string_view c = code;
  CellType t;
  t.kind = CellKind::Number;
  if (c.starts_with("#,##")) {
    t.separator = true;
    c.remove_prefix(4);
  }
  if (!c.starts_with('0')) return std::nullopt;
  c.remove_prefix(1);
  if (c.starts_with('.')) {
    c.remove_prefix(1);
    while (c.starts_with('0')) {
      ++t.decimals;
      c.remove_prefix(1);
    }
    if (t.decimals == 0) return std::nullopt;
  }
  if (!c.empty()) return std::nullopt;
  return t;
}

bool plainAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

// Empty texts make no cell: a sheet stores no empty text.
void WorkbookSheet::putAuto(int row, int col, std::string_view s) {
  if (s.empty()) return;
  std::string t = text(row, col, s);
  if (Cell* c = cell(row, col)) interpretInput(CellType{}, t, c->value);
}

void WorkbookSheet::putText(int row, int col, std::string_view s) {
  if (s.empty()) return;
  std::string t = text(row, col, s);
  if (Cell* c = cell(row, col)) c->value = Value::makeText(std::move(t));
}

void WorkbookSheet::putNumber(int row, int col, double value) {
  if (!std::isfinite(value)) {
    warn(row, col, "a number out of range reads #NUM!");
    if (Cell* c = cell(row, col)) c->value = Value::makeError(ErrorCode::Num);
    return;
  }
  if (Cell* c = cell(row, col)) {
    c->value = Value::makeNumber(value);
    c->value.text = formatGeneral(value);
  }
}

// The grid holds a typed TRUE as text, and a sheet file can hold no other:
// a logical constant kept as such would change on the first save.
void WorkbookSheet::putBool(int row, int col, bool value) {
  Cell* c = cell(row, col);
  if (!c) return;
  const char* text = value ? "TRUE" : "FALSE";
  c->value = Value::makeText(text);
  warn(row, col, std::string("a logical value is kept as the text ") + text);
}

void WorkbookSheet::putDateTime(int row, int col, int y, int m, int d, int h, int min, double sec) {
  double serial = serialDate(y, m, d) + (h * 3600 + min * 60 + sec) / 86400.0;
  putNumber(row, col, serial);
  warn(row, col, "a date or time is kept as its day number " + formatGeneral(serial));
}

void WorkbookSheet::fillDown(int row, int col, int count) {
  const Cell* from = out_.cells.find(col + 1, row + 1);
  if (!from) return;
  Value v = from->value;
  for (int r = row + 1; r <= row + count; ++r)
    if (Cell* c = cell(r, col)) c->value = v;
}

void WorkbookSheet::putFormula(int row, int col, std::string_view text) {
  Cell* c = cell(row, col);
  if (!c) return;
  // Most formulas need neither translation nor conversion: they compile as they stand.
  std::string converted;
  std::string_view grid = text;
  if (syntax_ == Syntax::Odf) {
    converted = formulaFromOdf(text);
    grid = converted;
  } else if (text.starts_with('=') || text.find("_xl") != std::string_view::npos) {
    converted = formulaFromXlsx(text);
    grid = converted;
  }
  if (!plainAscii(grid)) {
    converted = base::utf8ToCp1252(grid);
    grid = converted;
  }
  CompileError why;
  if (!parser_.compile(grid, col + 1, row + 1, c->formula, &why)) {
    c->formula = unreadableFormula(grid);
    c->value = Value::makeError(ErrorCode::Name);
    warn(row, col,
         "=" + base::cp1252ToUtf8(grid) + ": " + why.describe() + "; the cell reads #NAME?");
    return;
  }
  if (!c->formula.hasCustomCalls()) return;
  for (const std::string& f : c->formula.customCallNames())
    warn(row, col,
         f + " is no worksheet function here; the cell reads #NAME? unless the program "
             "running the sheet provides it");
}

void WorkbookSheet::putShared(int row, int col, std::size_t index, std::string_view text) {
  if (!text.empty()) {
    shared_[index] = {std::string(text), CellPos{col + 1, row + 1}};
    putFormula(row, col, text);
    return;
  }
  auto it = shared_.find(index);
  if (it == shared_.end()) {
    warn(row, col, "a shared formula whose first cell is missing; the cell is left empty");
    return;
  }
  // The shared text is written for its first cell: it moves here as a copy would.
  putFormula(
      row, col,
      rewriteReferences(it->second.first, it->second.second, CellPos{col + 1, row + 1}, nullptr));
}

void WorkbookSheet::putArray(int row, int col, std::string_view text) {
  warn(row, col,
       "an array formula {=" + std::string(text) + "} is not supported; its cells are left empty");
}

void WorkbookSheet::setColumnWidth(int col, double chars) {
  if (col < 0 || col >= kMaxColumns) return;
  auto i = static_cast<std::size_t>(col) + 1;
  if (out_.colWidths.size() <= i) out_.colWidths.resize(i + 1, -1);
  out_.colWidths[i] = std::round(chars * 100) / 100;
}

void WorkbookSheet::setRowHeight(int row, double pixels) {
  if (row < 0 || row >= kMaxRows) return;
  auto i = static_cast<std::size_t>(row) + 1;
  if (out_.rowHeights.size() <= i) out_.rowHeights.resize(i + 1, -1);
  out_.rowHeights[i] = std::round(pixels);
}

void WorkbookSheet::finish(const NumberFormats& formats) {
  for (const auto& [row, col, xf] : formats_) applyFormat(formats, row, col, xf);
  for (const auto& [a, xf] : blockFormats_) {
    std::vector<CellPos> inside;
    out_.cells.forEachIn(a, [&](const Cell& c, int r) { inside.push_back({c.col, r}); });
    for (const CellPos& p : inside) applyFormat(formats, p.row - 1, p.col - 1, xf);
  }
  for (std::size_t skipped : out_.spans.assign(merges_))
    warn(merges_[skipped].row1 - 1, merges_[skipped].col1 - 1,
         "merged cells overlap another merge; left unmerged");
  int cols = 0, rows = 0;
  out_.cells.forEach([&](const Cell& c, int r) {
    cols = std::max<int>(cols, c.col);
    rows = std::max(rows, r);
  });
  for (const Area& m : merges_) {
    cols = std::max(cols, m.col2);
    rows = std::max(rows, m.row2);
  }
  out_.maxCols = cols;
  out_.maxRows = rows;
  // Sizes of columns and rows past the contents mean nothing to the sheet.
  if (out_.colWidths.size() > static_cast<std::size_t>(cols) + 1)
    out_.colWidths.resize(static_cast<std::size_t>(cols) + 1);
  if (out_.rowHeights.size() > static_cast<std::size_t>(rows) + 1)
    out_.rowHeights.resize(static_cast<std::size_t>(rows) + 1);
}

Cell* WorkbookSheet::cell(int row, int col) {
  if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxColumns) return nullptr;
  if (out_.cells.cellCount() >= kMaxFileCells && !out_.cells.find(col + 1, row + 1))
    throw WorkbookTooLarge("more than " + std::to_string(kMaxFileCells) + " cells");
  return &out_.cells.obtain(col + 1, row + 1);
}

std::string WorkbookSheet::text(int row, int col, std::string_view utf8) {
  std::uint32_t code = 0;
  std::size_t at = 0;
  if (base::findNonCp1252(utf8, code, at)) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", code);
    warn(row, col, std::string("the character ") + hex + " has no Windows-1252 form; it reads ?");
  }
  if (utf8.size() > kMaxTextLength)
    throw WorkbookTooLarge("cell " + cellName(col + 1, row + 1) + ": the text is too long");
  return base::utf8ToCp1252(utf8);
}

void WorkbookSheet::applyFormat(const NumberFormats& formats, int row, int col, std::size_t xf) {
  std::string code = formats.numberFormatOf(xf);
  if (code.empty()) return;
  Cell* c = out_.cells.find(col + 1, row + 1);
  if (!c || !c->value.isNumber()) return;
  std::optional<CellType> type = numberType(code);
  // A Number cell holds its value rounded to its decimals: a plain cell
  // with more digits keeps them, in the general format.
  if (type && !c->hasFormula() &&
      roundDecimal(c->value.number, type->decimals) != c->value.number) {
    warn(row, col,
         "the number has more decimals than its format \"" + code +
             "\" shows; kept whole, in the general format");
    return;
  }
  if (type) {
    CellFormat f = out_.formats.at(c->format);
    f.type = *type;
    c->format = out_.formats.intern(f);
  } else {
    warn(row, col, "the number format \"" + code + "\" is not kept; the number shows in general");
  }
}

void WorkbookSheet::warn(int row, int col, const std::string& what) {
  warnings_.push_back(name_ + ": cell " + cellName(col + 1, row + 1) + ": " + what);
}

}  // namespace grid
