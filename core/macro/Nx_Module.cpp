#include "core/macro/Nx_Module.h"

Nx_Module::Nx_Module(const Nx_String& name, const Nx_String& groupName)
    : name_(name), groupName_(groupName) {}

Nx_Module::~Nx_Module() = default;

std::unique_ptr<Nx_Module> Nx_Module::clone() const {
  return std::make_unique<Nx_Module>(*this);
}

int Nx_Module::type() const {
  return kPlateModule;
}

Nx_ConstrVar* Nx_Module::findConstrVar(const Nx_String& name) {
  for (Nx_ConstrVar& v : constrVars_)
    if (v.name.equal(name, false)) return &v;
  return nullptr;
}

const Nx_ConstrVar* Nx_Module::findConstrVar(const Nx_String& name) const {
  return const_cast<Nx_Module*>(this)->findConstrVar(name);
}

Nx_CutConstraint* Nx_Module::findCut(const Nx_String& name) {
  for (Nx_CutConstraint& c : cuts_)
    if (c.name.equal(name, false)) return &c;
  return nullptr;
}

Acad::ErrorStatus getDialogVariables(const Nx_Module* module, Nx_StringArray& names,
                                     AcArray<bool>& visible, AcArray<bool>& settable) {
  if (!module) return Acad::eInvalidInput;
  names.removeAll();
  visible.removeAll();
  settable.removeAll();
  for (const Nx_ConstrVar& v : module->constrVars()) {
    names.append(v.name);
    visible.append(v.visible);
    settable.append(v.settable);
  }
  return Acad::eOk;
}

Acad::ErrorStatus getSetConstrVarValue(Nx_Module* module, const Nx_String& name, Nx_String& value,
                                       bool read) {
  if (!module) return Acad::eInvalidInput;
  Nx_ConstrVar* var = module->findConstrVar(name);
  if (!var) return Acad::eKeyNotFound;
  if (read) {
    value = Nx_String(var->value, 8, false);
    return Acad::eOk;
  }
  double number = 0.0;
  if (!value.toDouble(number)) return Acad::eInvalidInput;
  var->value = number;
  return Acad::eOk;
}

Acad::ErrorStatus getCutConstraints(const Nx_Module* module, Nx_StringArray& names,
                                    AcArray<Nx_ConstraintCutType>& types) {
  if (!module) return Acad::eInvalidInput;
  names.removeAll();
  types.removeAll();
  for (const Nx_CutConstraint& c : module->cuts()) {
    names.append(c.name);
    types.append(c.type);
  }
  return Acad::eOk;
}

Acad::ErrorStatus getCutConstraint(Nx_Module* module, const Nx_String& name,
                                   Nx_CutConstraint*& cut) {
  cut = nullptr;
  if (!module) return Acad::eInvalidInput;
  cut = module->findCut(name);
  return cut ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus getSetCutValue(Nx_Module* module, Nx_CutConstraint* cut, KvCutOffsetType offset,
                                 double& value, bool read) {
  if (!module || !cut) return Acad::eInvalidInput;
  return read ? cut->getOffset(offset, value) : cut->setOffset(offset, value);
}
