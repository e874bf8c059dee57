#include "platform/grid/file/WorkbookImport.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "platform/base/Cp1252.h"
#include "platform/grid/CellInput.h"
#include "platform/grid/FontMetrics.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/file/WorkbookFormula.h"
#include "platform/grid/file/WorkbookStyles.h"
#include "platform/grid/formula/Parser.h"
#include "platform/grid/formula/ReferenceRewriter.h"

namespace grid {
namespace {

namespace iface = ss::iface;

constexpr double kPixelsPerPoint = 4.0 / 3.0;

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

class SharedStrings : public iface::import_shared_strings {
 public:
  const std::string& at(std::size_t i) const {
    static const std::string none;
    return i < strings_.size() ? strings_[i] : none;
  }
  size_t append(std::string_view s) override {
    strings_.emplace_back(s);
    return strings_.size() - 1;
  }
  size_t add(std::string_view s) override {
    auto [it, fresh] = index_.try_emplace(std::string(s), strings_.size());
    if (fresh) strings_.emplace_back(s);
    return it->second;
  }
  void set_segment_font(size_t) override {}
  void set_segment_bold(bool) override {}
  void set_segment_italic(bool) override {}
  void set_segment_font_name(std::string_view) override {}
  void set_segment_font_size(double) override {}
  void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                              ss::color_elem_t) override {}
  void append_segment(std::string_view s) override { segments_ += s; }
  size_t commit_segments() override {
    strings_.push_back(std::move(segments_));
    segments_.clear();
    return strings_.size() - 1;
  }

 private:
  std::vector<std::string> strings_;
  std::map<std::string, std::size_t> index_;
  std::string segments_;
};

// Sheets after the first: read past.
class IgnoredSheet : public iface::import_sheet {
 public:
  void set_auto(ss::row_t, ss::col_t, std::string_view) override {}
  void set_string(ss::row_t, ss::col_t, ss::string_id_t) override {}
  void set_value(ss::row_t, ss::col_t, double) override {}
  void set_bool(ss::row_t, ss::col_t, bool) override {}
  void set_date_time(ss::row_t, ss::col_t, int, int, int, int, int, double) override {}
  void set_format(ss::row_t, ss::col_t, size_t) override {}
  void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, size_t) override {}
  void fill_down_cells(ss::row_t, ss::col_t, ss::row_t) override {}
  ss::range_size_t get_sheet_size() const override { return {kMaxRows, kMaxColumns}; }
};

class FirstSheet;

class FormulaCell : public iface::import_formula {
 public:
  explicit FormulaCell(FirstSheet& sheet) : sheet_(sheet) {}
  void set_position(ss::row_t row, ss::col_t col) override {
    row_ = row;
    col_ = col;
  }
  void set_formula(ss::formula_grammar_t, std::string_view formula) override { text_ = formula; }
  void set_shared_formula_index(size_t index) override { shared_ = index; }
  void set_result_string(std::string_view) override {}
  void set_result_value(double) override {}
  void set_result_bool(bool) override {}
  void set_result_empty() override {}
  void commit() override;

 private:
  FirstSheet& sheet_;
  ss::row_t row_ = 0;
  ss::col_t col_ = 0;
  std::string text_;
  std::optional<std::size_t> shared_;
};

class ArrayFormula : public iface::import_array_formula {
 public:
  explicit ArrayFormula(FirstSheet& sheet) : sheet_(sheet) {}
  void set_range(const ss::range_t& range) override { range_ = range; }
  void set_formula(ss::formula_grammar_t, std::string_view formula) override { text_ = formula; }
  void set_result_string(ss::row_t, ss::col_t, std::string_view) override {}
  void set_result_value(ss::row_t, ss::col_t, double) override {}
  void set_result_bool(ss::row_t, ss::col_t, bool) override {}
  void set_result_empty(ss::row_t, ss::col_t) override {}
  void commit() override;

 private:
  FirstSheet& sheet_;
  ss::range_t range_{};
  std::string text_;
};

