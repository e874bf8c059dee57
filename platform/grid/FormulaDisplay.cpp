#include "platform/grid/FormulaDisplay.h"

#include "platform/grid/formula/ReferenceStyle.h"

namespace grid {

std::string displayFormula(const Sheet& sheet, int col, int row) {
  int style = sheet.settings().refStyle;
  if (style < 0 || style > 2) style = 0;
  return formulaInStyle(sheet.getFormula(col, row), {col, row}, static_cast<RefStyle>(style));
}

bool setRefStyle(Sheet& sheet, int style) {
  if (style < 0 || style > 2) return false;
  sheet.settings().refStyle = style;
  // Switching repainting back on is what tells the view to show every cell anew.
  bool repainting = sheet.getBool(kOptionRedraw);
  sheet.setBool(kOptionRedraw, false);
  sheet.setBool(kOptionRedraw, true);
  sheet.setBool(kOptionRedraw, repainting);
  return true;
}

}  // namespace grid
