// Nx_Spread: single cells and whole rows and columns.
#include <algorithm>

#include "spreadsheet/Nx_Spread.h"

namespace {
Nx_String boolText(bool value) {
  return value ? "1" : "0";
}
Nx_String doubleText(double value) {
  return Nx_String(value, 2, false);
}
}  // namespace

// --- single cells ----------------------------------------------------------------

bool Nx_Spread::getCellText(const int& col, const int& row, Nx_String& text, int kind) const {
  text.setEmpty();
  if (!hasCell(col, row)) return false;
  const grid::Sheet& s = model();
  int c = at(col), r = at(row);
  switch (kind) {
    case kData:
      text = s.getData(c, r);
      break;
    case kFormula:
      text = s.getFormula(c, r);
      break;
    case kTag:
      text = s.getCellTag(c, r);
      break;
    case kValue:
      text = s.getValue(c, r);
      break;
    default:
      break;  // a kind the control does not know reads as empty
  }
  return true;
}

bool Nx_Spread::setCellText(const int& col, const int& row, const Nx_String& text) {
  return hasCell(col, row) && model().setData(at(col), at(row), text);
}

bool Nx_Spread::getCellInt(const int& col, const int& row, int& value) const {
  Nx_String text;
  if (!getCellText(col, row, text, kValue)) return false;
  value = text.toInt();
  return true;
}

bool Nx_Spread::getCellDouble(const int& col, const int& row, double& value) const {
  Nx_String text;
  if (!getCellText(col, row, text, kValue)) return false;
  value = text.toDouble();
  return true;
}

bool Nx_Spread::getCellBool(const int& col, const int& row, bool& value) const {
  Nx_String text;
  if (!getCellText(col, row, text, kValue)) return false;
  if (text == "1" || text == "0") {
    value = text == "1";
    return true;
  }
  return false;
}

bool Nx_Spread::setCellInt(const int& col, const int& row, int value) {
  return hasCell(col, row) && model().setValue(at(col), at(row), std::to_string(value));
}

bool Nx_Spread::setCellDouble(const int& col, const int& row, double value) {
  return hasCell(col, row) && model().setData(at(col), at(row), doubleText(value));
}

bool Nx_Spread::setCellBool(const int& col, const int& row, bool value) {
  return hasCell(col, row) && model().setData(at(col), at(row), boolText(value));
}

int Nx_Spread::getCellType(const int& col, const int& row) const {
  if (!hasCell(col, row)) return -1;
  return model().cellTypeCode(at(col), at(row)) & 0xFF;
}

// --- whole rows and columns ---------------------------------------------------------

// A cell that refuses its text (too long, not a number for a number cell)
// keeps its old value; the others are still written, and the caller learns
// of the refusal from the result.
bool Nx_Spread::writeCell(int col, int row, const Nx_String& text, bool asValue) {
  return asValue ? model().setValue(col, row, text) : model().setData(col, row, text);
}

bool Nx_Spread::setColumnValues(const int& col, const Nx_StringArray& values, bool asValue) {
  if (!hasCol(col)) return false;
  int rows = std::min(values.length(), model().maxRows());
  bool all = true;
  for (int i = 0; i < rows; ++i) all = writeCell(at(col), i + 1, values[i], asValue) && all;
  return all;
}

bool Nx_Spread::setRowValues(const int& row, const Nx_StringArray& values, bool asValue) {
  if (!hasRow(row)) return false;
  int cols = std::min(values.length(), model().maxCols());
  bool all = true;
  for (int i = 0; i < cols; ++i) all = writeCell(i + 1, at(row), values[i], asValue) && all;
  return all;
}

bool Nx_Spread::setColumnInts(const int& col, const AcArray<int>& values) {
  Nx_StringArray texts;
  for (int v : values) texts.append(Nx_String(v));
  return setColumnValues(col, texts, false);
}

bool Nx_Spread::setColumnDoubles(const int& col, const AcArray<double>& values) {
  Nx_StringArray texts;
  for (double v : values) texts.append(doubleText(v));
  return setColumnValues(col, texts, false);
}

bool Nx_Spread::setColumnBools(const int& col, const AcArray<bool>& values) {
  Nx_StringArray texts;
  for (bool v : values) texts.append(boolText(v));
  return setColumnValues(col, texts, false);
}

bool Nx_Spread::getColumnValues(const int& col, Nx_StringArray& values) const {
  if (!hasCol(col)) return false;
  values.removeAll();
  for (int row = 1; row <= model().maxRows(); ++row) values.append(model().getValue(at(col), row));
  return true;
}

bool Nx_Spread::getColumnTexts(const int& col, Nx_StringArray& values) const {
  if (!hasCol(col)) return false;
  values.removeAll();
  for (int row = 1; row <= model().maxRows(); ++row) values.append(model().getData(at(col), row));
  return true;
}

bool Nx_Spread::getRowValues(const int& row, Nx_StringArray& values) const {
  if (!hasRow(row)) return false;
  values.removeAll();
  for (int col = 1; col <= model().maxCols(); ++col) values.append(model().getValue(col, at(row)));
  return true;
}

bool Nx_Spread::getColumnInts(const int& col, AcArray<int>& values) const {
  Nx_StringArray texts;
  if (!getColumnValues(col, texts)) return false;
  values.removeAll();
  for (const Nx_String& t : texts) values.append(t.toInt());
  return true;
}

bool Nx_Spread::getColumnDoubles(const int& col, AcArray<double>& values) const {
  Nx_StringArray texts;
  if (!getColumnValues(col, texts)) return false;
  values.removeAll();
  for (const Nx_String& t : texts) values.append(t.toDouble());
  return true;
}

bool Nx_Spread::getColumnBools(const int& col, AcArray<bool>& values) const {
  Nx_StringArray texts;
  if (!getColumnValues(col, texts)) return false;
  values.removeAll();
  for (const Nx_String& t : texts) values.append(t == "1");
  return true;
}

bool Nx_Spread::clearRow(const int& row) {
  if (!attached_ || row < 0 || row > model().maxRows()) return false;
  bool all = true;
  for (int col = 1; col <= model().maxCols(); ++col) all = model().setValue(col, row, "") && all;
  return all;
}

bool Nx_Spread::clearRows(const int& first, const int& last) {
  bool ok = attached_;
  for (int row = first; row <= last && ok; ++row) ok = clearRow(row);
  return ok;
}

bool Nx_Spread::setRowHeaders(const Nx_StringArray& captions) {
  return setColumnValues(kHeader, captions, false);
}

bool Nx_Spread::getRowHeaders(Nx_StringArray& captions) const {
  return getColumnValues(kHeader, captions);
}

bool Nx_Spread::setColumnHeaders(const Nx_StringArray& captions) {
  return setRowValues(kHeader, captions, false);
}

bool Nx_Spread::getColumnHeaders(Nx_StringArray& captions) const {
  return getRowValues(kHeader, captions);
}
