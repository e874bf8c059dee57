#pragma once
#include <vector>

#include "macrodlg/KvMacroPage.h"
#include "macrodlg/MacroPageAccess.h"
#include "resources/dialogs/DLG_MACRO_PROFILES.h"
#include "spreadsheet/Nx_Spread.h"

// The profile page (template DLG_MACRO_PROFILES): one row per profile group
// of the tab with its member name (kept in the tab) and the section and
// material of its placements (kept in the macro). Without the macro only
// the member names can be edited.
class MacroProfilePage : public KvMacroPage {
 public:
  static constexpr int kTemplateId = dlg_macro_profiles::kTemplateId;
  enum Column { kGroupCol = 1, kMemberCol, kSectionCol, kMaterialCol, kColumns = kMaterialCol };

  MacroProfilePage(MacroData& data, int tabIndex) : KvMacroPage(kTemplateId, data, tabIndex) {}

  bool onInitDialog() override;
  void refresh() override;
  void store() override;
  // Puts the cursor on the first section, ready to pick another profile.
  void startSpecialMode() override;

  Nx_Spread& sheet() { return sheet_; }
  const std::vector<macropage::ProfileRow>& shownRows() const { return shown_; }

 private:
  Nx_Spread sheet_;
  std::vector<macropage::ProfileRow> shown_;
  bool withMacro_ = false;
};
