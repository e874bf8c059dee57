#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "mapping/KvObjectKind.h"
#include "platform/arx/acadstrc.h"

class AcTransaction;
class MacroData;
class Nx_DbMacro;
class Nx_Macro;

// How the value of an entry shows in the macro's dialog (its visibility):
// the codes 0 to 3 in this order.
enum KvVisibility : int { kVisibleAndSettable, kVisibleOnly, kSettableOnly, kHiddenNotSettable };

// One entry of a mapping: binds a spreadsheet variable to one value of a
// macro, named by a module group (objectName), a kind and a name within the
// group (varName). Status results are eOk or eInvalidInput.
class SS_EXPORT KvObjectMap {
 public:
  KvObjectMap() = default;
  virtual ~KvObjectMap();
  KvObjectMap(const KvObjectMap&) = default;
  KvObjectMap& operator=(const KvObjectMap&) = default;

  // Reads an entry from its text form: the macro part is the group (blanks
  // around it dropped), the byte 0x95, the kind keyword, a blank and the
  // variable name. Fields already read stay set when a later part fails.
  Acad::ErrorStatus getMappingFromStrs(const Nx_String& ssVarName, const Nx_String& macroPart);
  // The text form; fails for an entry without a kind, leaving the macro part
  // as the group and the separator.
  Acad::ErrorStatus setMappingToStrs(Nx_String& macroPart, Nx_String& ssVarName) const;
  // Reads the entry of a spreadsheet variable from two parallel lists of
  // spreadsheet names and macro parts.
  Acad::ErrorStatus mapFromArrays(const Nx_StringArray& ssVarNames,
                                  const Nx_StringArray& macroParts, const Nx_String& cellName);
  // Same group, variable name (without case) and kind.
  Acad::ErrorStatus isCompatible(const KvObjectMap& other) const;

  // Reads or writes the bound value as text. The database macro must be
  // open for write. A value of the modules of a group fails when no module
  // of the group answers.
  Acad::ErrorStatus getMacroVarValue(Nx_DbMacro* macro, MacroData* macroData, Nx_String& value,
                                     AcTransaction* tr);
  Acad::ErrorStatus setMacroVarValue(Nx_DbMacro* macro, MacroData* macroData, Nx_String& value,
                                     AcTransaction* tr);

  Nx_String objectName;  // module group; empty for macro-level kinds
  Nx_String varName;     // name within the group ("Prof" N, "Prof" N ";" column, ...)
  Nx_String ssVarName;   // the spreadsheet variable
  KvObjectKind kind = kObjNone;
  int visibility = kHiddenNotSettable;  // in the macro's dialog
  Nx_String description;                // shown where varName says little (section column names)

 private:
  Acad::ErrorStatus getSetMacroVarValue(Nx_DbMacro* macro, MacroData* macroData, Nx_String& value,
                                        bool read, AcTransaction* tr);
  Acad::ErrorStatus getSetModuleVarValue(Nx_Macro* macro, MacroData* macroData,
                                         Nx_String& moduleName, int moduleIndex, Nx_String& value,
                                         bool read, AcTransaction* tr);
};

// Separator bytes of the text form (Windows-1252).
inline constexpr char kMacroPartSeparator = '\x95';
