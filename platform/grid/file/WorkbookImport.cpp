#include "platform/grid/file/WorkbookImport.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <map>
#include <optional>

#include "platform/grid/FontMetrics.h"
#include "platform/grid/file/WorkbookStyles.h"

namespace grid {
namespace {

namespace iface = ss::iface;

constexpr double kPixelsPerPoint = 4.0 / 3.0;

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

class FormulaCell : public iface::import_formula {
 public:
  explicit FormulaCell(WorkbookSheet& sheet) : sheet_(sheet) {}
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
  void commit() override {
    if (shared_)
      sheet_.putShared(row_, col_, *shared_, text_);
    else if (!text_.empty())
      sheet_.putFormula(row_, col_, text_);
    text_.clear();
    shared_.reset();
  }

 private:
  WorkbookSheet& sheet_;
  ss::row_t row_ = 0;
  ss::col_t col_ = 0;
  std::string text_;
  std::optional<std::size_t> shared_;
};

class ArrayFormula : public iface::import_array_formula {
 public:
  explicit ArrayFormula(WorkbookSheet& sheet) : sheet_(sheet) {}
  void set_range(const ss::range_t& range) override { range_ = range; }
  void set_formula(ss::formula_grammar_t, std::string_view formula) override { text_ = formula; }
  void set_result_string(ss::row_t, ss::col_t, std::string_view) override {}
  void set_result_value(ss::row_t, ss::col_t, double) override {}
  void set_result_bool(ss::row_t, ss::col_t, bool) override {}
  void set_result_empty(ss::row_t, ss::col_t) override {}
  void commit() override {
    sheet_.putArray(range_.first.row, range_.first.column, text_);
    text_.clear();
  }

 private:
  WorkbookSheet& sheet_;
  ss::range_t range_{};
  std::string text_;
};

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

class Properties : public iface::import_sheet_properties {
 public:
  Properties(WorkbookSheet& sheet, const SheetContent& out) : sheet_(sheet), out_(out) {}
  void set_column_width(ss::col_t col, double width, orcus::length_unit_t unit) override {
    sheet_.setColumnWidth(
        col,
        unit == orcus::length_unit_t::xlsx_column_digit || unit == orcus::length_unit_t::unknown
            ? xlsxCharacters(width)
            : toPixels(width, unit) /
                  PlainFontMetrics::instance().averageCharWidth(out_.settings.defaultFont));
  }
  void set_column_hidden(ss::col_t, bool) override {}
  void set_row_height(ss::row_t row, double height, orcus::length_unit_t unit) override {
    sheet_.setRowHeight(row, toPixels(height, unit));
  }
  void set_row_hidden(ss::row_t, bool) override {}
  void set_merge_cell_range(const ss::range_t& r) override {
    sheet_.addMerge({r.first.column + 1, r.first.row + 1, r.last.column + 1, r.last.row + 1});
  }

 private:
  WorkbookSheet& sheet_;
  const SheetContent& out_;
};

// The first sheet as the library hands it over, into the sheet builder.
class FirstSheet : public iface::import_sheet {
 public:
  FirstSheet(WorkbookImport::Syntax syntax, const std::string& name, SheetContent& out,
             std::vector<std::string>& warnings, const SharedStrings& strings)
      : sheet_(syntax, name, out, warnings),
        strings_(strings),
        formula_(sheet_),
        array_(sheet_),
        properties_(sheet_, out) {}

  iface::import_formula* get_formula() override { return &formula_; }
  iface::import_array_formula* get_array_formula() override { return &array_; }
  iface::import_sheet_properties* get_sheet_properties() override { return &properties_; }

  void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
    sheet_.putAuto(row, col, s);
  }
  void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override {
    sheet_.putText(row, col, strings_.at(id));
  }
  void set_value(ss::row_t row, ss::col_t col, double value) override {
    sheet_.putNumber(row, col, value);
  }
  void set_bool(ss::row_t row, ss::col_t col, bool value) override {
    sheet_.putBool(row, col, value);
  }
  void set_date_time(ss::row_t row, ss::col_t col, int y, int m, int d, int h, int min,
                     double sec) override {
    sheet_.putDateTime(row, col, y, m, d, h, min, sec);
  }
  void set_format(ss::row_t row, ss::col_t col, size_t xf) override {
    sheet_.putFormat(row, col, xf);
  }
  void set_format(ss::row_t r1, ss::col_t c1, ss::row_t r2, ss::col_t c2, size_t xf) override {
    sheet_.putFormatBlock({c1 + 1, r1 + 1, c2 + 1, r2 + 1}, xf);
  }
  void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
    sheet_.fillDown(row, col, count);
  }
  ss::range_size_t get_sheet_size() const override { return {kMaxRows, kMaxColumns}; }

  void finish(const WorkbookStyles& styles) { sheet_.finish(styles.formats()); }

 private:
  WorkbookSheet sheet_;
  const SharedStrings& strings_;
  FormulaCell formula_;
  ArrayFormula array_;
  Properties properties_;
};

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
