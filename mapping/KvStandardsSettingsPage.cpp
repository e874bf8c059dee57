#include "mapping/KvStandardsSettingsPage.h"

#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"

KvStandardsSettingsPage::KvStandardsSettingsPage(TabMappingData& data) : data_(data) {
  if (!data_.validVars) {
    buildValidVars();
    data_.validVars = &validVars_;
  }
  page_.setTabData(&data_);
  page_.setCurrentEntry(0);
}

KvStandardsSettingsPage::~KvStandardsSettingsPage() {
  if (data_.validVars == &validVars_) data_.validVars = nullptr;
}

void KvStandardsSettingsPage::buildValidVars() {
  Nx_Drawing* drawing = Nx_Drawing::working();
  if (!drawing || data_.macroId.isNull()) return;
  AcTransaction tr(drawing->database());
  Nx_DbMacro* macro = nullptr;
  if (tr.getObject(macro, data_.macroId, AcDb::kForRead) == Acad::eOk)
    validVars_.initAllVarsFromMacro(macro, &tr);
}
