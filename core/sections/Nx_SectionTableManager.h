#pragma once
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/sections/Nx_SectionTable.h"
#include "platform/arx/acadstrc.h"

// The section tables of the product library: every "*.pr" row file of its
// prof/ folder (a template row, the header row "SysName", "I/O", language
// names, dimension names, then one row per size). Unless a folder was loaded
// explicitly, look-ups load the prof/ folder of the current library
// (gSettings.libDir) on first use and again when the library changes.
class DCM_API Nx_SectionTableManager {
 public:
  Nx_SectionTableManager() = default;
  virtual ~Nx_SectionTableManager() = default;
  Nx_SectionTableManager(const Nx_SectionTableManager&) = default;
  Nx_SectionTableManager& operator=(const Nx_SectionTableManager&) = default;

  // Reads every table of a prof/ folder, replacing what was held; the
  // manager then keeps to it. Files that cannot be read are skipped and named
  // in errors; false when the folder cannot be searched.
  bool loadFolder(const Nx_String& folder, Nx_StringArray* errors = nullptr);
  // Reads one table file (header included) and adds it, replacing a table of
  // the same name; false with the reason when it cannot be read.
  bool loadTable(const Nx_String& path, Nx_String* error = nullptr);

  // The system name of a section given by its system name or any display
  // name, in any language; false when no table knows it.
  bool getSystemName(const Nx_String& name, Nx_String& systemName);
  // Dimension value (counted from 0 after the language columns) as text.
  Acad::ErrorStatus getSectionValue(const Nx_String& section, int dimension, Nx_String& value);
  // The dimension names of the section's table.
  Acad::ErrorStatus getSectionColumnNames(const Nx_String& section, Nx_StringArray& names);

  bool hasTable(const Nx_String& name);
  Acad::ErrorStatus removeTable(const Nx_String& name);
  // Adds a table given without the include column; a table of the same name
  // must have been removed first (eInvalidInput otherwise).
  Acad::ErrorStatus addSectionTable(const Nx_String& fileName, const Nx_String& templateName,
                                    const Nx_StringArray& columnNames,
                                    const Nx_Array<Nx_StringArray>& rows);
  // The same, taking the rows over (a table handed over whole by an editor).
  Acad::ErrorStatus addSectionTable(const Nx_String& fileName, const Nx_String& templateName,
                                    const Nx_StringArray& columnNames,
                                    Nx_Array<Nx_StringArray>&& rows);

  int tableCount();
  const Nx_SectionTable* table(int index);

 private:
  // Loads the current library's tables when they are not the ones held.
  void ensureCurrentLibrary();
  bool readFolder(const Nx_String& folder, Nx_StringArray* errors);
  bool readTable(const Nx_String& path, Nx_String* error);
  int tableIndex(const Nx_String& name) const;
  const Nx_SectionTable* findSection(const Nx_String& name, int& row);

  Nx_Array<Nx_SectionTable> tables_{8};
  Nx_String autoFolder_;  // the library folder loaded on demand
  bool explicitLoad_ = false;
};

DCM_API extern Nx_SectionTableManager gSectionTables;

// The core's look-ups over gSectionTables.
DCM_API Acad::ErrorStatus getSectionValue(const Nx_String& section, int dimension,
                                          Nx_String& value);
DCM_API Acad::ErrorStatus getSectionColumnNames(const Nx_String& section, Nx_StringArray& names);
