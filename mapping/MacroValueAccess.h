#pragma once
#include "core/Nx_String.h"
#include "core/macro/MacroData.h"
#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_Module.h"
#include "platform/arx/acadstrc.h"

// The ways a macro value is reached as text, shared by the mapping entries
// and the name convention. Every failure is eInvalidInput.
namespace macroaccess {

// The dialog tab of a module: under its group name, or its own name when it
// has no group; null when the macro data has no such tab.
MacroTabData* tabOfModule(MacroData* data, const Nx_Module* module);

// A constraint variable. Before a write, a variable whose button is not
// plainly fixed is switched to fixed, so the written value holds.
Acad::ErrorStatus distance(MacroTabData* tab, Nx_Module* module, const Nx_String& variable,
                           bool read, Nx_String& value);
// One offset of a cut, as a number (7 decimals at most when read).
Acad::ErrorStatus cut(Nx_Module* module, const Nx_String& cutName, KvCutOffsetType offset,
                      bool read, Nx_String& value);
// The member name in the merged properties of a profile group.
Acad::ErrorStatus memberName(MacroTabData* tab, const Nx_String& profileGroup, bool read,
                             Nx_String& value);
// The bolt diameter (diameter set) or hole offset text of a tab.
Acad::ErrorStatus boltData(MacroTabData* tab, bool diameter, bool read, Nx_String& value);
// The reverse-start flag of a pattern direction: "1" set, anything else
// written clears it; a read gives "1" or "0", so that writing back what was
// read changes nothing.
Acad::ErrorStatus reverseStart(Nx_BoltModule* module, Nx_BoltPattern* pattern, bool firstDirection,
                               bool read, Nx_String& value, AcTransaction* tr);

}  // namespace macroaccess
