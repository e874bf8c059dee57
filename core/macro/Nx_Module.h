#pragma once
#include <memory>

#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/macro/Nx_CutConstraint.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

// Type codes of the module kinds.
enum Nx_ModuleType : int {
  kPlateModule = 231,
  kBoltModule = 232,
  kProfPlacementModule = 233,
};

// A constraint variable: a named distance of a module with the two flags that
// decide how the macro dialog offers it.
class DCM_API Nx_ConstrVar {
 public:
  Nx_ConstrVar() = default;
  Nx_ConstrVar(const Nx_String& name, double value, bool visible, bool settable)
      : name(name), value(value), visible(visible), settable(settable) {}
  virtual ~Nx_ConstrVar() = default;
  Nx_ConstrVar(const Nx_ConstrVar&) = default;
  Nx_ConstrVar& operator=(const Nx_ConstrVar&) = default;

  Nx_String name;
  double value = 0.0;
  bool visible = true;
  bool settable = true;
};

// One module of a macro: a plate, a bolt group, a set of profile placements.
// A module belongs to a module group (empty when it stands alone); the group
// name, or the module's own name when there is none, names its dialog tab.
class DCM_API Nx_Module {
 public:
  Nx_Module(const Nx_String& name = Nx_String(), const Nx_String& groupName = Nx_String());
  virtual ~Nx_Module();
  virtual std::unique_ptr<Nx_Module> clone() const;
  // The module's type code (Nx_ModuleType).
  virtual int type() const;

  const Nx_String& name() const { return name_; }
  void setName(const Nx_String& name) { name_ = name; }
  const Nx_String& groupName() const { return groupName_; }
  void setGroupName(const Nx_String& groupName) { groupName_ = groupName; }
  // The group name, or the module's name when it has no group.
  const Nx_String& tabName() const { return groupName_.isEmpty() ? name_ : groupName_; }

  Nx_Array<Nx_ConstrVar>& constrVars() { return constrVars_; }
  const Nx_Array<Nx_ConstrVar>& constrVars() const { return constrVars_; }
  Nx_Array<Nx_CutConstraint>& cuts() { return cuts_; }
  const Nx_Array<Nx_CutConstraint>& cuts() const { return cuts_; }

  // Lookups by name, without case; null when missing.
  Nx_ConstrVar* findConstrVar(const Nx_String& name);
  const Nx_ConstrVar* findConstrVar(const Nx_String& name) const;
  Nx_CutConstraint* findCut(const Nx_String& name);

  // Copies the module's own data; use clone() to copy through a base pointer.
  Nx_Module(const Nx_Module&) = default;
  Nx_Module& operator=(const Nx_Module&) = default;

 private:
  Nx_String name_;
  Nx_String groupName_;
  Nx_Array<Nx_ConstrVar> constrVars_{8};
  Nx_Array<Nx_CutConstraint> cuts_{8};
};

// The constraint variables of a module with their dialog flags, index for index.
DCM_API Acad::ErrorStatus getDialogVariables(const Nx_Module* module, Nx_StringArray& names,
                                             AcArray<bool>& visible, AcArray<bool>& settable);
// Reads a constraint variable as text, or sets it from a text that must be a
// number (a text that is not leaves the variable as it was and fails).
DCM_API Acad::ErrorStatus getSetConstrVarValue(Nx_Module* module, const Nx_String& name,
                                               Nx_String& value, bool read);

// The cut constraints of a module: names and cut types, index for index.
DCM_API Acad::ErrorStatus getCutConstraints(const Nx_Module* module, Nx_StringArray& names,
                                            AcArray<Nx_ConstraintCutType>& types);
DCM_API Acad::ErrorStatus getCutConstraint(Nx_Module* module, const Nx_String& name,
                                           Nx_CutConstraint*& cut);
// Reads or writes one offset of a cut; fails when the cut's type lacks it.
DCM_API Acad::ErrorStatus getSetCutValue(Nx_Module* module, Nx_CutConstraint* cut,
                                         KvCutOffsetType offset, double& value, bool read);
