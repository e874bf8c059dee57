#pragma once
#include <functional>
#include <vector>

#include "macrodlg/KvMacroPage.h"
#include "macrodlg/MacroPageAccess.h"
#include "resources/dialogs/DLG_MACRO_GRID.h"
#include "spreadsheet/Nx_Spread.h"

// The grid page (template DLG_MACRO_GRID): the dialog variables of the tab's
// module group in a sheet (name, value, visible, settable), the bolt
// assembly and diameter of the tab's bolts, and the advanced settings.
// Values go to the macro, flags and bolt choices to the tab.
class MacroGridPage : public KvMacroPage {
 public:
  static constexpr int kTemplateId = dlg_macro_grid::kTemplateId;
  enum Column { kNameCol = 1, kValueCol, kVisibleCol, kSettableCol, kColumns = kSettableCol };

  MacroGridPage(MacroData& data, int tabIndex);

  // "Geavanceerd ...": the advanced dialog of the tab's group, which the
  // module installs while it is loaded (without one the button does nothing).
  using AdvancedOpener = std::function<void(MacroData& data, const Nx_String& tabName)>;
  static void setAdvancedOpener(AdvancedOpener opener);

  bool onInitDialog() override;
  ui::Size neededSize() const override;
  void refresh() override;
  void store() override;

  Nx_Spread& sheet() { return sheet_; }
  // The variables the sheet shows, row 1 first (after the variable filter).
  const std::vector<macropage::VariableRow>& shownRows() const { return shown_; }

 private:
  void fillBoltLists();
  void boltChoiceChanged(int listId);
  void openAdvanced();

  Nx_Spread sheet_;
  std::vector<macropage::VariableRow> shown_;
};
