#include "dialogs/KvDlgCis2Data.h"

KvDlgCis2Data::KvDlgCis2Data() = default;
KvDlgCis2Data::KvDlgCis2Data(const KvDlgCis2Data& other) = default;
KvDlgCis2Data& KvDlgCis2Data::operator=(const KvDlgCis2Data& other) = default;
KvDlgCis2Data::~KvDlgCis2Data() = default;

bool KvDlgCis2Data::operator==(const KvDlgCis2Data& o) const {
  return firstChoice == o.firstChoice && optionA == o.optionA && secondChoice == o.secondChoice &&
         optionB == o.optionB && optionC == o.optionC;
}
