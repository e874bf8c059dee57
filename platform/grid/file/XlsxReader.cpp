#include "platform/grid/file/XlsxReader.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/grid/CellAddress.h"
#include "platform/grid/file/WorkbookSheet.h"
#include "platform/grid/file/XlsxParts.h"

namespace grid {
namespace {

void trimBlanks(std::string& s) {
  auto blank = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; };
  while (!s.empty() && blank(s.back())) s.pop_back();
  std::size_t lead = 0;
  while (lead < s.size() && blank(s[lead])) ++lead;
  s.erase(0, lead);
}

// A cell address without "$" and sheet: "A1" to column and row from 0.
bool cellAt(std::string_view ref, int& row, int& col) {
  ref = ref.substr(ref.rfind('!') + 1);
  char plain[32];
  std::size_t n = 0;
  for (char c : ref) {
    if (c == '$') continue;
    if (n == sizeof plain) return false;
    plain[n++] = c;
  }
  if (!parseCellName({plain, n}, col, row)) return false;
  --col;
  --row;
  return true;
}

// One <c> element as it is read.
struct CellRead {
  int row = 0, col = 0;
  std::size_t xf = 0;
  bool hasFormula = false, inValue = false, inFormula = false, inInline = false, inText = false;
  int phonetic = 0;
  // Reused from cell to cell: short values stay in the strings' own storage.
  std::string type, value, formula, inlineText, formulaType;
  std::size_t sharedIndex = 0;
  bool hasShared = false;
};

class SheetReader {
 public:
  SheetReader(WorkbookSheet& sheet, const XlsxSharedStrings& strings, XlsxParts& parts)
      : sheet_(sheet), strings_(strings), parts_(parts) {}

  bool read() {
    bad_.clear();
    const bool ok = scanPart(
        parts_, [&](const XmlScanner& x) { start(x); }, [&](const XmlScanner& x) { end(x); },
        [&](std::string_view s) { text(s); });
    if (!ok) return false;
    if (!bad_.empty()) return parts_.fail(bad_);
    return true;
  }
  std::size_t errorCells() const { return errorCells_; }

 private:
  void start(const XmlScanner& x) {
    const std::string_view n = localName(x.name());
    if (n == "c") {
      startCell(x);
    } else if (n == "v") {
      c_.inValue = true;
    } else if (n == "f") {
      c_.hasFormula = c_.inFormula = true;
      c_.formulaType = x.attribute("t");
      bool found = false;
      const std::string_view si = x.attribute("si", &found);
      c_.sharedIndex = found ? wholeNumber(si, c_.hasShared) : 0;
    } else if (n == "is") {
      c_.inInline = true;
    } else if (n == "t") {
      c_.inText = c_.inInline;
    } else if (n == "rPh") {
      ++c_.phonetic;
    } else if (n == "row") {
      bool found = false, ok = false;
      const std::string_view r = x.attribute("r", &found);
      const std::size_t at = found ? wholeNumber(r, ok) : 0;
      if (found && !ok) bad_ = "row number \"" + std::string(r) + "\" is not a number";
      row_ = ok ? static_cast<int>(std::min<std::size_t>(at, kMaxRows + 1)) - 1 : row_ + 1;
      col_ = -1;
      const std::string_view ht = x.attribute("ht", &found);
      double points = 0;
      if (found && std::from_chars(ht.data(), ht.data() + ht.size(), points).ec == std::errc{})
        sheet_.setRowHeight(row_, points * 4 / 3);
    } else if (n == "col") {
      column(x);
    } else if (n == "mergeCell") {
      merge(x.attribute("ref"));
    }
  }

  void startCell(const XmlScanner& x) {
    c_.type = x.attribute("t");
    bool found = false, ok = false;
    const std::string_view s = x.attribute("s", &found);
    c_.xf = found ? wholeNumber(s, ok) : 0;
    const std::string_view r = x.attribute("r", &found);
    if (found) {
      if (!cellAt(r, c_.row, c_.col)) bad_ = "\"" + std::string(r) + "\" is no cell address";
      row_ = c_.row;
    } else {
      c_.row = row_;
      c_.col = col_ + 1;
    }
    col_ = c_.col;
    c_.hasFormula = c_.hasShared = false;
    c_.value.clear();
    c_.formula.clear();
    c_.inlineText.clear();
  }

  void text(std::string_view s) {
    if (c_.inValue)
      c_.value += s;
    else if (c_.inFormula)
      c_.formula += s;
    else if (c_.inText && !c_.phonetic)
      c_.inlineText += s;
  }

  void end(const XmlScanner& x) {
    const std::string_view n = localName(x.name());
    if (n == "v") c_.inValue = false;
    if (n == "f") c_.inFormula = false;
    if (n == "is") c_.inInline = false;
    if (n == "t") c_.inText = false;
    if (n == "rPh") --c_.phonetic;
    if (n == "c") endCell();
  }

  void column(const XmlScanner& x) {
    bool ok1 = false, ok2 = false, found = false;
    const std::size_t first = wholeNumber(x.attribute("min"), ok1);
    const std::size_t last = wholeNumber(x.attribute("max"), ok2);
    const std::string_view w = x.attribute("width", &found);
    double width = 0;
    if (!ok1 || !ok2 || !found ||
        std::from_chars(w.data(), w.data() + w.size(), width).ec != std::errc{})
      return;
    for (std::size_t c = std::max<std::size_t>(first, 1);
         c <= std::min<std::size_t>(last, kMaxColumns); ++c)
      sheet_.setColumnWidth(static_cast<int>(c) - 1, xlsxCharacters(width));
  }

