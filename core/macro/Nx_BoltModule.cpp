#include "core/macro/Nx_BoltModule.h"

std::unique_ptr<Nx_Module> Nx_BoltModule::clone() const {
  return std::make_unique<Nx_BoltModule>(*this);
}

int Nx_BoltModule::type() const {
  return kBoltModule;
}

Nx_BoltModule* asBoltModule(Nx_Module* module) {
  return module && module->type() == kBoltModule ? static_cast<Nx_BoltModule*>(module) : nullptr;
}

const Nx_BoltModule* asBoltModule(const Nx_Module* module) {
  return asBoltModule(const_cast<Nx_Module*>(module));
}

Acad::ErrorStatus findPattern(Nx_BoltModule* module, const Nx_String& name,
                              Nx_BoltPattern*& pattern, AcTransaction* tr) {
  pattern = nullptr;
  if (!module || !tr) return Acad::eInvalidInput;
  AcArray<AcDbObjectId> ids;
  module->getPatternIds(ids);
  for (const AcDbObjectId& id : ids) {
    Nx_BoltPattern* candidate = nullptr;
    if (getPattern(id, candidate, tr) != Acad::eOk) continue;
    if (candidate->name().equal(name, false)) {
      pattern = candidate;
      return Acad::eOk;
    }
  }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus getSetBoltPatternReverses(Nx_BoltModule* module, Nx_BoltPattern* pattern,
                                            bool firstDirection, bool read, bool& reversed,
                                            AcTransaction* tr) {
  if (!module || !pattern || !tr) return Acad::eInvalidInput;
  // Only a pattern of this module may be changed through it.
  AcArray<AcDbObjectId> ids;
  module->getPatternIds(ids);
  if (ids.find(pattern->objectId(), 0) < 0) return Acad::eInvalidInput;
  int direction = firstDirection ? 1 : 2;
  if (read) return pattern->reverseStart(direction, reversed);
  Nx_BoltPattern* writable = nullptr;
  Acad::ErrorStatus es = getPattern(pattern->objectId(), writable, tr, AcDb::kForWrite);
  if (es != Acad::eOk) return es;
  return writable->setReverseStart(direction, reversed);
}
