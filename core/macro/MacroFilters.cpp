#include "core/macro/MacroFilters.h"

#include "platform/arx/acutil.h"

void getMacroFilterEntries(const MacroData& data, bool first, Nx_StringArray& entries) {
  if (first) {
    entries = Nx_StringArray{"All groups"};
    entries.append(data.groupNames);
  } else {
    entries = Nx_StringArray{"All variables", "Visible variables", "Settable variables"};
  }
}

void UpdateAllFilterModified(MacroData& data, bool first) {
  if (first) {
    const int group = data.filter1 - 1;
    data.currentGroup = data.groupNames.isValid(group) ? group : -1;
    if (data.currentGroup < 0) data.filter1 = 0;
  } else if (data.filter2 < kShowAllVars || data.filter2 > kShowSettableVars) {
    data.filter2 = kShowAllVars;
  }
}

bool macroTabShown(const MacroData& data, int tabIndex) {
  const MacroTabData* tab = data.getTab(tabIndex);
  if (!tab) return false;
  if (!data.groupNames.isValid(data.currentGroup)) return true;
  return tab->name.equal(data.groupNames[data.currentGroup], false);
}

namespace {
MacroPicker& picker() {
  static MacroPicker p;
  return p;
}
}  // namespace

void setMacroPicker(MacroPicker p) {
  picker() = std::move(p);
}

bool SelectOtherMacros(MacroData& data) {
  if (!picker()) {
    acutPrintf("Selecting other macros is not available here.\n");
    return false;
  }
  return picker()(data);
}

void getBoltAssemblies(Nx_StringArray& names) {
  names = Nx_StringArray{"Bolt, nut", "Bolt, nut, washer", "Bolt, nut, two washers",
                         "Anchor, nut, washer"};
}

void getBoltDiameters(Nx_StringArray& diameters) {
  diameters = Nx_StringArray{"10", "12", "16", "20", "22", "24", "27", "30", "36"};
}
