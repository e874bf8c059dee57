#include "mapping/KvVarCell.h"

#include "mapping/KvSSMapping.h"
#include "spreadsheet/Nx_Spread.h"

namespace {
constexpr int kTextCellLength = 9999;
constexpr unsigned kTextCellStyle = 0;

struct Keyword {
  const char* text;
  KvValueType type;
};
// Tried in this order, so "Integer count" declares a whole number. Matched
// with case: a note such as "double-check against ..." declares nothing.
constexpr Keyword kKeywords[] = {
    {"Int", kValueInt},
    {"Double", kValueDouble},
    {"String", kValueString},
};
}  // namespace

bool parseDeclaration(const Nx_String& text, KvValueType& type, Nx_String& name) {
  int start = 0;
  while (text[start] == ' ') ++start;
  Nx_String declaration = text.mid(start);
  for (const Keyword& k : kKeywords) {
    if (!declaration.startsWith(k.text, true)) continue;
    type = k.type;
    int blank = declaration.find(' ');
    name = blank < 0 ? Nx_String() : declaration.mid(blank + 1);
    return true;
  }
  return false;
}

KvVarCell::~KvVarCell() = default;

Acad::ErrorStatus KvVarCell::initialize(Nx_Spread& sheet, const int& column, const int& row,
                                        const KvCellType& cellType) {
  if (!sheet.getCellText(column, row, name, Nx_Spread::kValue)) return kFail;
  KvValueType type = kValueString;
  Nx_String declared;
  if (!parseDeclaration(name, type, declared)) return kFail;
  valueType = type;
  name = declared;
  this->column = column;
  this->row = row;
  this->cellType = cellType;
  return Acad::eOk;
}

Acad::ErrorStatus KvVarCell::setValueFromMacro(KvSSMapping& mapping, KvMacroBinding& data) {
  return mapping.getMacroVarValue(name, valueType, value, data) == Acad::eOk ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvVarCell::setValueToMacro(KvSSMapping& mapping, KvMacroBinding& data) {
  return mapping.setMacroVarValue(name, valueType, value, data) == Acad::eOk ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvVarCell::setValueFromOther(Nx_Spread& sheet, const KvVarCell& other) {
  return setNewValue(sheet, other.value);
}

Acad::ErrorStatus KvVarCell::setNewValue(const Nx_String& text) {
  value = text;
  return Acad::eOk;
}

Acad::ErrorStatus KvVarCell::setNewValue(Nx_Spread& sheet, const Nx_String& text) {
  value = text;
  return setValueToSS(sheet);
}

Acad::ErrorStatus KvVarCell::setValueToSS(Nx_Spread& sheet) {
  // Argument copies have no cell (0, 0), which would address the headers.
  if (column < 1 || row < 1) return kFail;
  bool typed = false;
  switch (valueType) {
    case kValueInt:
      typed = sheet.setNumberCell(column, row, 0, false);
      break;
    case kValueDouble:
      typed = sheet.setNumberCell(column, row, 7, false);
      break;
    default:
      typed = sheet.setEditCells(column, row, column, row, kTextCellStyle, kTextCellLength);
      break;
  }
  grid::Sheet* model = sheet.sheet();
  if (!typed || !model) return kFail;
  return model->setValue(column, row, value.str()) ? Acad::eOk : kFail;
}

Acad::ErrorStatus KvVarCell::getCurrentValue(Nx_Spread& sheet, Nx_String& text) const {
  return sheet.getCellText(column, row, text, Nx_Spread::kValue) ? Acad::eOk : kFail;
}
