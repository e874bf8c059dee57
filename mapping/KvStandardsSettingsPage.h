#pragma once
#include "core/MacroSettingsDlg.h"
#include "mapping/KvSSMapping.h"
#include "mapping/KvStandardsMappingPage.h"

// The mapping page as the standards tab of the core's macro settings
// dialog. Without valid variables in the record it builds them from the
// record's macro and lends them to the record while it lives.
class KvStandardsSettingsPage : public MacroSettingsPage {
 public:
  explicit KvStandardsSettingsPage(TabMappingData& data);
  ~KvStandardsSettingsPage() override;

  Nx_String title() const override { return "Standards"; }
  bool create(ui::Window& tabControl) override { return page_.createAsChild(tabControl); }
  ui::Window* window() override { return &page_; }
  bool apply() override { return page_.apply(); }

 private:
  void buildValidVars();

  TabMappingData& data_;
  KvSSMapping validVars_;
  KvStandardsMappingPage page_;
};
