#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "platform/arx/dbmain.h"

// A profile in the drawing; a macro refers to the profiles it connects (its
// base profiles) by id.
class DCM_API Nx_DbProfile : public AcDbObject {
 public:
  Nx_DbProfile() = default;
  Nx_DbProfile(const Nx_String& section, const Nx_String& material)
      : section_(section), material_(material) {}

  const Nx_String& section() const;
  const Nx_String& material() const;
  void setSection(const Nx_String& section);
  void setMaterial(const Nx_String& material);

 private:
  Nx_String section_;
  Nx_String material_;
};

DCM_API Acad::ErrorStatus getSectionName(const Nx_DbProfile* profile, Nx_String& section);
DCM_API Acad::ErrorStatus getMaterial(const Nx_DbProfile* profile, Nx_String& material);
