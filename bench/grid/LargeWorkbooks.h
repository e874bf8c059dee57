#pragma once
// The large workbooks the grid benchmarks share: data in A..J, ten formula
// columns K..T of references, arithmetic, IF, MIN, MAX, ROUND and text joins.
#include <memory>
#include <string>

#include "platform/grid/Sheet.h"

namespace gridbench {

inline constexpr const char* kFormulaColumns[10] = {
    "=A#+B#*2",         "=IF(K#>100,K#-C#,K#+C#)",
    "=MIN(A#,B#,C#)",   "=MAX(D#:F#)",
    "=ROUND(L#/3,2)",   "=\"x\"&A#",
    "=K#+L#+M#",        "=IF(A#>B#,MIN(K#,L#),MAX(M#,N#))",
    "=ROUND(Q#*1.1,1)", "=P#&\"-\"&S#"};

inline std::string dataText(int row, int col) {
  return std::to_string((row * 7 + col * 13) % 211);
}

// A formula column's formula for one row.
inline std::string formulaFor(int column, int row) {
  std::string f = kFormulaColumns[column], n = std::to_string(row);
  for (std::size_t at; (at = f.find('#')) != std::string::npos;) f.replace(at, 1, n);
  return f;
}

// The recalculation sheet: `rows` rows, ten formula cells each.
inline std::unique_ptr<grid::Sheet> largeSheet(int rows) {
  auto s = std::make_unique<grid::Sheet>();
  s->setMaxCols(20);
  s->setMaxRows(rows);
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= 10; ++c) s->setData(c, r, dataText(r, c));
    for (int c = 0; c < 10; ++c) s->setFormula(11 + c, r, formulaFor(c, r), false);
  }
  return s;
}

// The same sheet as the text of a CSV workbook.
inline std::string csvWorkbook(int rows) {
  std::string csv;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= 10; ++c) csv += dataText(r, c) + ",";
    for (int c = 0; c < 10; ++c) {
      std::string f = formulaFor(c, r), field;
      bool quote = f.find_first_of(",\"") != std::string::npos;
      for (char ch : f) field += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      csv += (quote ? "\"" + field + "\"" : field) + (c < 9 ? "," : "\n");
    }
  }
  return csv;
}

}  // namespace gridbench
