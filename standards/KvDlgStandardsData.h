#pragma once
#include "common/ss_export.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "mapping/KvMacroBinding.h"
#include "mapping/KvVarCells.h"
#include "platform/arx/acadstrc.h"
#include "standards/KvRunDiagnostic.h"
#include "standards/KvRunTrace.h"

class MacroData;
class Nx_DbMacro;

// The request and the result of one run of a standards sheet
// (StartDlgStandardsSS): what the core module asks for, and the sheet's
// variables afterwards. A "CallChild" passes its arguments in one too.
class SS_EXPORT KvDlgStandardsData : public KvMacroBinding {
 public:
  enum Mode : int {
    kParent = 0,  // against a macro
    kChild = 1,   // against an argument list (varCells)
  };

  KvDlgStandardsData();
  virtual ~KvDlgStandardsData();
  KvDlgStandardsData(const KvDlgStandardsData& other);
  KvDlgStandardsData& operator=(const KvDlgStandardsData& other);

  // A parent request for the macro: mode 0, the sheet (a path, or a name in
  // the library's "Connection Standards" folder) and what it is attached to
  // ("Module." + a module group, or a mapping key); moduleName is the group
  // or empty. eInvalidInput without macro or macro data, nothing changed.
  // The transaction, the general variables and varCells stay as they are.
  Acad::ErrorStatus initialize(Nx_DbMacro* macro, Nx_String fileName, Nx_String objectName,
                               MacroData* macroData);

  // Shows the variable diagnostic.
  void variableFailed(bool isInput, const Nx_String& name) override;

  int mode = kParent;
  // The sheet, the macro and what the sheet is attached to are the binding's
  // (fileName, macro, objectName, moduleName, transaction, macroData).
  Nx_StringArray genVarNames;
  Nx_StringArray genVarValues;  // index for index with genVarNames
  // Parent run: the sheet's variables with their final values afterwards.
  // Child run: the arguments, with the child's Output values on return.
  KvVarCells varCells;
  // Everything that went wrong in the run, the child runs' included, in the
  // order it happened; empty after a clean run. Filled on every way out.
  KvRunDiagnostics diagnostics;
  // When set, receives the run's Calc cells as they are computed, a child
  // run's under its CallChild row. Not owned; null runs untraced.
  KvRunTrace* trace = nullptr;
};

// The prefix of an objectName that applies a sheet to a module group.
inline constexpr char kModuleGroupPrefix[] = "Module.";