class Properties : public iface::import_sheet_properties {
 public:
  explicit Properties(FirstSheet& sheet) : sheet_(sheet) {}
  void set_column_width(ss::col_t col, double width, orcus::length_unit_t unit) override;
  void set_column_hidden(ss::col_t, bool) override {}
  void set_row_height(ss::row_t row, double height, orcus::length_unit_t unit) override;
  void set_row_hidden(ss::row_t, bool) override {}
  void set_merge_cell_range(const ss::range_t& range) override;

 private:
  FirstSheet& sheet_;
};

// A stored xlsx column width holds 5 pixels of padding on a 7-pixel digit.
double xlsxCharacters(double stored) {
  return stored <= 1 ? stored : std::max(0.0, (stored * 7 - 5) / 7);
}

double toPixels(double length, orcus::length_unit_t unit) {
  using U = orcus::length_unit_t;
  switch (unit) {
    case U::point:
      return length * kPixelsPerPoint;
    case U::twip:
      return length / 20 * kPixelsPerPoint;
    case U::inch:
      return length * 96;
    case U::centimeter:
      return length / 2.54 * 96;
    case U::millimeter:
      return length / 25.4 * 96;
    default:
      return length;
  }
}

class FirstSheet : public iface::import_sheet {
 public:
  FirstSheet(WorkbookImport::Syntax syntax, const std::string& name, SheetContent& out,
             std::vector<std::string>& warnings, const SharedStrings& strings)
      : syntax_(syntax),
        name_(name),
        out_(out),
        warnings_(warnings),
        strings_(strings),
        formula_(*this),
        array_(*this),
        properties_(*this) {}

  iface::import_formula* get_formula() override { return &formula_; }
  iface::import_array_formula* get_array_formula() override { return &array_; }
  iface::import_sheet_properties* get_sheet_properties() override { return &properties_; }

