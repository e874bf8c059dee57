#include "sections/Nx_ProfValuesTable.h"

#include <algorithm>
#include <vector>

#include "core/ArrayHelpers.h"
#include "core/MacroLangs.h"
#include "core/StringHelpers.h"

namespace {
constexpr int kFirstLanguage = Nx_ProfValuesTable::kFirstLanguageIdx;
}

Nx_ProfValuesTable::Nx_ProfValuesTable(const Nx_ProfValuesTable& other)
    : tableName(other.tableName),
      templateName(other.templateName),
      columnNames(other.columnNames),
      rows(other.rows.growLength()) {
  for (const Nx_StringArray& row : other.rows) rows.append(row);
}

Nx_ProfValuesTable& Nx_ProfValuesTable::operator=(const Nx_ProfValuesTable& other) {
  if (this == &other) return *this;
  tableName = other.tableName;
  templateName = other.templateName;
  columnNames = other.columnNames;
  Nx_Array<Nx_StringArray> copy(other.rows.growLength());
  for (const Nx_StringArray& row : other.rows) copy.append(row);
  rows = std::move(copy);
  return *this;
}

int Nx_ProfValuesTable::getNrLanguages() const {
  return columnNames.length() >= 7 && columnNames[6].equal("Korean", false) ? 5 : 4;
}

Nx_StringArray Nx_ProfValuesTable::valuesOf(const Nx_StringArray& row) const {
  Nx_StringArray values;
  for (int i = getFirstValueIdx(); i < row.length(); ++i) values.append(row[i]);
  return values;
}

int Nx_ProfValuesTable::getColumnIdx(const Nx_String& columnName) const {
  return columnNames.find(columnName, false);
}

bool Nx_ProfValuesTable::getColumn(Nx_StringArray& values, int position) const {
  if (rows.isEmpty() || position < 0 || position >= rows[0].length()) return false;
  values.removeAll();
  for (const Nx_StringArray& row : rows) values.append(row.isValid(position) ? row[position] : "");
  return true;
}

bool Nx_ProfValuesTable::getColumn(Nx_StringArray& values, const Nx_String& columnName) const {
  int position = getColumnIdx(columnName);
  return position >= 0 && getColumn(values, position);
}

bool Nx_ProfValuesTable::getRow(Nx_StringArray& row, int index) const {
  if (!rows.isValid(index)) return false;
  row = rows[index];
  return true;
}

bool Nx_ProfValuesTable::deleteRow(int index) {
  if (!rows.isValid(index)) return false;
  return rows.removeAt(index);
}

bool Nx_ProfValuesTable::insertRow(int index) {
  if (index < 0 || index + 1 >= rows.length()) return false;
  int language = getColumnIdx(MacroLangs::GetCurLanguage());
  Nx_StringArray copy = rows[index];
  Nx_String prefix = tableName;
  Nx_String base = "1";
  if (language >= 0 && language < copy.length()) {
    Nx_String display = copy[language];
    int digit = findFirstNumbers(display);
    if (digit >= 0) display = display.left(digit);
    if (!display.isEmpty()) prefix = display;
  }
  if (!copy.isEmpty() && !copy[0].isEmpty()) base = copy[0];
  Nx_String name = findUnusedSysName(base);
  if (!copy.isEmpty()) copy[0] = name;
  if (language >= 0 && language < copy.length()) copy[language] = prefix + name;
  return rows.insertAt(index + 1, std::move(copy));
}

Acad::ErrorStatus Nx_ProfValuesTable::insertRow(int index, const Nx_String& sysName,
                                                const Nx_String& userName) {
  if (!insertRow(index) || setSysName(index, sysName) != Acad::eOk ||
      setUserNames(index, userName) != Acad::eOk)
    return Acad::eInvalidInput;
  return Acad::eOk;
}

Acad::ErrorStatus Nx_ProfValuesTable::setSysName(int index, const Nx_String& name) {
  if (!rows.isValid(index) || rows[index].isEmpty()) return Acad::eInvalidInput;
  rows[index][0] = name;
  return Acad::eOk;
}

Acad::ErrorStatus Nx_ProfValuesTable::setUserNames(int index, const Nx_String& name) {
  int languages = getNrLanguages();
  if (!rows.isValid(index) || rows[index].length() < languages + kFirstLanguage)
    return Acad::eInvalidInput;
  for (int i = kFirstLanguage; i < kFirstLanguage + languages; ++i) rows[index][i] = name;
  return Acad::eOk;
}

Acad::ErrorStatus Nx_ProfValuesTable::setValues(int index, const AcArray<double>& values) {
  int first = getFirstValueIdx();
  if (!rows.isValid(index) || values.length() != rows[index].length() - first)
    return Acad::eInvalidInput;
  for (int k = 0; k < values.length(); ++k) rows[index][first + k] = Nx_String(values[k], 1, false);
  return Acad::eOk;
}

bool Nx_ProfValuesTable::getSysNames(Nx_StringArray& names) const {
  return getSysNames(names, false);
}

bool Nx_ProfValuesTable::getFilteredSysNames(Nx_StringArray& names) const {
  return getSysNames(names, true);
}

bool Nx_ProfValuesTable::getSysNames(Nx_StringArray& names, bool filter) const {
  names.removeAll();
  Nx_StringArray systemNames, flags;
  if (!getColumn(systemNames, 0) || !getColumn(flags, 1) || systemNames.length() != flags.length())
    return false;
  for (int i = 0; i < systemNames.length(); ++i) {
    if (filter && flags[i] == "0") continue;
    names.append(tableName + "-" + systemNames[i]);
  }
  return true;
}

bool Nx_ProfValuesTable::findSysName(const Nx_String& name, int& index) const {
  Nx_StringArray systemNames;
  if (!getColumn(systemNames, 0)) return false;
  return systemNames.find(name, index, false);
}

Nx_String Nx_ProfValuesTable::findUnusedSysName(const Nx_String& base) const {
  Nx_StringArray systemNames;
  getColumn(systemNames, 0);
  return findNonExistingString(systemNames, base);
}

int Nx_ProfValuesTable::getfilteredIdx(int index) const {
  Nx_StringArray flags;
  if (!getColumn(flags, 1) || !flags.isValid(index)) return -1;
  int excluded = 0;
  for (int i = 0; i < index; ++i)
    if (flags[i] != "1") ++excluded;
  return index - excluded;
}

void Nx_ProfValuesTable::removeInactiveEntries() {
  for (int i = rows.length() - 1; i >= 0; --i)
    if (rows[i].length() >= 2 && rows[i][1].equal("0", true)) rows.removeAt(i);
}

bool Nx_ProfValuesTable::sortRows(int position, bool descending) {
  if (rows.isEmpty() || position < 0) return false;
  std::vector<int> order(static_cast<size_t>(rows.length()));
  for (int i = 0; i < rows.length(); ++i) order[static_cast<size_t>(i)] = i;
  auto key = [&](int r) -> const Nx_String& {
    static const Nx_String none;
    return rows[r].isValid(position) ? rows[r][position] : none;
  };
  auto compare = [&](int a, int b) {
    double x = 0, y = 0;
    int c = key(a).toDouble(x) && key(b).toDouble(y) ? (x < y   ? -1
                                                        : x > y ? 1
                                                                : 0)
                                                     : naturalCompare(key(a), key(b));
    return descending ? c > 0 : c < 0;
  };
  std::stable_sort(order.begin(), order.end(), compare);
  Nx_Array<Nx_StringArray> sorted(rows.growLength());
  for (int i : order) sorted.append(std::move(rows[i]));
  rows = std::move(sorted);
  return true;
}
