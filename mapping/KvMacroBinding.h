#pragma once
#include "core/Nx_String.h"

class AcTransaction;
class MacroData;
class Nx_DbMacro;

// All the mapping needs of a standards run: the macro whose values the
// sheet's variables read and write, the sheet (its mapping file lies beside
// it), what the sheet is attached to, and where a value that cannot be
// fetched is reported. The engine's request record (KvDlgStandardsData) is
// one; the mapping sits below the engine and sees no more of it than this.
class KvMacroBinding {
 public:
  virtual ~KvMacroBinding() = default;

  // The value of an Input (isInput) or Output variable could not be fetched
  // from the macro; the run goes on without it.
  virtual void variableFailed(bool isInput, const Nx_String& name) {}

  Nx_String fileName;
  Nx_DbMacro* macro = nullptr;  // not owned
  // The mapping key, or "Module." and a module group.
  Nx_String objectName;
  // The module group, or empty.
  Nx_String moduleName;
  AcTransaction* transaction = nullptr;  // not owned
  MacroData* macroData = nullptr;        // not owned

 protected:
  KvMacroBinding() = default;
  KvMacroBinding(const KvMacroBinding&) = default;
  KvMacroBinding& operator=(const KvMacroBinding&) = default;
};