  void merge(std::string_view ref) {
    const std::size_t colon = ref.find(':');
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!cellAt(ref.substr(0, colon), r1, c1)) {
      bad_ = "\"" + std::string(ref) + "\" is no cell range";
      return;
    }
    r2 = r1, c2 = c1;
    if (colon != std::string_view::npos && !cellAt(ref.substr(colon + 1), r2, c2)) {
      bad_ = "\"" + std::string(ref) + "\" is no cell range";
      return;
    }
    sheet_.addMerge({c1 + 1, r1 + 1, c2 + 1, r2 + 1});
  }

  void endCell();
  void putValue();

  WorkbookSheet& sheet_;
  const XlsxSharedStrings& strings_;
  XlsxParts& parts_;
  CellRead c_;
  int row_ = -1, col_ = -1;
  std::size_t errorCells_ = 0;
  std::string bad_;
};

void SheetReader::endCell() {
  const int row = c_.row, col = c_.col;
  if (c_.hasFormula && c_.formulaType == "array") {
    if (!c_.formula.empty()) sheet_.putArray(row, col, c_.formula);
  } else if (c_.hasFormula && c_.formulaType == "shared" && c_.hasShared) {
    sheet_.putShared(row, col, c_.sharedIndex, c_.formula);
  } else if (c_.hasFormula && c_.formulaType == "dataTable") {
    sheet_.warn(row, col, "a data table is not supported; the cell is left empty");
  } else if (c_.hasFormula && !c_.formula.empty()) {
    sheet_.putFormula(row, col, c_.formula);
  } else {
    putValue();
  }
  if (c_.xf) sheet_.putFormat(row, col, c_.xf);
}

void SheetReader::putValue() {
  const int row = c_.row, col = c_.col;
  const std::string_view t = c_.type;
  if (t == "inlineStr") {
    sheet_.putText(row, col, c_.inlineText);
    return;
  }
  trimBlanks(c_.value);
  if (c_.value.empty()) return;
  if (t == "s") {
    bool ok = false;
    std::string_view s;
    const std::size_t index = wholeNumber(c_.value, ok);
    if (ok && strings_.at(index, s))
      sheet_.putText(row, col, s);
    else
      sheet_.warn(row, col, "no shared text numbered " + c_.value + "; the cell is left empty");
  } else if (t == "str") {
    sheet_.putText(row, col, c_.value);
  } else if (t == "b") {
    sheet_.putBool(row, col, c_.value != "0" && c_.value != "false");
  } else if (t == "e") {
    ++errorCells_;
  } else if (t == "d") {
    int y = 0, m = 0, d = 0, h = 0, min = 0;
    double sec = 0;
    if (std::sscanf(c_.value.c_str(), "%d-%d-%dT%d:%d:%lf", &y, &m, &d, &h, &min, &sec) >= 3)
      sheet_.putDateTime(row, col, y, m, d, h, min, sec);
    else
      sheet_.warn(row, col, "the date \"" + c_.value + "\" is not read; the cell is left empty");
  } else {
    double v = 0;
    const char* first = c_.value.data();
    const char* last = first + c_.value.size();
    auto [end, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
      v = std::strtod(first, nullptr);  // past the range of a double: infinite, reads #NUM!
    } else if (ec != std::errc{} || end != last) {
      sheet_.warn(row, col, "\"" + c_.value + "\" is no number; the cell is left empty");
      return;
    }
    sheet_.putNumber(row, col, v);
  }
}

}  // namespace

bool readXlsx(std::string_view bytes, const std::vector<ZipEntry>& entries, const std::string& name,
              SheetContent& out, std::vector<std::string>& warnings, std::string& error) {
  XlsxParts parts(bytes, entries, error);
  XlsxWorkbook wb;
  if (!readXlsxWorkbook(parts, wb)) return false;
  if (wb.sheets.empty()) {
    error = "the workbook has no sheet";
    return false;
  }
  std::vector<std::string> read = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels"};
  auto target = wb.targets.find(wb.sheets[0].id);
  const std::string sheetPart =
      target != wb.targets.end() ? target->second : "xl/worksheets/sheet1.xml";
  if (wb.targets.empty()) {
    wb.sharedStrings = "xl/sharedStrings.xml";
    wb.styles = "xl/styles.xml";
  }
  XlsxSharedStrings strings;
  if (!wb.sharedStrings.empty() && parts.has(wb.sharedStrings)) {
    if (!parts.open(wb.sharedStrings) || !strings.read(parts)) return false;
    read.push_back(wb.sharedStrings);
  }
  NumberFormats formats;
  if (!wb.styles.empty() && parts.has(wb.styles)) {
    if (!parts.open(wb.styles) || !readXlsxStyles(parts, formats)) return false;
    read.push_back(wb.styles);
  }
  WorkbookSheet sheet(WorkbookSheet::Syntax::Xlsx, name, out, warnings);
  if (!parts.open(sheetPart)) return false;
  read.push_back(sheetPart);
  SheetReader reader(sheet, strings, parts);
  try {
    if (!reader.read()) return false;
  } catch (const WorkbookTooLarge& x) {
    error = x.what();
    return false;
  }
  if (!checkOtherXlsxParts(parts, entries, read)) return false;
  sheet.finish(formats);
  if (wb.sheets.size() > 1) {
    std::string rest;
    for (std::size_t i = 1; i < wb.sheets.size(); ++i)
      rest += (i > 1 ? ", " : "") + wb.sheets[i].name;
    warnings.push_back(name + ": only the first sheet (" + wb.sheets[0].name +
                       ") is read; not read: " + rest);
  }
  if (reader.errorCells())
    warnings.push_back(name + ": " + sheetPart + ": " + std::to_string(reader.errorCells()) +
                       " cells holding error values are not read; they are left empty");
  return true;
}

}  // namespace grid
