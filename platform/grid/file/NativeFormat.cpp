#include "platform/grid/file/NativeFormat.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "platform/base/Cp1252.h"
#include "platform/grid/CellInput.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/file/CellKindNames.h"
#include "platform/grid/file/JsonScanner.h"
#include "platform/grid/formula/Parser.h"

namespace grid {
namespace {

// A sorted map keeps thousands of cells fast to parse.
using InJson = nlohmann::json;

constexpr int kMaxJsonDepth = 32;

// One entry of "cells" as the streaming parser hands it over: plain text
// cells (most of a sheet) skip the document tree altogether.
struct CellEntry {
  std::string key;
  bool isText = false;
  std::string text;
  nlohmann::json json;
};

// Reads one JSON document into a sheet, every fault reported with the place
// it was found.
class Reader {
 public:
  Reader(const std::string& name, SheetContent& out, std::vector<std::string>* warnings)
      : name_(name), out_(out), warnings_(warnings) {}
  bool read(const InJson& root, const std::vector<CellEntry>& cells);
  const std::string& error() const { return error_; }

 private:
  bool fail(const std::string& where, const std::string& what) {
    error_ = name_ + ": " + where + ": " + what;
    return false;
  }
  bool integer(const InJson& j, const std::string& where, long long lo, long long hi,
               long long& out) {
    if (!j.is_number_integer() && !j.is_number_unsigned())
      return fail(where, "a whole number is expected");
    long long v = j.is_number_unsigned()
                      ? (j.get<unsigned long long>() > static_cast<unsigned long long>(hi)
                             ? hi + 1
                             : static_cast<long long>(j.get<unsigned long long>()))
                      : j.get<long long>();
    if (v < lo || v > hi)
      return fail(where, "must lie between " + std::to_string(lo) + " and " + std::to_string(hi));
    out = v;
    return true;
  }
  template <class T>
  bool integer(const InJson& j, const std::string& where, long long lo, long long hi, T& out) {
    long long v = 0;
    if (!integer(j, where, lo, hi, v)) return false;
    out = static_cast<T>(v);
    return true;
  }
  bool number(const InJson& j, const std::string& where, double& out) {
    if (!j.is_number()) return fail(where, "a number is expected");
    out = j.get<double>();
    if (!std::isfinite(out)) return fail(where, "a finite number is expected");
    return true;
  }
  bool boolean(const InJson& j, const std::string& where, bool& out) {
    if (!j.is_boolean()) return fail(where, "true or false is expected");
    out = j.get<bool>();
    return true;
  }
  bool text(const InJson& j, const std::string& where, std::string& out) {
    if (!j.is_string()) return fail(where, "a text is expected");
    return text(j.get_ref<const std::string&>(), where, out);
  }
  bool text(const std::string& s, const std::string& where, std::string& out) {
    if (s.size() > kMaxTextLength) return fail(where, "the text is too long");
    // Most sheet text is plain ASCII, the same in both encodings.
    bool ascii = std::all_of(s.begin(), s.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    out = ascii ? s : base::utf8ToCp1252(s);
    return true;
  }
  bool object(const InJson& j, const std::string& where) {
    return j.is_object() || fail(where, "an object is expected");
  }
  bool font(const InJson& j, const std::string& where, Font& out);
  bool format(const InJson& j, const std::string& where, CellFormat& out);
  bool cell(const CellEntry& entry, std::vector<std::uint32_t>& formatIds);
  bool sizes(const InJson& j, const std::string& where, int max, std::vector<double>& out);
  bool settings(const InJson& j);

  const std::string& name_;
  SheetContent& out_;
  std::vector<std::string>* warnings_;
  std::string error_;
  FormulaParser parser_;
};

bool Reader::font(const InJson& j, const std::string& where, Font& out) {
  if (!object(j, where)) return false;
  for (const auto& [k, v] : j.items()) {
    std::string at = where + "." + k;
    bool ok = k == "face"        ? text(v, at, out.face)
              : k == "height"    ? integer(v, at, 0, 1000, out.height)
              : k == "bold"      ? boolean(v, at, out.bold)
              : k == "italic"    ? boolean(v, at, out.italic)
              : k == "underline" ? boolean(v, at, out.underline)
                                 : fail(at, "unknown font field");
    if (!ok) return false;
  }
  return true;
}

bool Reader::format(const InJson& j, const std::string& where, CellFormat& out) {
  if (!object(j, where)) return false;
  CellType& t = out.type;
  for (const auto& [k, v] : j.items()) {
    std::string at = where + "." + k;
    bool ok = true;
    if (k == "type") {
      std::string kind;
      ok = text(v, at, kind);
      bool known = false;
      for (const CellKindName& n : kCellKindNames)
        if (kind == n.name) t.kind = n.kind, known = true;
      if (ok && !known) ok = fail(at, "unknown cell type \"" + kind + "\"");
    } else if (k == "style")
      ok = integer(v, at, 0, 0xFFFFFFFFLL, t.style);
    else if (k == "maxLength")
      ok = integer(v, at, 0, static_cast<long long>(kMaxTextLength), t.maxLength);
    else if (k == "decimals")
      ok = integer(v, at, 0, 15, t.decimals);
    else if (k == "min")
      ok = number(v, at, t.minimum);
    else if (k == "max")
      ok = number(v, at, t.maximum);
    else if (k == "separator")
      ok = boolean(v, at, t.separator);
    else if (k == "editable")
      ok = boolean(v, at, t.editable);
    else if (k == "text")
      ok = text(v, at, t.text);
    else if (k == "handle")
      ok = integer(v, at, 0, INT64_MAX, t.handle);
    else if (k == "handle2")
      ok = integer(v, at, 0, INT64_MAX, t.handle2);
    else if (k == "locked")
      ok = boolean(v, at, out.locked);
    else if (k == "background")
      ok = integer(v, at, 0, 0xFFFFFFFFLL, out.background);
    else if (k == "foreground")
      ok = integer(v, at, 0, 0xFFFFFFFFLL, out.foreground);
    else if (k == "border") {
      if (!v.is_array() || v.size() != 3)
        ok = fail(at, "[type, style, colour] is expected");
      else
        ok = integer(v[0], at, 0, 0xFFFFFFFFLL, out.border.type) &&
             integer(v[1], at, 0, 0xFFFFFFFFLL, out.border.style) &&
             integer(v[2], at, 0, 0xFFFFFFFFLL, out.border.color);
    } else if (k == "font")
      ok = font(v, at, out.font);
    else
      ok = fail(at, "unknown format field");
    if (!ok) return false;
  }
  if (t.minimum > t.maximum) return fail(where, "min is above max");
  return true;
}

bool Reader::cell(const CellEntry& entry, std::vector<std::uint32_t>& formatIds) {
  const std::string& key = entry.key;
  const InJson& j = entry.json;
  std::string where = "cell " + key;
  int col = 0, row = 0;
  std::size_t comma = key.find(',');
  if (comma != std::string::npos) {
    try {
      std::size_t used1 = 0, used2 = 0;
      long c = std::stol(key.substr(0, comma), &used1),
           r = std::stol(key.substr(comma + 1), &used2);
      if (used1 != comma || used2 != key.size() - comma - 1 || c < 0 || r < 0 || c > kMaxColumns ||
          r > kMaxRows)
        return fail(where, "not a cell");
      col = static_cast<int>(c), row = static_cast<int>(r);
    } catch (...) {
      return fail(where, "not a cell");
    }
  } else if (!parseCellName(key, col, row)) {
    return fail(where, "not a cell name such as \"B3\" or \"2,0\"");
  }
  out_.maxCols = std::max(out_.maxCols, col);
  out_.maxRows = std::max(out_.maxRows, row);
  if (out_.cells.find(col, row)) return fail(where, "the cell appears twice");
  if (out_.cells.cellCount() >= kMaxFileCells)
    return fail(where, "more than " + std::to_string(kMaxFileCells) + " cells");
  std::string data, formula, tag;
  bool hasData = false, hasFormula = false, hasTag = false;
  std::uint32_t format = 0;
  const InJson* cached = nullptr;
  if (entry.isText || j.is_string()) {
    if (entry.isText) {
      if (!text(entry.text, where, data)) return false;
    } else if (!text(j, where, data)) {
      return false;
    }
    if (data.starts_with("="))
      formula = data.substr(1), hasFormula = true;
    else
      hasData = true;
  } else if (j.is_number()) {
    double d = 0;
    if (!number(j, where, d)) return false;
    data = formatGeneral(d), hasData = true;
  } else if (j.is_object()) {
    for (const auto& [k, v] : j.items()) {
      std::string at = where + "." + k;
      bool ok = k == "data"      ? (hasData = true, text(v, at, data))
                : k == "formula" ? (hasFormula = true, text(v, at, formula))
                : k == "tag"     ? (hasTag = true, text(v, at, tag))
                : k == "value"   ? (cached = &v, true)
                : k == "format"
                    ? integer(v, at, 0, static_cast<long long>(formatIds.size()), format)
                    : fail(at, "unknown cell field");
      if (!ok) return false;
    }
    if (hasData && hasFormula) return fail(where, "a cell holds data or a formula, not both");
  } else {
    return fail(where, "a text, a number or an object is expected");
  }
  Cell& c = out_.cells.obtain(col, row);
  c.format = format ? formatIds[format - 1] : 0;
  if (hasTag) c.tag = std::make_unique<std::string>(std::move(tag));
  if (hasFormula) {
    if (col < 1 || row < 1) return fail(where, "the header cells hold no formulas");
    CompileError why;
    if (!parser_.compile(formula, col, row, c.formula, &why)) {
      // A form this engine does not know spoils one cell, not the sheet.
      c.formula = unreadableFormula(formula);
      c.value = Value::makeError(ErrorCode::Name);
      if (warnings_)
        warnings_->push_back(name_ + ": " + where + ": " + why.describe() +
                             "; the cell reads #NAME?");
    } else if (cached) {
      if (cached->is_number()) {
        double d = cached->get<double>();
        if (std::isfinite(d)) c.value = Value::makeNumber(d);
      } else if (cached->is_boolean()) {
        c.value = Value::makeBool(cached->get<bool>());
      } else if (cached->is_string()) {
        std::string s;
        if (!text(*cached, where + ".value", s)) return false;
        c.value = Value::makeText(std::move(s));
      } else if (cached->is_object() && cached->contains("error") &&
                 (*cached)["error"].is_string()) {
        ErrorCode e = parseErrorLiteral((*cached)["error"].get_ref<const std::string&>());
        if (e != ErrorCode::None) c.value = Value::makeError(e);
      }
    }
  } else if (hasData) {
    if (!interpretInput(out_.formats.at(c.format).type, data, c.value))
      return fail(where, "\"" + data + "\" does not suit the cell's type");
  }
  return true;
}

bool Reader::sizes(const InJson& j, const std::string& where, int max, std::vector<double>& out) {
  if (!object(j, where)) return false;
  for (const auto& [k, v] : j.items()) {
    std::string at = where + "." + k;
    int index = 0;
    try {
      std::size_t used = 0;
      long i = std::stol(k, &used);
      if (used != k.size() || i < 0 || i > max) return fail(at, "no such row or column");
      index = static_cast<int>(i);
    } catch (...) {
      return fail(at, "no such row or column");
    }
    double size = 0;
    if (!number(v, at, size)) return false;
    if (size < 0 || size > 100000) return fail(at, "size out of range");
    if (out.size() <= static_cast<std::size_t>(index))
      out.resize(static_cast<std::size_t>(index) + 1, -1);
    out[static_cast<std::size_t>(index)] = size;
  }
  return true;
}

bool Reader::settings(const InJson& j) {
  if (!object(j, "settings")) return false;
  SheetSettings& s = out_.settings;
  for (const auto& [k, v] : j.items()) {
    std::string at = "settings." + k;
    bool ok = true;
#define SETTING(NAME, LO, HI) else if (k == #NAME) ok = integer(v, at, LO, HI, s.NAME);
    if (k == "defaultFont")
      ok = font(v, at, s.defaultFont);
    else if (k == "textTipFont")
      ok = font(v, at, s.textTipFont);
    else if (k == "cellNoteIndicator")
      ok = boolean(v, at, s.cellNoteIndicator);
    SETTING(gridType, 0, 0xFFFFFFFFLL)
    SETTING(gridColor, 0, 0xFFFFFFFFLL)
    SETTING(lockBackground, 0, 0xFFFFFFFFLL)
    SETTING(lockForeground, 0, 0xFFFFFFFFLL)
    SETTING(selBackground, 0, 0xFFFFFFFFLL)
    SETTING(selForeground, 0, 0xFFFFFFFFLL)
    SETTING(grayBackground, 0, 0xFFFFFFFFLL)
    SETTING(grayForeground, 0, 0xFFFFFFFFLL)
    SETTING(appearance, INT32_MIN, INT32_MAX) SETTING(refStyle, 0, 2) SETTING(
        editEnterAction, INT32_MIN, INT32_MAX) SETTING(cursorType, INT32_MIN, INT32_MAX)
        SETTING(cursor, INT32_MIN, INT32_MAX) SETTING(textTipStatus, INT32_MIN, INT32_MAX)
            SETTING(textTipDelay, INT32_MIN, INT32_MAX) SETTING(autoSizeVisibleCols, 0, kMaxColumns)
                SETTING(autoSizeVisibleRows, 0, kMaxRows) else ok = fail(at, "unknown setting");
#undef SETTING
    if (!ok) return false;
  }
  return true;
}

bool Reader::read(const InJson& root, const std::vector<CellEntry>& streamed) {
  if (!root.is_object() || !root.contains("format") || root["format"] != kNativeFormatName)
    return fail("format", std::string("not a sheet file (\"format\": \"") + kNativeFormatName +
                              "\" is missing)");
  if (!root.contains("version")) return fail("version", "missing");
  const InJson& version = root["version"];
  if (!version.is_number_integer()) return fail("version", "a whole number is expected");
  // Compared as read: a huge unsigned version must not wrap to a small one.
  if (version.is_number_unsigned() && version.get<unsigned long long>() > kNativeFormatVersion)
    return fail("version", "written by a newer program (version " + version.dump() + ")");
  if (!version.is_number_unsigned() || version.get<unsigned long long>() < 1)
    return fail("version", "must be a version from 1 (found " + version.dump() + ")");
  if (root.contains("size")) {
    const InJson& s = root["size"];
    if (!s.is_array() || s.size() != 2) return fail("size", "[columns, rows] is expected");
    if (!integer(s[0], "size", 0, kMaxColumns, out_.maxCols) ||
        !integer(s[1], "size", 0, kMaxRows, out_.maxRows))
      return false;
  }
  std::vector<std::uint32_t> formatIds;
  if (root.contains("formats")) {
    const InJson& f = root["formats"];
    if (!f.is_array()) return fail("formats", "a list is expected");
    if (f.size() > kMaxFileCells) return fail("formats", "too many formats");
    for (std::size_t i = 0; i < f.size(); ++i) {
      CellFormat format;
      if (!this->format(f[i], "formats[" + std::to_string(i) + "]", format)) return false;
      formatIds.push_back(out_.formats.intern(format));
    }
  }
  if (root.contains("cells")) {
    const InJson& cells = root["cells"];
    if (!cells.is_object()) return fail("cells", "an object of cells by name is expected");
    for (const CellEntry& e : streamed)
      if (!cell(e, formatIds)) return false;
  }
  if (root.contains("spans")) {
    const InJson& spans = root["spans"];
    if (!spans.is_array()) return fail("spans", "a list is expected");
    std::vector<Area> read;
    read.reserve(spans.size());
    for (std::size_t i = 0; i < spans.size(); ++i) {
      std::string at = "spans[" + std::to_string(i) + "]";
      const InJson& s = spans[i];
      if (!s.is_array() || s.size() != 4)
        return fail(at, "[column, row, columns, rows] is expected");
      int c = 0, r = 0, w = 0, h = 0;
      if (!integer(s[0], at, 0, kMaxColumns, c) || !integer(s[1], at, 0, kMaxRows, r) ||
          !integer(s[2], at, 1, kMaxColumns - c + 1, w) ||
          !integer(s[3], at, 1, kMaxRows - r + 1, h))
        return false;
      read.push_back({c, r, c + w - 1, r + h - 1});
    }
    if (auto clash = out_.spans.assign(read); !clash.empty())
      return fail("spans[" + std::to_string(clash.front()) + "]", "overlaps another span");
  }
  if (root.contains("colWidths") &&
      !sizes(root["colWidths"], "colWidths", out_.maxCols, out_.colWidths))
    return false;
  if (root.contains("rowHeights") &&
      !sizes(root["rowHeights"], "rowHeights", out_.maxRows, out_.rowHeights))
    return false;
  if (root.contains("options")) {
    const InJson& o = root["options"];
    if (!o.is_array()) return fail("options", "a list of option numbers is expected");
    out_.options.reset();
    for (const InJson& v : o) {
      int option = 0;
      if (!integer(v, "options", 0, kMaxOptions - 1, option)) return false;
      out_.options.set(static_cast<std::size_t>(option));
    }
  }
  if (root.contains("settings") && !settings(root["settings"])) return false;
  if (root.contains("activeCell")) {
    const InJson& a = root["activeCell"];
    int c = 0, r = 0;
    if (!a.is_array() || a.size() != 2) return fail("activeCell", "[column, row] is expected");
    if (!integer(a[0], "activeCell", 1, std::max(1, out_.maxCols), c) ||
        !integer(a[1], "activeCell", 1, std::max(1, out_.maxRows), r))
      return false;
    out_.activeCell = CellPos{c, r};
  }
  if (root.contains("selection")) {
    const InJson& a = root["selection"];
    Area s;
    if (!a.is_array() || a.size() != 4)
      return fail("selection", "[column, row, column, row] is expected");
    if (!integer(a[0], "selection", -1, out_.maxCols, s.col1) ||
        !integer(a[1], "selection", -1, out_.maxRows, s.row1) ||
        !integer(a[2], "selection", -1, out_.maxCols, s.col2) ||
        !integer(a[3], "selection", -1, out_.maxRows, s.row2))
      return false;
    out_.selection = s;
  }
  return true;
}

// Builds the document like the library's own DOM parser, except that the
// entries of "cells" go into a list instead of a sorted map: a sheet has
// thousands of them and needs neither their order nor lookups by name.
class SheetSax : public nlohmann::json_sax<InJson> {
 public:
  InJson root;
  std::vector<CellEntry> cells;
  bool nestedTooDeep = false;

