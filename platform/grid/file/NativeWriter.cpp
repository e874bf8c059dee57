#include "platform/grid/file/NativeFormat.h"

#include <type_traits>

#include "platform/grid/file/CellKindNames.h"
#include "platform/grid/file/JsonOut.h"

// The native sheet file written in one pass straight into its text: a
// bill of ten thousand lines saved through a document tree spent most of
// its time building and freeing the tree.
namespace grid {
namespace {

using Group = JsonOut::Group;

void writeFont(JsonOut& out, const Font& f) {
  Group o(out, '{', '}');
  if (!f.face.empty()) o.key("face").text(f.face);
  if (f.height) o.key("height").integer(f.height);
  if (f.bold) o.key("bold").boolean(true);
  if (f.italic) o.key("italic").boolean(true);
  if (f.underline) o.key("underline").boolean(true);
}

void writeFormat(JsonOut& out, const CellFormat& f) {
  Group o(out, '{', '}');
  const CellType& t = f.type;
  if (t.kind != CellKind::General) {
    for (const CellKindName& k : kCellKindNames)
      if (k.kind == t.kind) o.key("type").utf8(k.name);
  }
  if (t.style) o.key("style").integer(t.style);
  if (t.kind == CellKind::Edit && t.maxLength) o.key("maxLength").integer(t.maxLength);
  if (t.kind == CellKind::Number) {
    o.key("decimals").integer(t.decimals);
    o.key("min").number(t.minimum);
    o.key("max").number(t.maximum);
    if (t.separator) o.key("separator").boolean(true);
  }
  if (t.editable) o.key("editable").boolean(true);
  if (!t.text.empty()) o.key("text").text(t.text);
  if (t.handle) o.key("handle").integer(t.handle);
  if (t.handle2) o.key("handle2").integer(t.handle2);
  if (f.locked) o.key("locked").boolean(true);
  if (f.background != kDefaultColor) o.key("background").integer(f.background);
  if (f.foreground != kDefaultColor) o.key("foreground").integer(f.foreground);
  if (!(f.border == Border{})) {
    Group b(o.key("border"), '[', ']');
    b.item().integer(f.border.type);
    b.item().integer(f.border.style);
    b.item().integer(f.border.color);
  }
  if (!(f.font == Font{})) writeFont(o.key("font"), f.font);
}

void writeValue(JsonOut& out, const Value& v) {
  switch (v.kind) {
    case ValueKind::Number:
      return out.number(v.number);
    case ValueKind::Text:
      return out.text(v.text);
    case ValueKind::Boolean:
      return out.boolean(v.number != 0);
    case ValueKind::Error: {
      Group o(out, '{', '}');
      o.key("error").utf8(errorText(v.error));
      return;
    }
    default:
      return out.null();
  }
}

// Cell names ("B3"; "2,0" for header cells), with each column's letters
// worked out once.
class CellKeys {
 public:
  void write(JsonOut& out, int col, int row) {
    out.raw('"');
    if (col >= 1 && row >= 1) {
      if (columns_.size() <= static_cast<std::size_t>(col))
        columns_.resize(static_cast<std::size_t>(col) + 1);
      std::string& letters = columns_[static_cast<std::size_t>(col)];
      if (letters.empty()) letters = columnName(col);
      out.raw(letters);
    } else {
      out.integer(col);
      out.raw(',');
    }
    out.integer(row);
    out.raw('"');
  }

 private:
  std::vector<std::string> columns_;
};

// One cell as a member of "cells", or nothing for a cell that holds nothing
// worth keeping. `format` is the cell's number in the file (0: none).
void writeCell(JsonOut& out, CellKeys& keys, bool& firstCell, const Cell& c, int row,
               std::uint32_t format) {
  auto key = [&]() -> JsonOut& {
    out.raw(firstCell ? "\n  " : ",\n  ");
    firstCell = false;
    keys.write(out, c.col, row);
    out.raw(": ");
    return out;
  };
  bool plainData = !c.hasFormula() && !c.tag && !format && (c.value.isText() || c.value.isNumber());
  if (plainData && !c.value.text.starts_with("=")) return key().text(c.value.text);
  if (c.hasFormula() && !c.tag && !format && c.value.isEmpty()) {
    std::string formula = "=";
    formula += c.formula.text();
    return key().text(formula);
  }
  bool data = !c.hasFormula() && !c.value.isEmpty();
  if (!c.hasFormula() && !data && !c.tag && !format) return;
  Group o(key(), '{', '}');
  if (c.hasFormula()) {
    o.key("formula").text(c.formula.text());
    if (!c.value.isEmpty()) writeValue(o.key("value"), c.value);
  } else if (data) {
    if (c.value.isText() || c.value.isNumber())
      o.key("data").text(c.value.text);
    else
      o.key("data").text(valueText(c.value));
  }
  if (c.tag) o.key("tag").text(*c.tag);
  if (format) o.key("format").integer(format);
}

void writeSizes(JsonOut& out, const std::vector<double>& sizes) {
  Group o(out, '{', '}');
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] < 0) continue;
    o.item().raw('"');
    out.integer(static_cast<std::uint64_t>(i));
    out.raw("\":");
    out.number(sizes[i]);
  }
}

