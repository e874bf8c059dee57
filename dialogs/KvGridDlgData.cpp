#include "dialogs/KvGridDlgData.h"

KvGridDlgData::KvGridDlgData() = default;
KvGridDlgData::KvGridDlgData(const KvGridDlgData& other) = default;
KvGridDlgData& KvGridDlgData::operator=(const KvGridDlgData& other) = default;
KvGridDlgData::~KvGridDlgData() = default;

bool KvGridDlgData::operator==(const KvGridDlgData& o) const {
  return firstCount == o.firstCount && firstSpacing == o.firstSpacing &&
         firstLabel == o.firstLabel && secondCount == o.secondCount &&
         secondSpacing == o.secondSpacing && secondLabel == o.secondLabel && option == o.option;
}
