#pragma once
#include <memory>
#include <vector>

#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "core/dcm_export.h"
#include "core/macro/Nx_Module.h"
#include "platform/arx/acadstrc.h"

// A connection macro: its modules, its general variables and the standards
// sheets attached to it. Names of modules and general variables are unique
// without case.
class DCM_API Nx_Macro {
 public:
  Nx_Macro() = default;
  Nx_Macro(const Nx_String& name, const Nx_String& kind) : name_(name), kind_(kind) {}
  virtual ~Nx_Macro();
  Nx_Macro(const Nx_Macro& other);
  Nx_Macro& operator=(const Nx_Macro& other);
  Nx_Macro(Nx_Macro&&) noexcept = default;
  Nx_Macro& operator=(Nx_Macro&&) noexcept = default;

  const Nx_String& name() const { return name_; }
  void setName(const Nx_String& name) { name_ = name; }
  // The library macro this one was made from ("Endplate", ...).
  const Nx_String& kind() const { return kind_; }
  void setKind(const Nx_String& kind) { kind_ = kind; }

  // Modules, in order.
  int moduleCount() const { return static_cast<int>(modules_.size()); }
  Nx_Module* module(int i);
  const Nx_Module* module(int i) const;
  // Fails with eInvalidInput when the name is empty or already taken.
  Acad::ErrorStatus addModule(std::unique_ptr<Nx_Module> module);
  // Appends all of them in one step whose cost grows with the number of
  // modules, not its square; adds none and fails with eInvalidInput when a
  // name is empty, taken, or used twice among them.
  Acad::ErrorStatus addModules(std::vector<std::unique_ptr<Nx_Module>> modules);
  void getModuleNames(Nx_StringArray& names) const;
  Acad::ErrorStatus findModule(const Nx_String& name, const Nx_Module*& module) const;
  Acad::ErrorStatus findModuleWrite(const Nx_String& name, Nx_Module*& module);
  // Names of the modules of a group, in module order. A module without a
  // group is its own group under its name. An empty group name lists the
  // modules that have neither (usually none) and succeeds; an unknown group
  // fails with eKeyNotFound.
  Acad::ErrorStatus getModNamesOfGroup(const Nx_String& group, Nx_StringArray& names) const;
  // The module of that name; index is its position in the list the name came
  // from and is only a hint.
  Acad::ErrorStatus openModule(const Nx_String& name, int index, Nx_Module*& module);
  // Group names (tab names) of the modules, first occurrence order.
  void getGroupNames(Nx_StringArray& groups) const;

  // General variables ("gen_..." names), in order.
  void getGeneralVariables(Nx_StringArray& names) const;
  bool hasGeneralVariable(const Nx_String& name) const;
  // The value, or 0 for a name the macro lacks.
  double generalVariableValue(const Nx_String& name) const;
  bool generalVariableValue(const Nx_String& name, double& value) const;
  // Sets the value; a new name is appended.
  Acad::ErrorStatus setGeneralVariable(const Nx_String& name, double value);

  // Standards sheets attached to the macro, run in this order by "load from
  // standards". Each sheet has an object name: a mapping key, or "Module."
  // followed by the module group it applies to.
  void getStandards(Nx_StringArray& sheets, Nx_StringArray& objectNames) const;
  void setStandards(const Nx_StringArray& sheets, const Nx_StringArray& objectNames);

 private:
  int moduleIndex(const Nx_String& name) const;
  int genVarIndex(const Nx_String& name) const;

  Nx_String name_;
  Nx_String kind_;
  std::vector<std::unique_ptr<Nx_Module>> modules_;
  Nx_StringArray genVarNames_;
  std::vector<double> genVarValues_;
  Nx_StringArray standardSheets_;
  Nx_StringArray standardObjects_;
};
