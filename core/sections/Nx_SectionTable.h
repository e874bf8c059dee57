#pragma once
#include <string>
#include <unordered_map>

#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// One section table as the manager keeps it: the family's sizes, each with
// its system name, a display name per user language and its dimensions.
// Column 0 is "SysName", then the language columns, then the dimensions (the
// file's include column is not kept).
class DCM_API Nx_SectionTable {
 public:
  Nx_SectionTable() = default;
  Nx_SectionTable(const Nx_String& fileName, const Nx_String& templateName,
                  const Nx_StringArray& columnNames, const Nx_Array<Nx_StringArray>& rows);
  // Takes the rows over.
  Nx_SectionTable(const Nx_String& fileName, const Nx_String& templateName,
                  const Nx_StringArray& columnNames, Nx_Array<Nx_StringArray>&& rows);
  virtual ~Nx_SectionTable() = default;
  Nx_SectionTable(const Nx_SectionTable&) = default;
  Nx_SectionTable& operator=(const Nx_SectionTable&) = default;

  // Name of the table: the file name without its ".pr".
  Nx_String name() const;
  const Nx_String& fileName() const { return fileName_; }
  const Nx_String& templateName() const { return templateName_; }
  const Nx_StringArray& columnNames() const { return columnNames_; }
  const Nx_Array<Nx_StringArray>& rows() const { return rows_; }

  // Language columns: five when the sixth column is "Korean", else four.
  int languageCount() const;
  // Index of the first dimension column.
  int firstDimension() const { return 1 + languageCount(); }
  void getDimensionNames(Nx_StringArray& names) const;
  // The row whose system name or any display name is the name (without
  // case), or -1; the first such row when several share it.
  int findRow(const Nx_String& name) const;
  // Dimension value of a row as text; false outside the row.
  bool dimension(int row, int dimension, Nx_String& value) const;

 private:
  Nx_String fileName_;
  Nx_String templateName_;
  Nx_StringArray columnNames_;
  Nx_Array<Nx_StringArray> rows_{8};
  // Folded system and display names to their first row: the custom
  // functions look a size up for every cell that names one.
  std::unordered_map<std::string, int> rowOfName_;

  void indexNames();
};
