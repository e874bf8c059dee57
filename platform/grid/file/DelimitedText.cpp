#include "platform/grid/file/DelimitedText.h"

#include <algorithm>

#include "platform/base/Cp1252.h"
#include "platform/grid/CellInput.h"
#include "platform/grid/formula/FormulaShapes.h"

namespace grid {
namespace {

char detectSeparator(std::string_view text) {
  std::size_t tabs = 0, semicolons = 0, commas = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"')
      quoted = !quoted;
    else if (!quoted && (c == '\n' || c == '\r'))
      break;
    else if (!quoted && c == '\t')
      ++tabs;
    else if (!quoted && c == ';')
      ++semicolons;
    else if (!quoted && c == ',')
      ++commas;
  }
  if (tabs > 0) return '\t';
  return semicolons > commas ? ';' : ',';
}

bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool readDelimitedText(std::string_view raw, const std::string& name, SheetContent& out,
                       std::string& error, std::vector<std::string>* warnings) {
  // UTF-8 text becomes Windows-1252; bytes that are no UTF-8 are taken as
  // they are, so files in either encoding read right. Field by field: the
  // separators, quotes and line ends are ASCII, which no UTF-8 sequence
  // holds, and a large file is then never in memory twice.
  std::string_view text = raw;
  char sep = detectSeparator(text);
  FormulaShapes formulas;
  std::size_t i = 0, n = text.size();
  int row = 1, line = 1, widest = 0;
  std::string field;
  std::size_t lastStored = 0;  // cells of the record before
  while (i < n) {
    int recordLine = line;
    int col = 1;
    std::size_t storedBefore = out.cells.cellCount();
    if (lastStored > 0 && row <= kMaxRows) out.cells.reserveRow(row, lastStored);
    bool endOfRecord = false, lastValueEmpty = true;
    while (!endOfRecord) {
      // The field's text: a view of the file where it can be, built in
      // `field` only for doubled quotes or a conversion.
      std::string_view value;
      int fieldLine = line;
      if (i < n && text[i] == '"') {
        ++i;
        field.clear();
        bool built = false;
        for (;;) {
          std::size_t quote = text.find('"', i);
          if (quote == std::string_view::npos) {
            error = name + ": line " + std::to_string(fieldLine) + ": a quoted field is not closed";
            return false;
          }
          std::string_view run = text.substr(i, quote - i);
          line += static_cast<int>(std::count(run.begin(), run.end(), '\n'));
          i = quote + 1;
          bool doubled = i < n && text[i] == '"';
          if (!doubled && !built) {
            value = run;
            break;
          }
          field.append(run);
          built = true;
          if (!doubled) break;
          field += '"';
          ++i;
        }
        if (built) value = field;
        if (i < n && text[i] != sep && text[i] != '\n' && text[i] != '\r') {
          error = name + ": line " + std::to_string(line) + ", cell " + cellName(col, row) +
                  ": text after the closing quote";
          return false;
        }
      } else {
        std::size_t end = i;
        while (end < n && text[end] != sep && text[end] != '\n' && text[end] != '\r') ++end;
        value = text.substr(i, end - i);
        i = end;
      }
      if (!isAscii(value)) {
        field = base::utf8ToCp1252(value);
        value = field;
      }
      lastValueEmpty = value.empty();
      if (value.size() > kMaxTextLength) {
        error = name + ": line " + std::to_string(fieldLine) + ", cell " + cellName(col, row) +
                ": the field is too long";
        return false;
      }
      if (!value.empty()) {
        if (col > kMaxColumns) {
          error = name + ": line " + std::to_string(recordLine) + ": more than " +
                  std::to_string(kMaxColumns) + " columns";
          return false;
        }
        if (out.cells.cellCount() >= kMaxFileCells) {
          error = name + ": more than " + std::to_string(kMaxFileCells) + " cells";
          return false;
        }
        Cell& cell = out.cells.obtain(col, row);
        if (value[0] == '=') {
          CompileError why;
          // The text after "=" is what a save writes and a load compiles again.
          std::string_view formula = value.substr(1);
          if (!formulas.compile(formula, col, row, cell.formula, &why)) {
            // A form this engine does not know spoils one cell, not the sheet.
            cell.formula = unreadableFormula(formula);
            cell.value = Value::makeError(ErrorCode::Name);
            if (warnings)
              warnings->push_back(name + ": line " + std::to_string(fieldLine) + ", cell " +
                                  cellName(col, row) + ": " + why.describe() +
                                  "; the cell reads #NAME?");
          }
        } else {
          interpretInput(CellType{}, value, cell.value);
        }
      }
      if (i >= n) {
        endOfRecord = true;
      } else if (text[i] == sep) {
        ++i;
        ++col;
        if (col > kMaxColumns + 1) {
          error = name + ": line " + std::to_string(recordLine) + ": more than " +
                  std::to_string(kMaxColumns) + " columns";
          return false;
        }
      } else {
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        ++i;
        ++line;
        endOfRecord = true;
      }
    }
    lastStored = out.cells.cellCount() - storedBefore;
    // A last line without any field is the file's closing line break, no row.
    if (i < n || col > 1 || !lastValueEmpty) {
      widest = std::max(widest, col);
      ++row;
    }
    if (row > kMaxRows + 1) {
      error = name + ": more than " + std::to_string(kMaxRows) + " rows";
      return false;
    }
  }
  out.maxCols = widest;
  out.maxRows = row - 1;
  return true;
}

}  // namespace grid
