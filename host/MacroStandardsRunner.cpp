// "Load from standards" of the core's macro data: the macro's attached
// sheets, in order, each as a parent run against the macro of the working
// drawing. The module installs the runner while it is loaded.
#include "common/SSExports.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_Drawing.h"
#include "standards/KvDlgStandardsData.h"

namespace {

// The macro's general variables, as the sheets see them.
void addGeneralVariables(const Nx_Macro& macro, KvDlgStandardsData& request) {
  Nx_StringArray names;
  macro.getGeneralVariables(names);
  for (const Nx_String& name : names) {
    request.genVarNames.append(name);
    request.genVarValues.append(Nx_String(macro.generalVariableValue(name), 8, false));
  }
}

// Stops at the first sheet that fails: later sheets may build on its results.
bool runMacroStandards(MacroData& data) {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || data.macroId.isNull()) return false;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, data.macroId, AcDb::kForWrite) != Acad::eOk) return false;
  Nx_StringArray sheets, objects;
  macro->getMacro()->getStandards(sheets, objects);
  for (int i = 0; i < sheets.length() && i < objects.length(); ++i) {
    KvDlgStandardsData request;
    if (request.initialize(macro, sheets[i], objects[i], &data) != Acad::eOk) return false;
    request.transaction = &tr;
    // Read anew for each sheet: an earlier one may have set them.
    addGeneralVariables(*macro->getMacro(), request);
    if (!StartDlgStandardsSS(request)) return false;
  }
  return true;
}

struct RunnerInstaller {
  RunnerInstaller() { MacroData::setStandardsRunner(runMacroStandards); }
  // The core must not call into a module that is gone.
  ~RunnerInstaller() { MacroData::setStandardsRunner(nullptr); }
};
const RunnerInstaller gRunnerInstaller;

}  // namespace
