#pragma once
#include <string>

#include "apps/ss-host/commands/EvalOptions.h"
#include "apps/ss-host/commands/EvalReport.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_Drawing.h"

// Runs the standards of one macro of a drawing and finds out what each run
// changed. The values before a run are read from a shadow: a copy of the
// macro alone (Nx_Drawing::addCopyOf) made before its first sheet runs and
// brought up to date after each sheet that another follows by the same
// writes the run made, so a worker of a batch pays for its own macros,
// never for the whole drawing.
namespace eval {

// One macro open for write, with its dialog data.
class OpenMacro {
 public:
  OpenMacro(Nx_Drawing& drawing, AcDbObjectId id);
  OpenMacro(const OpenMacro&) = delete;
  OpenMacro& operator=(const OpenMacro&) = delete;
  bool isOpen() const { return dbMacro_ != nullptr; }
  Nx_DbMacro* dbMacro() { return dbMacro_; }
  Nx_Macro& macro() { return *dbMacro_->getMacroWrite(); }
  MacroData& data() { return data_; }
  AcTransaction& transaction() { return tr_; }
  // Numeric overrides become the macro's own general variables.
  void applyOverrides(const Options& options);
  // The dialog data goes back into the macro.
  void store() { dbMacro_->setMacroData(data_); }

 private:
  AcTransaction tr_;
  Nx_DbMacro* dbMacro_ = nullptr;
  MacroData data_;
};

class MacroEval {
 public:
  // The same macro in the drawing and in its shadow.
  MacroEval(Nx_Drawing& drawing, AcDbObjectId id, Nx_Drawing& shadow, AcDbObjectId shadowId,
            const Options& options);
  bool isOpen() const { return real_.isOpen() && shadow_.isOpen(); }
  Nx_Macro& macro() { return real_.macro(); }
  // With more false, no sheet of the macro follows: the shadow is not
  // brought up to date, as nothing reads it again.
  SheetRun run(const Nx_String& sheet, const Nx_String& object, bool more = true);
  void store() { real_.store(); }

 private:
  OpenMacro real_;
  OpenMacro shadow_;
  const Options& options_;
};

}  // namespace eval