  // Empty texts make no cell: a sheet stores no empty text.
  void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
    if (s.empty()) return;
    std::string t = text(row, col, s);
    if (Cell* c = cell(row, col)) interpretInput(CellType{}, t, c->value);
  }
  void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override {
    if (strings_.at(id).empty()) return;
    std::string t = text(row, col, strings_.at(id));
    if (Cell* c = cell(row, col)) c->value = Value::makeText(std::move(t));
  }
  void set_value(ss::row_t row, ss::col_t col, double value) override {
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
  void set_bool(ss::row_t row, ss::col_t col, bool value) override {
    Cell* c = cell(row, col);
    if (!c) return;
    const char* text = value ? "TRUE" : "FALSE";
    c->value = Value::makeText(text);
    warn(row, col, std::string("a logical value is kept as the text ") + text);
  }
  void set_date_time(ss::row_t row, ss::col_t col, int y, int m, int d, int h, int min,
                     double sec) override {
    double serial = serialDate(y, m, d) + (h * 3600 + min * 60 + sec) / 86400.0;
    set_value(row, col, serial);
    warn(row, col, "a date or time is kept as its day number " + formatGeneral(serial));
  }
  void set_format(ss::row_t row, ss::col_t col, size_t xf) override {
    formats_.push_back({row, col, xf});
  }
  void set_format(ss::row_t r1, ss::col_t c1, ss::row_t r2, ss::col_t c2, size_t xf) override {
    // Whole columns and rows of formats carry no cells here: only stored cells take them.
    blockFormats_.push_back({{r1, c1}, {r2, c2}, xf});
  }
  void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
    const Cell* from = out_.cells.find(col + 1, row + 1);
    if (!from) return;
    Value v = from->value;
    for (ss::row_t r = row + 1; r <= row + count; ++r)
      if (Cell* c = cell(r, col)) c->value = v;
  }
  ss::range_size_t get_sheet_size() const override { return {kMaxRows, kMaxColumns}; }

  // --- for the formula, properties and finish ---------------------------------
  void putFormula(ss::row_t row, ss::col_t col, const std::string& text) {
    Cell* c = cell(row, col);
    if (!c) return;
    std::string grid =
        syntax_ == WorkbookImport::Syntax::Odf ? formulaFromOdf(text) : formulaFromXlsx(text);
    grid = base::utf8ToCp1252(grid);
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
  void putShared(ss::row_t row, ss::col_t col, std::size_t index, const std::string& text) {
    if (!text.empty()) {
      shared_[index] = {text, CellPos{col + 1, row + 1}};
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
  void putArray(const ss::range_t& range, const std::string& text) {
    warn(range.first.row, range.first.column,
         "an array formula {=" + text + "} is not supported; its cells are left empty");
  }
  void setColumnWidth(ss::col_t col, double width, orcus::length_unit_t unit) {
    if (col < 0 || col >= kMaxColumns) return;
    double chars =
        unit == orcus::length_unit_t::xlsx_column_digit || unit == orcus::length_unit_t::unknown
            ? xlsxCharacters(width)
            : toPixels(width, unit) /
                  PlainFontMetrics::instance().averageCharWidth(out_.settings.defaultFont);
    auto i = static_cast<std::size_t>(col) + 1;
    if (out_.colWidths.size() <= i) out_.colWidths.resize(i + 1, -1);
    out_.colWidths[i] = std::round(chars * 100) / 100;
  }
  void setRowHeight(ss::row_t row, double height, orcus::length_unit_t unit) {
    if (row < 0 || row >= kMaxRows) return;
    auto i = static_cast<std::size_t>(row) + 1;
    if (out_.rowHeights.size() <= i) out_.rowHeights.resize(i + 1, -1);
    out_.rowHeights[i] = std::round(toPixels(height, unit));
  }
  void addMerge(const ss::range_t& r) {
    merges_.push_back({r.first.column + 1, r.first.row + 1, r.last.column + 1, r.last.row + 1});
  }

  void finish(const WorkbookStyles& styles) {
    for (const auto& [row, col, xf] : formats_) applyFormat(styles, row, col, xf);
    for (const auto& [first, last, xf] : blockFormats_) {
      Area a{first.second + 1, first.first + 1, last.second + 1, last.first + 1};
      std::vector<CellPos> inside;
      out_.cells.forEachIn(a, [&](const Cell& c, int r) { inside.push_back({c.col, r}); });
      for (const CellPos& p : inside) applyFormat(styles, p.row - 1, p.col - 1, xf);
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

 private:
  Cell* cell(ss::row_t row, ss::col_t col) {
    if (row < 0 || col < 0 || row >= kMaxRows || col >= kMaxColumns) return nullptr;
    if (out_.cells.cellCount() >= kMaxFileCells && !out_.cells.find(col + 1, row + 1))
      throw WorkbookTooLarge("more than " + std::to_string(kMaxFileCells) + " cells");
    return &out_.cells.obtain(col + 1, row + 1);
  }
  std::string text(ss::row_t row, ss::col_t col, std::string_view utf8) {
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
  void applyFormat(const WorkbookStyles& styles, ss::row_t row, ss::col_t col, std::size_t xf) {
    std::string code = styles.numberFormatOf(xf);
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
  void warn(ss::row_t row, ss::col_t col, const std::string& what) {
    warnings_.push_back(name_ + ": cell " + cellName(col + 1, row + 1) + ": " + what);
  }

  struct PendingFormat {
    ss::row_t row;
    ss::col_t col;
    std::size_t xf;
  };
  struct PendingBlock {
    std::pair<ss::row_t, ss::col_t> first, last;
    std::size_t xf;
  };
  WorkbookImport::Syntax syntax_;
  const std::string& name_;
  SheetContent& out_;
  std::vector<std::string>& warnings_;
  const SharedStrings& strings_;
  FormulaCell formula_;
  ArrayFormula array_;
  Properties properties_;
  FormulaParser parser_;
  std::map<std::size_t, std::pair<std::string, CellPos>> shared_;
  std::vector<PendingFormat> formats_;
  std::vector<PendingBlock> blockFormats_;
  std::vector<Area> merges_;
};

void FormulaCell::commit() {
  if (shared_)
    sheet_.putShared(row_, col_, *shared_, text_);
  else if (!text_.empty())
    sheet_.putFormula(row_, col_, text_);
  text_.clear();
  shared_.reset();
}

void ArrayFormula::commit() {
  sheet_.putArray(range_, text_);
  text_.clear();
}

void Properties::set_column_width(ss::col_t col, double width, orcus::length_unit_t unit) {
  sheet_.setColumnWidth(col, width, unit);
}
void Properties::set_row_height(ss::row_t row, double height, orcus::length_unit_t unit) {
  sheet_.setRowHeight(row, height, unit);
}
void Properties::set_merge_cell_range(const ss::range_t& range) {
  sheet_.addMerge(range);
}

// The cell addresses of a part's attributes (merged ranges, dimensions).
class AddressResolver : public iface::import_reference_resolver {
 public:
  ss::src_address_t resolve_address(std::string_view address) override {
    std::string plain;
    std::string_view tail = address.substr(address.rfind('!') + 1);
    for (char c : tail)
      if (c != '$') plain += c;
    int col = 0, row = 0;
    if (!parseCellName(plain, col, row))
      throw std::invalid_argument("not a cell address: " + std::string(address));
    return {0, row - 1, col - 1};
  }
  ss::src_range_t resolve_range(std::string_view range) override {
    std::size_t colon = range.find(':');
    ss::src_address_t first = resolve_address(range.substr(0, colon));
    return {first,
            colon == std::string_view::npos ? first : resolve_address(range.substr(colon + 1))};
  }
};

class Factory : public iface::import_factory {
 public:
  Factory(WorkbookImport::Syntax syntax, const std::string& name, SheetContent& out,
          std::vector<std::string>& warnings)
      : first_(syntax, name, out, warnings, strings_), name_(name), warnings_(warnings) {}

  iface::import_shared_strings* get_shared_strings() override { return &strings_; }
  iface::import_styles* get_styles() override { return &styles_; }
  iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override {
    return &resolver_;
  }
  iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
    names_.emplace_back(name);
    if (index == 0) return &first_;
    others_.push_back(std::make_unique<IgnoredSheet>());
    return others_.back().get();
  }
  iface::import_sheet* get_sheet(std::string_view name) override {
    for (std::size_t i = 0; i < names_.size(); ++i)
      if (names_[i] == name) return get_sheet(static_cast<ss::sheet_t>(i));
    return nullptr;
  }
  iface::import_sheet* get_sheet(ss::sheet_t index) override {
    if (index == 0 && !names_.empty()) return &first_;
    if (index > 0 && static_cast<std::size_t>(index) <= others_.size())
      return others_[static_cast<std::size_t>(index) - 1].get();
    return nullptr;
  }
  void finalize() override {}

  bool finish(std::string& error) {
    if (names_.empty()) {
      error = name_ + ": the workbook has no sheet";
      return false;
    }
    first_.finish(styles_);
    if (names_.size() > 1) {
      std::string rest;
      for (std::size_t i = 1; i < names_.size(); ++i) rest += (i > 1 ? ", " : "") + names_[i];
      warnings_.push_back(name_ + ": only the first sheet (" + names_[0] +
                          ") is read; not read: " + rest);
    }
    return true;
  }

 private:
  SharedStrings strings_;
  WorkbookStyles styles_;
  AddressResolver resolver_;
  FirstSheet first_;
  std::vector<std::unique_ptr<IgnoredSheet>> others_;
  std::vector<std::string> names_;
  const std::string& name_;
  std::vector<std::string>& warnings_;
};

}  // namespace

struct WorkbookImport::Impl {
  Impl(Syntax syntax, const std::string& name, SheetContent& out,
       std::vector<std::string>& warnings)
      : factory(syntax, name, out, warnings) {}
  Factory factory;
};

WorkbookImport::WorkbookImport(Syntax syntax, const std::string& name, SheetContent& out,
                               std::vector<std::string>& warnings)
    : impl_(std::make_unique<Impl>(syntax, name, out, warnings)) {}
WorkbookImport::~WorkbookImport() = default;

orcus::spreadsheet::iface::import_factory& WorkbookImport::factory() {
  return impl_->factory;
}

bool WorkbookImport::finish(std::string& error) {
  return impl_->factory.finish(error);
}

}  // namespace grid
