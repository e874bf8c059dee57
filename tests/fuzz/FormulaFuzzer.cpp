// Fuzz target: any text as a formula. It must compile or be refused with a
// position inside the text; compiled formulas must evaluate, survive
// structure edits and recalculation without a fault.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/grid/Sheet.h"
#include "platform/grid/formula/Parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 20000) return 0;
  int ops = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  grid::FormulaParser parser;
  grid::CompiledFormula compiled;
  grid::CompileError error;
  if (!parser.compile(text, 3, 3, compiled, &error)) {
    if (error.position > text.size() || error.message.empty()) std::abort();
    return 0;
  }

  grid::Sheet sheet;
  sheet.setMaxCols(6);
  sheet.setMaxRows(6);
  sheet.setData(1, 1, "1");
  sheet.setData(2, 1, "text");
  sheet.setData(1, 2, "-2.5");
  sheet.setFormula(2, 2, "=A1*2");
  sheet.addCustomFunctionExt(
      "CUSTOM", 0, 4,
      [](grid::ValueRecord& r, std::span<const grid::ValueRecord> a) {
        r = a.empty() ? grid::ValueRecord{} : a[0];
        return a.size() != 3;
      },
      ops & 1);
  if (!sheet.setFormula(3, 3, text)) std::abort();  // what compiles once compiles in the sheet
  sheet.setFormula(4, 4, text);                     // and a second time, reading the first
  sheet.setBool(7, (ops & 2) != 0);
  sheet.reCalc();
  (void)sheet.getValue(3, 3);
  switch ((ops >> 2) & 7) {
    case 0:
      sheet.insRow(2);
      break;
    case 1:
      sheet.delRow(1);
      break;
    case 2:
      sheet.insCol(3);
      break;
    case 3:
      sheet.delCol(2);
      break;
    case 4:
      sheet.copyRange({3, 3, 4, 4}, 1, 5);
      break;
    case 5:
      sheet.moveRange({1, 1, 2, 2}, 5, 5);
      break;
    case 6:
      sheet.swapRange({1, 1, 3, 3}, 4, 4);
      break;
    default:
      break;
  }
  sheet.reCalc();
  sheet.reCalcCell(3, 3);
  // Every formula left in the sheet must still compile as it reads.
  for (int r = 1; r <= 6; ++r) {
    for (int c = 1; c <= 6; ++c) {
      std::string f = sheet.getFormula(c, r);
      if (!f.empty() && !parser.compile(f, c, r, compiled)) std::abort();
    }
  }
  return 0;
}
