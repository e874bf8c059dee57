#include "core/macro/Nx_ProfPlacementModule.h"

std::unique_ptr<Nx_Module> Nx_ProfPlacementModule::clone() const {
  return std::make_unique<Nx_ProfPlacementModule>(*this);
}

int Nx_ProfPlacementModule::type() const {
  return kProfPlacementModule;
}

Nx_ProfPlacementModule* asProfPlacementModule(Nx_Module* module) {
  return module && module->type() == kProfPlacementModule
             ? static_cast<Nx_ProfPlacementModule*>(module)
             : nullptr;
}

const Nx_ProfPlacementModule* asProfPlacementModule(const Nx_Module* module) {
  return asProfPlacementModule(const_cast<Nx_Module*>(module));
}

Acad::ErrorStatus getNamedPrpl(Nx_Module* module, const Nx_String& profileGroup,
                               Nx_ProfPlacement*& placement) {
  placement = nullptr;
  Nx_ProfPlacementModule* placer = asProfPlacementModule(module);
  if (!placer) return Acad::eInvalidInput;
  for (Nx_ProfPlacement& p : placer->placements()) {
    if (p.profileGroup.equal(profileGroup, false)) {
      placement = &p;
      return Acad::eOk;
    }
  }
  return Acad::eKeyNotFound;
}

Acad::ErrorStatus getSectionName(const Nx_ProfPlacement* placement, Nx_String& section) {
  if (!placement) return Acad::eInvalidInput;
  section = placement->section;
  return Acad::eOk;
}

Acad::ErrorStatus getMaterial(const Nx_ProfPlacement* placement, Nx_String& material) {
  if (!placement) return Acad::eInvalidInput;
  material = placement->material;
  return Acad::eOk;
}
