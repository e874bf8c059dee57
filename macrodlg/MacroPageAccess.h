#pragma once
#include <functional>
#include <vector>

#include "core/Nx_String.h"
#include "core/macro/MacroData.h"

class Nx_Macro;

// What the macro dialog's pages read from and write to the macro itself
// (the macro of the data in the working drawing): the values of the module
// variables and the profiles of the placements. The rest of what the pages
// show lives in the MacroData.
namespace macropage {

// Runs work on the macro, opened for read or for write; false without it.
bool withMacro(const MacroData& data, const std::function<void(const Nx_Macro&)>& work);
bool withMacroWrite(const MacroData& data, const std::function<void(Nx_Macro&)>& work);

// One dialog variable of a module group.
struct VariableRow {
  Nx_String module;
  Nx_String name;
  Nx_String value;
  bool visible = true;
  bool settable = true;
  bool operator==(const VariableRow&) const = default;
};

// The variables of the modules of a group (tab name), in module order;
// false without the macro.
bool readGroupVariables(const MacroData& data, const Nx_String& group,
                        std::vector<VariableRow>& rows);
// Writes the rows that differ from before (index for index). A value must be
// a finite number: a row that is not keeps the macro's value and its name
// goes to refused. A value set here is fixed (its flex/fix button says so).
bool writeGroupVariables(MacroData& data, const Nx_String& group,
                         const std::vector<VariableRow>& before,
                         const std::vector<VariableRow>& after, Nx_StringArray* refused = nullptr);

// A variable of any module of the macro, the modules of group first.
bool readVariable(const MacroData& data, const Nx_String& group, const Nx_String& name,
                  Nx_String& value);
bool writeVariable(MacroData& data, const Nx_String& group, const Nx_String& name,
                   const Nx_String& value);

// One profile group of a tab: its member name (MacroData) and the section
// and material of its placements (the macro; those of the first placement).
struct ProfileRow {
  Nx_String group;
  Nx_String memberName;
  Nx_String section;
  Nx_String material;
  bool operator==(const ProfileRow&) const = default;
};
void readProfiles(const MacroData& data, int tabIndex, std::vector<ProfileRow>& rows);
// Member names go into the tab; a section or material that changed goes
// to every placement of the group in the tab's modules.
void writeProfiles(MacroData& data, int tabIndex, const std::vector<ProfileRow>& before,
                   const std::vector<ProfileRow>& after);

}  // namespace macropage
