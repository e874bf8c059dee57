#include "apps/ss-host/gui/DialogMenu.h"

#include "apps/ss-host/gui/SampleRuns.h"
#include "platform/arx/aced.h"

namespace {
// The macro dialog needs a macro: the host window's selected one.
void editSelectedMacro() {
  if (auto* stack = dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
    stack->invoke("EDITMACRO");
}
void editSelectedMacroModeless() {
  if (auto* stack = dynamic_cast<AcEdCommandStack*>(acrxSysRegistry()->at(ACRX_COMMAND_DOCK)))
    stack->invoke("EDITMACROMODELESS");
}
}  // namespace

const std::vector<DialogMenuEntry>& dialogMenuEntries() {
  static const std::vector<DialogMenuEntry> entries = {
      {"Macro", "Macro dialog...", "StartDlgMacro", editSelectedMacro},
      {"Macro", "Modeless macro dialog...", "StartDlgMacroModeless", editSelectedMacroModeless},
      {"Macro", "Constraints (modal)...", "StartDlgEditConstrModal", runConstraintsSample},
      {"Macro", "Constraints (modeless)...", "StartDlgEditConstraints",
       runModelessConstraintsSample},
      {"Macro", "Macro cuts...", "StartDlgMacroCuts", runMacroCutsSample},
      {"Macro", "Advanced profiles...", "StartDlgMacroProfAdv", runProfAdvSample},
      {"Macro", "Profile cuts...", "StartEditProfCutsDlg", runProfCutsSample},
      {"Macro", "Array...", "StartArrayDlg", runArraySample},
      {"Macro", "Profile features...", "StartDlgProfFeatures", runProfFeaturesSample},
      {"Macro", "Select macro...", "StartDlgSelectMacro", runSelectMacroSample},
      {"Standards", "General variables...", "StartDlgGenVars", runGenVarsSample},
      {"Spreadsheets", "Evaluate a cell...", "EvaluateSS", runEvaluateSample},
      {"Spreadsheets", "Read a table...", "ReadSSFile", runReadTableSample},
      {"Spreadsheets", "String table...", "startGridDialog", runStringTableSample},
      {"Designer", "Dialog designer...", "StartDlgDesigner", runDesignerSample},
      {"Sections", "Section library...", "StartDlgEditLibSections", runEditLibSectionsSample},
      {"Sections", "Add a section size...", "StartDlgEditLibSimple", runEditLibSimpleSample},
      {"Sections", "Cutting-stock lists...", "StartDlgCSP2", runCsp2Sample},
      {"Other", "Grid...", "StartDlgGrid", runGridSample},
      {"Other", "CIS/2 information...", "StartDlgCis2Info", runCis2Sample},
      {"Other", "Levels...", "StartDlgLevels", runLevelsSample},
      {"Other", "Look-up...", "StartDlgLookUp", runLookUpSample},
      {"Other", "Select image...", "StartDlgSelectImage", runSelectImageSample},
      {"Other", "Cladding settings...", "StartDlgCladdingSettings", runCladdingSample},
      {"Other", "Bracing...", "StartDlgBracing", runBracingSample},
      {"Other", "DSTV points...", "StartDSTVPointsDlg", runDstvPointsSample},
  };
  return entries;
}