bool hasSize(const std::vector<double>& sizes) {
  for (double s : sizes)
    if (s >= 0) return true;
  return false;
}

void writeSettings(JsonOut& out, const SheetSettings& s) {
  Group o(out, '{', '}');
  SheetSettings d;
  if (!(s.defaultFont == d.defaultFont)) writeFont(o.key("defaultFont"), s.defaultFont);
  auto setting = [&](const char* name, auto value, auto standard) {
    if (value == standard) return;
    if constexpr (std::is_same_v<decltype(value), bool>)
      o.key(name).boolean(value);
    else
      o.key(name).integer(value);
  };
#define SETTING(NAME) setting(#NAME, s.NAME, d.NAME);
  SETTING(gridType)
  SETTING(gridColor)
  SETTING(lockBackground)
  SETTING(lockForeground)
  SETTING(selBackground)
  SETTING(selForeground)
  SETTING(grayBackground)
  SETTING(grayForeground)
  SETTING(appearance)
  SETTING(refStyle)
  SETTING(editEnterAction)
  SETTING(cursorType)
  SETTING(cursor)
  SETTING(textTipStatus)
  SETTING(textTipDelay)
  SETTING(autoSizeVisibleCols)
  SETTING(autoSizeVisibleRows)
  SETTING(cellNoteIndicator)
#undef SETTING
  if (!(s.textTipFont == d.textTipFont)) writeFont(o.key("textTipFont"), s.textTipFont);
}

// Top-level entries, one a line.
class Entries {
 public:
  explicit Entries(JsonOut& out) : out_(out) { out_.raw("{\n"); }
  ~Entries() { out_.raw("\n}\n"); }
  Entries(const Entries&) = delete;
  Entries& operator=(const Entries&) = delete;
  JsonOut& operator[](std::string_view key) {
    out_.raw(first_ ? " " : ",\n ");
    first_ = false;
    out_.utf8(key);
    out_.raw(": ");
    return out_;
  }

 private:
  JsonOut& out_;
  bool first_ = true;
};

}  // namespace

std::string writeNativeFormat(const SheetContent& content, bool dataOnly) {
  std::string text;
  // Most cells are short texts: a guess that spares most of the regrowth.
  text.reserve(4096 + content.cells.cellCount() * 32);
  JsonOut out(text);
  {
    Entries root(out);
    root["format"].utf8(kNativeFormatName);
    root["version"].integer(kNativeFormatVersion);
    {
      Group size(root["size"], '[', ']');
      size.item().integer(content.maxCols);
      size.item().integer(content.maxRows);
    }
    // Only the formats that cells use, renumbered from 1 in the order met.
    std::vector<std::uint32_t> renumber(content.formats.size(), 0);
    std::vector<std::uint32_t> used;
    root["cells"].raw('{');
    bool firstCell = true;
    CellKeys keys;
    content.cells.forEach([&](const Cell& c, int row) {
      std::uint32_t format = 0;
      if (!dataOnly && c.format) {
        if (!renumber[c.format]) {
          used.push_back(c.format);
          renumber[c.format] = static_cast<std::uint32_t>(used.size());
        }
        format = renumber[c.format];
      }
      writeCell(out, keys, firstCell, c, row, format);
    });
    out.raw(firstCell ? "}" : "\n }");
    if (!dataOnly) {
      if (!used.empty()) {
        Group formats(root["formats"], '[', ']');
        for (std::uint32_t f : used) writeFormat(formats.item(), content.formats.at(f));
      }
      const auto& spans = content.spans.all();
      if (!spans.empty()) {
        Group list(root["spans"], '[', ']');
        for (const Area& a : spans) {
          Group span(list.item(), '[', ']');
          span.item().integer(a.col1);
          span.item().integer(a.row1);
          span.item().integer(a.width());
          span.item().integer(a.height());
        }
      }
      if (hasSize(content.colWidths)) writeSizes(root["colWidths"], content.colWidths);
      if (hasSize(content.rowHeights)) writeSizes(root["rowHeights"], content.rowHeights);
      {
        Group options(root["options"], '[', ']');
        for (int i = 0; i < kMaxOptions; ++i)
          if (content.options.test(static_cast<std::size_t>(i))) options.item().integer(i);
      }
      if (!(content.settings == SheetSettings{})) writeSettings(root["settings"], content.settings);
      if (content.activeCell) {
        Group a(root["activeCell"], '[', ']');
        a.item().integer(content.activeCell->col);
        a.item().integer(content.activeCell->row);
      }
      if (content.selection) {
        const Area& s = *content.selection;
        Group a(root["selection"], '[', ']');
        for (int v : {s.col1, s.row1, s.col2, s.row2}) a.item().integer(v);
      }
    }
  }
  return text;
}

}  // namespace grid
