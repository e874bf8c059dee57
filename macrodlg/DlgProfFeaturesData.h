#pragma once
#include "common/ss_export.h"

// Record of the profile features dialog. The core module fills it,
// the dialog edits a copy and hands it back on OK. Its fields arrive with
// the dialog.
class SS_EXPORT DlgProfFeaturesData {
 public:
  DlgProfFeaturesData();
  DlgProfFeaturesData(const DlgProfFeaturesData& other);
  DlgProfFeaturesData& operator=(const DlgProfFeaturesData& other);
  virtual ~DlgProfFeaturesData();
};
