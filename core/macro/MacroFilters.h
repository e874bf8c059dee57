#pragma once
#include <functional>

#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/macro/MacroData.h"

// The two filter lists of the macro dialog. The first chooses the module
// group whose tab is shown (entry 0: every group); the second which
// variables the grid pages list.
enum MacroVarFilter : int {
  kShowAllVars = 0,
  kShowVisibleVars = 1,
  kShowSettableVars = 2,
};

// The entries of the first list (true) or the second.
DCM_API void getMacroFilterEntries(const MacroData& data, bool first, Nx_StringArray& entries);
// Applies the remembered selection of the first list (true: the current
// module group follows it) or the second (kept within its entries).
DCM_API void UpdateAllFilterModified(MacroData& data, bool first);
// Whether the filter lets the tab be shown.
DCM_API bool macroTabShown(const MacroData& data, int tabIndex);

// "Select other macros": the host lets the user pick macros and fills the
// data for them; true when the selection changed. Without a picker nothing
// changes and one command-line line says so.
using MacroPicker = std::function<bool(MacroData& data)>;
DCM_API void setMacroPicker(MacroPicker picker);
DCM_API bool SelectOtherMacros(MacroData& data);

// The bolt assemblies and diameters that bolt tabs offer.
DCM_API void getBoltAssemblies(Nx_StringArray& names);
DCM_API void getBoltDiameters(Nx_StringArray& diameters);
