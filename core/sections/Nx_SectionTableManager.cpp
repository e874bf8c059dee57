#include "core/sections/Nx_SectionTableManager.h"

#include <algorithm>
#include <memory>

#include "core/FileSearch.h"
#include "core/Nx_Settings.h"
#include "core/RowFile.h"

Nx_SectionTableManager gSectionTables;

namespace {
Nx_String fileNameOf(const Nx_String& path) {
  int slash = std::max(path.reverseFind('/'), path.reverseFind('\\'));
  return path.mid(slash + 1);
}
}  // namespace

bool Nx_SectionTableManager::loadFolder(const Nx_String& folder, Nx_StringArray* errors) {
  explicitLoad_ = true;
  return readFolder(folder, errors);
}

bool Nx_SectionTableManager::loadTable(const Nx_String& path, Nx_String* error) {
  ensureCurrentLibrary();
  return readTable(path, error);
}

bool Nx_SectionTableManager::readFolder(const Nx_String& folder, Nx_StringArray* errors) {
  tables_.removeAll();
  Nx_StringArray paths;
  Nx_String error;
  if (!ObjectExportFindFiles(folder, "*.pr", paths, &error)) {
    if (errors) errors->append(error);
    return false;
  }
  for (const Nx_String& path : paths) {
    if (!readTable(path, &error) && errors) errors->append(error);
  }
  return true;
}

bool Nx_SectionTableManager::readTable(const Nx_String& path, Nx_String* error) {
  Nx_String tableName;
  Nx_Array<Nx_StringArray> rows;
  if (!readFile(path, tableName, rows, error)) return false;
  if (rows.length() < 2 || rows[1].isEmpty() || !rows[1][0].equal("SysName", false)) {
    if (error)
      *error = path + ": expected a template row and the header row \"SysName\", \"I/O\", ...";
    return false;
  }
  Nx_String templateName = rows[0].isEmpty() ? Nx_String() : rows[0][0];
  // The manager keeps no include column.
  Nx_StringArray columns = rows[1];
  columns.removeAt(1);
  Nx_Array<Nx_StringArray> sizes(8);
  for (int r = 2; r < rows.length(); ++r) {
    Nx_StringArray row = rows[r];
    if (row.length() > 1) row.removeAt(1);
    sizes.append(row);
  }
  Nx_SectionTable table(fileNameOf(path), templateName, columns, sizes);
  int existing = tableIndex(table.name());
  if (existing >= 0) tables_.removeAt(existing);
  tables_.append(table);
  return true;
}

void Nx_SectionTableManager::ensureCurrentLibrary() {
  if (explicitLoad_ || gSettings.libDir.isEmpty()) return;
  Nx_String folder = gSettings.libDir + "prof/";
  if (folder == autoFolder_) return;
  autoFolder_ = folder;
  readFolder(folder, nullptr);
}

int Nx_SectionTableManager::tableIndex(const Nx_String& name) const {
  for (int i = 0; i < tables_.length(); ++i)
    if (tables_[i].name().equal(name, false)) return i;
  return -1;
}

const Nx_SectionTable* Nx_SectionTableManager::findSection(const Nx_String& name, int& row) {
  ensureCurrentLibrary();
  for (const Nx_SectionTable& t : tables_) {
    row = t.findRow(name);
    if (row >= 0) return &t;
  }
  return nullptr;
}

bool Nx_SectionTableManager::getSystemName(const Nx_String& name, Nx_String& systemName) {
  int row = -1;
  const Nx_SectionTable* t = findSection(name, row);
  if (!t || t->rows()[row].isEmpty()) return false;
  systemName = t->rows()[row][0];
  return true;
}

Acad::ErrorStatus Nx_SectionTableManager::getSectionValue(const Nx_String& section, int dimension,
                                                          Nx_String& value) {
  int row = -1;
  const Nx_SectionTable* t = findSection(section, row);
  if (!t) return Acad::eKeyNotFound;
  return t->dimension(row, dimension, value) ? Acad::eOk : Acad::eInvalidInput;
}

Acad::ErrorStatus Nx_SectionTableManager::getSectionColumnNames(const Nx_String& section,
                                                                Nx_StringArray& names) {
  int row = -1;
  const Nx_SectionTable* t = findSection(section, row);
  if (!t) return Acad::eKeyNotFound;
  t->getDimensionNames(names);
  return Acad::eOk;
}

bool Nx_SectionTableManager::hasTable(const Nx_String& name) {
  ensureCurrentLibrary();
  return tableIndex(name) >= 0;
}

Acad::ErrorStatus Nx_SectionTableManager::removeTable(const Nx_String& name) {
  ensureCurrentLibrary();
  int i = tableIndex(name);
  if (i < 0) return Acad::eKeyNotFound;
  tables_.removeAt(i);
  return Acad::eOk;
}

Acad::ErrorStatus Nx_SectionTableManager::addSectionTable(const Nx_String& fileName,
                                                          const Nx_String& templateName,
                                                          const Nx_StringArray& columnNames,
                                                          const Nx_Array<Nx_StringArray>& rows) {
  return addSectionTable(fileName, templateName, columnNames, Nx_Array<Nx_StringArray>(rows));
}

Acad::ErrorStatus Nx_SectionTableManager::addSectionTable(const Nx_String& fileName,
                                                          const Nx_String& templateName,
                                                          const Nx_StringArray& columnNames,
                                                          Nx_Array<Nx_StringArray>&& rows) {
  ensureCurrentLibrary();
  auto table =
      std::make_unique<Nx_SectionTable>(fileName, templateName, columnNames, std::move(rows));
  if (table->name().isEmpty() || tableIndex(table->name()) >= 0) return Acad::eInvalidInput;
  tables_.append(std::move(table));
  return Acad::eOk;
}

int Nx_SectionTableManager::tableCount() {
  ensureCurrentLibrary();
  return tables_.length();
}

const Nx_SectionTable* Nx_SectionTableManager::table(int index) {
  ensureCurrentLibrary();
  return tables_.get(index);
}

Acad::ErrorStatus getSectionValue(const Nx_String& section, int dimension, Nx_String& value) {
  return gSectionTables.getSectionValue(section, dimension, value);
}

Acad::ErrorStatus getSectionColumnNames(const Nx_String& section, Nx_StringArray& names) {
  return gSectionTables.getSectionColumnNames(section, names);
}
