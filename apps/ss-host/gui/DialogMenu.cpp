#include "apps/ss-host/gui/DialogMenu.h"

#include "apps/ss-host/gui/SampleRuns.h"

const std::vector<DialogMenuEntry>& dialogMenuEntries() {
  static const std::vector<DialogMenuEntry> entries = {
      {"Macro", "Macro dialog...", "StartDlgMacro", {}},
      {"Macro", "Modeless macro dialog...", "StartDlgMacroModeless", {}},
      {"Macro", "Constraints (modal)...", "StartDlgEditConstrModal", {}},
      {"Macro", "Constraints (modeless)...", "StartDlgEditConstraints", {}},
      {"Macro", "Macro cuts...", "StartDlgMacroCuts", {}},
      {"Macro", "Advanced profiles...", "StartDlgMacroProfAdv", {}},
      {"Macro", "Profile cuts...", "StartEditProfCutsDlg", {}},
      {"Macro", "Array...", "StartArrayDlg", {}},
      {"Macro", "Profile features...", "StartDlgProfFeatures", {}},
      {"Macro", "Select macro...", "StartDlgSelectMacro", {}},
      {"Standards", "General variables...", "StartDlgGenVars", {}},
      {"Spreadsheets", "Evaluate a cell...", "EvaluateSS", {}},
      {"Spreadsheets", "Read a table...", "ReadSSFile", {}},
      {"Spreadsheets", "String table...", "startGridDialog", {}},
      {"Designer", "Dialog designer...", "StartDlgDesigner", runDesignerSample},
      {"Sections", "Section library...", "StartDlgEditLibSections", {}},
      {"Sections", "Add a section size...", "StartDlgEditLibSimple", {}},
      {"Sections", "Cutting-stock lists...", "StartDlgCSP2", runCsp2Sample},
      {"Other", "Grid...", "StartDlgGrid", runGridSample},
      {"Other", "CIS/2 information...", "StartDlgCis2Info", runCis2Sample},
      {"Other", "Levels...", "StartDlgLevels", {}},
      {"Other", "Look-up...", "StartDlgLookUp", {}},
      {"Other", "Select image...", "StartDlgSelectImage", {}},
      {"Other", "Cladding settings...", "StartDlgCladdingSettings", {}},
      {"Other", "Bracing...", "StartDlgBracing", {}},
      {"Other", "DSTV points...", "StartDSTVPointsDlg", {}},
  };
  return entries;
}
