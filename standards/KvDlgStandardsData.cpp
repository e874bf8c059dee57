#include "standards/KvDlgStandardsData.h"

#include "core/StringHelpers.h"
#include "standards/StandardsDiagnostics.h"

KvDlgStandardsData::KvDlgStandardsData() = default;
KvDlgStandardsData::~KvDlgStandardsData() = default;
KvDlgStandardsData::KvDlgStandardsData(const KvDlgStandardsData& other) = default;
KvDlgStandardsData& KvDlgStandardsData::operator=(const KvDlgStandardsData& other) = default;

Acad::ErrorStatus KvDlgStandardsData::initialize(Nx_DbMacro* macro, Nx_String fileName,
                                                 Nx_String objectName, MacroData* macroData) {
  if (!macro || !macroData) return Acad::eInvalidInput;
  moduleName = objectName.startsWith(kModuleGroupPrefix, false) ? getSubstrAfter(objectName, ".")
                                                                : Nx_String();
  mode = kParent;
  this->fileName = fileName;
  this->objectName = objectName;
  this->macro = macro;
  this->macroData = macroData;
  return Acad::eOk;
}

void KvDlgStandardsData::variableFailed(bool isInput, const Nx_String& name) {
  reportVariableFailure(fileName, isInput, name);
}