  bool null() override { return put(nullptr); }
  bool boolean(bool v) override { return put(v); }
  bool number_integer(number_integer_t v) override { return put(v); }
  bool number_unsigned(number_unsigned_t v) override { return put(v); }
  bool number_float(number_float_t v, const string_t&) override { return put(v); }
  bool string(string_t& v) override {
    if (awaitingCell_) {
      awaitingCell_ = false;
      cells.back().isText = true;
      cells.back().text = std::move(v);
      return true;
    }
    return put(std::move(v));
  }
  bool binary(binary_t&) override { return false; }
  bool start_object(std::size_t) override {
    InJson* o = put(InJson::object()) ? last_ : nullptr;
    if (!o || stack_.size() >= kMaxJsonDepth) return tooDeep();
    if (stack_.size() == 1 && pendingKey_ == "cells") cellsObject_ = o;
    stack_.push_back(o);
    return true;
  }
  bool key(string_t& k) override {
    if (!stack_.empty() && stack_.back() == cellsObject_) {
      cells.emplace_back();
      cells.back().key = std::move(k);
      slot_ = &cells.back().json;
      awaitingCell_ = true;
    } else {
      pendingKey_ = k;
      slot_ = &(*stack_.back())[k];
    }
    return true;
  }
  bool end_object() override {
    stack_.pop_back();
    return true;
  }
  bool start_array(std::size_t) override {
    InJson* a = put(InJson::array()) ? last_ : nullptr;
    if (!a || stack_.size() >= kMaxJsonDepth) return tooDeep();
    stack_.push_back(a);
    return true;
  }
  bool end_array() override {
    stack_.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  bool tooDeep() {
    nestedTooDeep = true;
    return false;
  }
  template <class V>
  bool put(V&& v) {
    awaitingCell_ = false;
    if (stack_.empty()) {
      root = InJson(std::forward<V>(v));
      last_ = &root;
    } else if (stack_.back()->is_array()) {
      stack_.back()->emplace_back(std::forward<V>(v));
      last_ = &stack_.back()->back();
    } else {
      *slot_ = InJson(std::forward<V>(v));
      last_ = slot_;
    }
    return true;
  }
  std::vector<InJson*> stack_;
  InJson* slot_ = nullptr;
  InJson* last_ = nullptr;
  InJson* cellsObject_ = nullptr;
  bool awaitingCell_ = false;
  std::string pendingKey_;
};

}  // namespace

bool readNativeFormat(std::string_view text, const std::string& name, SheetContent& out,
                      std::string& error, std::vector<std::string>* warnings) {
  SheetSax sax;
  JsonScanner scanner;
  bool parsed = false;
  try {
    parsed = scanner.scan(text, sax);
  } catch (const std::exception& e) {
    error = name + ": " + e.what();
    return false;
  }
  if (!parsed && sax.nestedTooDeep) {
    error = name + ": nested deeper than any sheet file";
    return false;
  }
  if (!parsed) {
    std::size_t at = std::min<std::size_t>(scanner.errorOffset(), text.size());
    std::size_t line = 1 + static_cast<std::size_t>(std::count(
                               text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    std::size_t lineStart = text.rfind('\n', at ? at - 1 : 0);
    std::size_t column = lineStart == std::string_view::npos ? at + 1 : at - lineStart;
    error = name + ": line " + std::to_string(line) + ", column " + std::to_string(column) +
            ": not valid JSON (truncated or damaged file?)";
    return false;
  }
  Reader reader(name, out, warnings);
  if (!reader.read(sax.root, sax.cells)) {
    error = reader.error();
    return false;
  }
  return true;
}

}  // namespace grid
