#pragma once
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"

// The definitions of the general variables that the core applies to
// drawings of the macro library: a table of variables and a table of
// variables per module group. The lists of one table run index for index;
// the last list of each holds, per row, the drawings and folders (relative
// to the library's "Macros" folder, separated by ";") the row applies to.
class DCM_API KvAutoStandardsData {
 public:
  KvAutoStandardsData();
  KvAutoStandardsData(const KvAutoStandardsData& other);
  KvAutoStandardsData& operator=(const KvAutoStandardsData& other);
  virtual ~KvAutoStandardsData();
  bool operator==(const KvAutoStandardsData& other) const;

  // First table.
  Nx_StringArray names;
  Nx_StringArray values;
  Nx_StringArray drawings;
  // Second table.
  Nx_StringArray groupVarNames;
  Nx_StringArray groupVarValues;
  Nx_StringArray groupVarGroups;
  Nx_StringArray groupVarDrawings;
};
