#include "core/macro/Nx_DbProfile.h"

const Nx_String& Nx_DbProfile::section() const {
  assertReadEnabled();
  return section_;
}

const Nx_String& Nx_DbProfile::material() const {
  assertReadEnabled();
  return material_;
}

void Nx_DbProfile::setSection(const Nx_String& section) {
  assertWriteEnabled();
  section_ = section;
}

void Nx_DbProfile::setMaterial(const Nx_String& material) {
  assertWriteEnabled();
  material_ = material;
}

Acad::ErrorStatus getSectionName(const Nx_DbProfile* profile, Nx_String& section) {
  if (!profile) return Acad::eInvalidInput;
  section = profile->section();
  return Acad::eOk;
}

Acad::ErrorStatus getMaterial(const Nx_DbProfile* profile, Nx_String& material) {
  if (!profile) return Acad::eInvalidInput;
  material = profile->material();
  return Acad::eOk;
}
