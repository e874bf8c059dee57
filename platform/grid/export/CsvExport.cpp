#include "platform/grid/export/CsvExport.h"

#include "platform/base/Cp1252.h"
#include "platform/grid/NumberText.h"
#include "platform/grid/export/ExportCells.h"

namespace grid {
namespace {

bool looksLikeFormula(const std::string& text) {
  if (text.size() < 2 || std::string_view("=+-@").find(text[0]) == std::string_view::npos)
    return false;
  double ignored = 0;
  return !parseNumber(text, ignored);
}

void appendField(std::string& out, const Value& v) {
  std::string text = base::cp1252ToUtf8(valueText(v));
  if (v.isText() && looksLikeFormula(text)) text = "'" + text;
  appendCsvField(out, text);
}

}  // namespace

void appendCsvField(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string csvText(const Sheet& sheet) {
  UsedRange used = usedRange(sheet);
  std::string out;
  for (int row = 1; row <= used.rows; ++row) {
    for (int col = 1; col <= used.cols; ++col) {
      if (col > 1) out += ',';
      appendField(out, sheet.value(col, row));
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace grid
