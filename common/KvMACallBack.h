#pragma once
#include "common/ss_export.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/dbid.h"

// What the advanced profile dialog asks of the core through its callback:
// the merged properties of the selected profiles, or to apply changed ones.
enum KvMACallBackType : int {
  kMACallBackGetProps = 0,
  kMACallBackSetProps = 1,
};

// What the dialog tells the core along with a callback.
class SS_EXPORT KvMACallBackData {
 public:
  KvMACallBackData();
  KvMACallBackData(const KvMACallBackData& other);
  KvMACallBackData& operator=(const KvMACallBackData& other);
  virtual ~KvMACallBackData();

  AcArray<AcDbObjectId> profiles;  // the selected profiles the properties are of
};
