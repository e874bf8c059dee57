#include "core/sections/Nx_SectionTable.h"

Nx_SectionTable::Nx_SectionTable(const Nx_String& fileName, const Nx_String& templateName,
                                 const Nx_StringArray& columnNames,
                                 const Nx_Array<Nx_StringArray>& rows)
    : fileName_(fileName), templateName_(templateName), columnNames_(columnNames), rows_(rows) {
  indexNames();
}

Nx_SectionTable::Nx_SectionTable(const Nx_String& fileName, const Nx_String& templateName,
                                 const Nx_StringArray& columnNames, Nx_Array<Nx_StringArray>&& rows)
    : fileName_(fileName),
      templateName_(templateName),
      columnNames_(columnNames),
      rows_(std::move(rows)) {
  indexNames();
}

void Nx_SectionTable::indexNames() {
  rowOfName_.clear();
  const int names = firstDimension();
  for (int r = 0; r < rows_.length(); ++r) {
    const Nx_StringArray& row = rows_[r];
    for (int c = 0; c < names && c < row.length(); ++c)
      if (!row[c].isEmpty()) rowOfName_.try_emplace(row[c].lower().str(), r);
  }
}

Nx_String Nx_SectionTable::name() const {
  return fileName_.endsWith(".pr", false) ? fileName_.left(fileName_.length() - 3) : fileName_;
}

int Nx_SectionTable::languageCount() const {
  return columnNames_.length() >= 6 && columnNames_[5].equal("Korean", false) ? 5 : 4;
}

void Nx_SectionTable::getDimensionNames(Nx_StringArray& names) const {
  names.removeAll();
  for (int c = firstDimension(); c < columnNames_.length(); ++c) names.append(columnNames_[c]);
}

int Nx_SectionTable::findRow(const Nx_String& name) const {
  if (name.isEmpty()) return -1;
  auto it = rowOfName_.find(name.lower().str());
  return it == rowOfName_.end() ? -1 : it->second;
}

bool Nx_SectionTable::dimension(int row, int dimension, Nx_String& value) const {
  const Nx_StringArray* cells = rows_.get(row);
  int column = firstDimension() + dimension;
  if (!cells || dimension < 0 || column >= cells->length()) return false;
  value = (*cells)[column];
  return true;
}
