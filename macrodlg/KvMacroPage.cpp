#include "macrodlg/KvMacroPage.h"

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "macrodlg/MacroDesignedPage.h"
#include "macrodlg/MacroGridPage.h"
#include "macrodlg/MacroProfilePage.h"

std::unique_ptr<KvMacroPage> makeMacroPage(MacroData& data, int tabIndex,
                                           Nx_StringArray& problems) {
  const MacroTabData* tab = data.getTab(tabIndex);
  if (!tab) return nullptr;
  switch (tab->kind) {
    case kTabGrid:
    case kTabGridBolts:
    case kTabGridCuts:
      break;
    case kTabProfiles:
      return std::make_unique<MacroProfilePage>(data, tabIndex);
    default:
      problems.append("tab " + tab->name + ": no page for a tab of kind " + Nx_String(tab->kind));
      return nullptr;
  }
  if (tab->designedDialog.isEmpty()) return std::make_unique<MacroGridPage>(data, tabIndex);
  const Nx_String path = getDesignerRootFolder() + tab->designedDialog + ".txt";
  if (!fileExists(path)) {
    problems.append("tab " + tab->name + ": the designed dialog \"" + tab->designedDialog +
                    "\" is missing (" + path + "); the tab shows its values as a grid");
    return std::make_unique<MacroGridPage>(data, tabIndex);
  }
  const Nx_String picture = changeExtension(path, "bmp");
  const bool withPicture = fileExists(picture);
  auto page = std::make_unique<MacroDesignedPage>(data, tabIndex, path, withPicture);
  if (!withPicture)
    problems.append("tab " + tab->name + ": the picture of the designed dialog \"" +
                    tab->designedDialog + "\" is missing (" + picture + ")");
  return page;
}
