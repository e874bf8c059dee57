#include "core/macro/Nx_Macro.h"

#include <string>
#include <unordered_set>

Nx_Macro::~Nx_Macro() = default;

Nx_Macro::Nx_Macro(const Nx_Macro& other)
    : name_(other.name_),
      kind_(other.kind_),
      genVarNames_(other.genVarNames_),
      genVarValues_(other.genVarValues_),
      standardSheets_(other.standardSheets_),
      standardObjects_(other.standardObjects_) {
  modules_.reserve(other.modules_.size());
  for (const auto& m : other.modules_) modules_.push_back(m->clone());
}

Nx_Macro& Nx_Macro::operator=(const Nx_Macro& other) {
  if (this != &other) {
    Nx_Macro copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Nx_Module* Nx_Macro::module(int i) {
  return i >= 0 && i < moduleCount() ? modules_[static_cast<size_t>(i)].get() : nullptr;
}

const Nx_Module* Nx_Macro::module(int i) const {
  return const_cast<Nx_Macro*>(this)->module(i);
}

int Nx_Macro::moduleIndex(const Nx_String& name) const {
  for (int i = 0; i < moduleCount(); ++i)
    if (modules_[static_cast<size_t>(i)]->name().equal(name, false)) return i;
  return -1;
}

Acad::ErrorStatus Nx_Macro::addModule(std::unique_ptr<Nx_Module> module) {
  if (!module || module->name().isEmpty() || moduleIndex(module->name()) >= 0)
    return Acad::eInvalidInput;
  modules_.push_back(std::move(module));
  return Acad::eOk;
}

Acad::ErrorStatus Nx_Macro::addModules(std::vector<std::unique_ptr<Nx_Module>> modules) {
  std::unordered_set<std::string> names;
  names.reserve(modules_.size() + modules.size());
  for (const auto& m : modules_) names.insert(m->name().lower().str());
  for (const auto& m : modules)
    if (!m || m->name().isEmpty() || !names.insert(m->name().lower().str()).second)
      return Acad::eInvalidInput;
  modules_.reserve(modules_.size() + modules.size());
  for (auto& m : modules) modules_.push_back(std::move(m));
  return Acad::eOk;
}

void Nx_Macro::getModuleNames(Nx_StringArray& names) const {
  names.removeAll();
  for (const auto& m : modules_) names.append(m->name());
}

Acad::ErrorStatus Nx_Macro::findModule(const Nx_String& name, const Nx_Module*& module) const {
  int i = moduleIndex(name);
  module = i >= 0 ? modules_[static_cast<size_t>(i)].get() : nullptr;
  return module ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus Nx_Macro::findModuleWrite(const Nx_String& name, Nx_Module*& module) {
  int i = moduleIndex(name);
  module = i >= 0 ? modules_[static_cast<size_t>(i)].get() : nullptr;
  return module ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus Nx_Macro::getModNamesOfGroup(const Nx_String& group,
                                               Nx_StringArray& names) const {
  names.removeAll();
  for (const auto& m : modules_)
    if (m->tabName().equal(group, false)) names.append(m->name());
  if (names.isEmpty() && !group.isEmpty()) return Acad::eKeyNotFound;
  return Acad::eOk;
}

Acad::ErrorStatus Nx_Macro::openModule(const Nx_String& name, int index, Nx_Module*& module) {
  Nx_Module* hinted = this->module(index);
  if (hinted && hinted->name().equal(name, false)) {
    module = hinted;
    return Acad::eOk;
  }
  return findModuleWrite(name, module);
}

void Nx_Macro::getGroupNames(Nx_StringArray& groups) const {
  groups.removeAll();
  std::unordered_set<std::string> seen;
  for (const auto& m : modules_)
    if (seen.insert(m->tabName().lower().str()).second) groups.append(m->tabName());
}

int Nx_Macro::genVarIndex(const Nx_String& name) const {
  return genVarNames_.find(name, false);
}

void Nx_Macro::getGeneralVariables(Nx_StringArray& names) const {
  names = genVarNames_;
}

bool Nx_Macro::hasGeneralVariable(const Nx_String& name) const {
  return genVarIndex(name) >= 0;
}

double Nx_Macro::generalVariableValue(const Nx_String& name) const {
  double value = 0.0;
  generalVariableValue(name, value);
  return value;
}

bool Nx_Macro::generalVariableValue(const Nx_String& name, double& value) const {
  int i = genVarIndex(name);
  if (i < 0) return false;
  value = genVarValues_[static_cast<size_t>(i)];
  return true;
}

Acad::ErrorStatus Nx_Macro::setGeneralVariable(const Nx_String& name, double value) {
  if (name.isEmpty()) return Acad::eInvalidInput;
  int i = genVarIndex(name);
  if (i < 0) {
    genVarNames_.append(name);
    genVarValues_.push_back(value);
  } else {
    genVarValues_[static_cast<size_t>(i)] = value;
  }
  return Acad::eOk;
}

void Nx_Macro::getStandards(Nx_StringArray& sheets, Nx_StringArray& objectNames) const {
  sheets = standardSheets_;
  objectNames = standardObjects_;
}

void Nx_Macro::setStandards(const Nx_StringArray& sheets, const Nx_StringArray& objectNames) {
  standardSheets_ = sheets;
  standardObjects_ = objectNames;
  // The lists travel index for index.
  standardObjects_.setLength(standardSheets_.length());
}
