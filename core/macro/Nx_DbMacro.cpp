#include "core/macro/Nx_DbMacro.h"

const Nx_Macro* Nx_DbMacro::getMacro() const {
  assertReadEnabled();
  return &macro_;
}

Nx_Macro* Nx_DbMacro::getMacroWrite() {
  assertWriteEnabled();
  return &macro_;
}

int Nx_DbMacro::baseProfCount() const {
  assertReadEnabled();
  return baseProfIds_.length();
}

void Nx_DbMacro::getBaseProfIds(AcArray<AcDbObjectId>& ids) const {
  assertReadEnabled();
  ids = baseProfIds_;
}

void Nx_DbMacro::setBaseProfIds(const AcArray<AcDbObjectId>& ids) {
  assertWriteEnabled();
  baseProfIds_ = ids;
}

Acad::ErrorStatus Nx_DbMacro::getBaseProf(int index, Nx_DbProfile*& profile,
                                          AcTransaction* tr) const {
  profile = nullptr;
  assertReadEnabled();
  if (!tr || !baseProfIds_.isValid(index)) return Acad::eInvalidInput;
  return tr->getObject(profile, baseProfIds_[index], AcDb::kForRead);
}

void Nx_DbMacro::getMacroData(MacroData& data) const {
  assertReadEnabled();
  data = macroData_;
  data.macroId = objectId();
}

void Nx_DbMacro::setMacroData(const MacroData& data) {
  assertWriteEnabled();
  macroData_ = data;
}
