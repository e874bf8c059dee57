#pragma once
#include "core/Nx_Array.h"
#include "core/macro/Nx_Module.h"

// One profile placed by a module; placements that share a profile group are
// edited together in the macro dialog.
class DCM_API Nx_ProfPlacement {
 public:
  Nx_ProfPlacement() = default;
  Nx_ProfPlacement(const Nx_String& name, const Nx_String& profileGroup, const Nx_String& section,
                   const Nx_String& material)
      : name(name), profileGroup(profileGroup), section(section), material(material) {}
  virtual ~Nx_ProfPlacement() = default;
  Nx_ProfPlacement(const Nx_ProfPlacement&) = default;
  Nx_ProfPlacement& operator=(const Nx_ProfPlacement&) = default;

  Nx_String name;
  Nx_String profileGroup;
  Nx_String section;
  Nx_String material;
};

// A module that places profiles.
class DCM_API Nx_ProfPlacementModule : public Nx_Module {
 public:
  using Nx_Module::Nx_Module;
  std::unique_ptr<Nx_Module> clone() const override;
  int type() const override;

  Nx_Array<Nx_ProfPlacement>& placements() { return placements_; }
  const Nx_Array<Nx_ProfPlacement>& placements() const { return placements_; }

 private:
  Nx_Array<Nx_ProfPlacement> placements_{8};
};

DCM_API Nx_ProfPlacementModule* asProfPlacementModule(Nx_Module* module);
DCM_API const Nx_ProfPlacementModule* asProfPlacementModule(const Nx_Module* module);

// The first placement of the module whose profile group is that name (without
// case); fails for a module that places no profiles.
DCM_API Acad::ErrorStatus getNamedPrpl(Nx_Module* module, const Nx_String& profileGroup,
                                       Nx_ProfPlacement*& placement);
DCM_API Acad::ErrorStatus getSectionName(const Nx_ProfPlacement* placement, Nx_String& section);
DCM_API Acad::ErrorStatus getMaterial(const Nx_ProfPlacement* placement, Nx_String& material);
