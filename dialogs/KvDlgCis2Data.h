#pragma once
#include "common/ss_export.h"

// The choices asked for before a CIS/2 model file is written or read; their
// meaning belongs to the core's CIS/2 code.
class SS_EXPORT KvDlgCis2Data {
 public:
  KvDlgCis2Data();
  KvDlgCis2Data(const KvDlgCis2Data& other);
  KvDlgCis2Data& operator=(const KvDlgCis2Data& other);
  virtual ~KvDlgCis2Data();
  bool operator==(const KvDlgCis2Data& other) const;

  bool firstChoice = true;
  bool optionA = true;
  bool secondChoice = false;
  bool optionB = false;
  bool optionC = false;
};
