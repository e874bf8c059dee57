#pragma once
#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

class Nx_Spread;
class Nx_SectionTableManager;

// One section table of the library as the user edits it: a row per size
// with its system name, include flag ("1" or "0"), a display name per user
// language and the dimension values as text. Read from and written to the
// library's prof/ folder, shown in a sheet and taken back, and handed to the
// section-table manager. Row indices are 0-based data rows.
class SS_EXPORT Nx_ProfValuesTable {
 public:
  Nx_ProfValuesTable() = default;
  Nx_ProfValuesTable(const Nx_ProfValuesTable& other);
  Nx_ProfValuesTable& operator=(const Nx_ProfValuesTable& other);
  virtual ~Nx_ProfValuesTable() = default;

  // File: gSettings.libDir + "prof/" + name, ".pr" added unless the name ends
  // with it. The first row holds the template, the second the header.
  bool readFromFile(const Nx_String& name);
  // The same; every fault of the file (no header, a header without language
  // columns, a short row, a duplicate system name, a dimension that is no
  // number) is appended to problems as "file:line:column: what". Short rows
  // and repeated system names are left out; the rest is kept as read.
  bool readFromFile(const Nx_String& name, Nx_StringArray* problems);
  // Atomic: a failed write leaves the previous file.
  bool writeToFile(const Nx_String& name) const;
  bool writeToFile(const Nx_String& name, Nx_String* error) const;
  // The file's path for a table name.
  static Nx_String filePath(const Nx_String& name);

  // Position of the first language column.
  static constexpr int kFirstLanguageIdx = 2;
  // Language columns: 5 when the header's entry 6 is "Korean", else 4.
  int getNrLanguages() const;
  // Position of the first value column, after the languages.
  int getFirstValueIdx() const { return kFirstLanguageIdx + getNrLanguages(); }
  // The header's value column names, and a row's values (from the first value column).
  Nx_StringArray getValueNames() const { return valuesOf(columnNames); }
  Nx_StringArray valuesOf(const Nx_StringArray& row) const;
  int getColumnIdx(const Nx_String& columnName) const;
  bool getColumn(Nx_StringArray& values, int position) const;
  bool getColumn(Nx_StringArray& values, const Nx_String& columnName) const;
  bool getRow(Nx_StringArray& row, int index) const;
  bool deleteRow(int index);
  // Copies the row right after itself under an unused system name; false for
  // the last row (index + 1 must be a row).
  bool insertRow(int index);
  // insertRow(index), then names row index (the source row).
  Acad::ErrorStatus insertRow(int index, const Nx_String& sysName, const Nx_String& userName);
  Acad::ErrorStatus setSysName(int index, const Nx_String& name);
  Acad::ErrorStatus setUserNames(int index, const Nx_String& name);
  Acad::ErrorStatus setValues(int index, const AcArray<double>& values);

  bool getSysNames(Nx_StringArray& names) const;
  bool getFilteredSysNames(Nx_StringArray& names) const;
  // "table-sysname" per row; filtering skips rows flagged "0".
  bool getSysNames(Nx_StringArray& names, bool filter) const;
  bool findSysName(const Nx_String& name, int& index) const;
  Nx_String findUnusedSysName(const Nx_String& base) const;
  // Position among the included rows; -1 outside the table.
  int getfilteredIdx(int index) const;
  void removeInactiveEntries();
  // Orders the rows by the entry at the position (natural order, numbers by
  // value; a stable sort, so equal entries keep their order).
  bool sortRows(int position, bool descending);

  bool getFromSS(Nx_Spread& sheet);
  bool setToSS(Nx_Spread& sheet) const;
  // The manager's table of this name is replaced by this one (include column
  // dropped, excluded rows kept).
  Acad::ErrorStatus setToGlobals(Nx_SectionTableManager* manager) const;

  Nx_String tableName;
  Nx_String templateName;
  Nx_StringArray columnNames;
  Nx_Array<Nx_StringArray> rows{8};
};
