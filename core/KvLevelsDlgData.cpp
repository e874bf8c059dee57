#include "core/KvLevelsDlgData.h"

#include <cstdlib>
#include <vector>

KvLevelsDlgData::KvLevelsDlgData() = default;
KvLevelsDlgData::KvLevelsDlgData(const KvLevelsDlgData& other) = default;
KvLevelsDlgData& KvLevelsDlgData::operator=(const KvLevelsDlgData& other) = default;
KvLevelsDlgData::~KvLevelsDlgData() = default;

bool KvLevelsDlgData::operator==(const KvLevelsDlgData& other) const {
  return names_ == other.names_ && references_ == other.references_ && values_ == other.values_;
}

bool KvLevelsDlgData::getLevelData(int index, Nx_String& name, Nx_String& reference, double& value,
                                   double& absolute) const {
  if (!names_.isValid(index)) return false;
  name = names_[index];
  reference = references_[index];
  value = std::strtod(values_[index].c_str(), nullptr);
  absolute = absoluteValue(index);
  return true;
}

bool KvLevelsDlgData::updateLevel(int index, double value) {
  if (!names_.isValid(index)) return false;
  values_[index] = Nx_String(value, 8, false);
  return true;
}

bool KvLevelsDlgData::updateLevel(int index, const Nx_String& reference) {
  if (!names_.isValid(index)) return false;
  references_[index] = reference;
  return true;
}

int KvLevelsDlgData::addLevel(const Nx_String& name) {
  names_.append(name);
  references_.append(kWorldLevel);
  values_.append("0");
  return names_.length() - 1;
}

bool KvLevelsDlgData::deleteLevel(int index) {
  if (!names_.isValid(index)) return false;
  names_.removeAt(index);
  references_.removeAt(index);
  values_.removeAt(index);
  return true;
}

double KvLevelsDlgData::absoluteValue(int index) const {
  double total = 0;
  std::vector<bool> passed(static_cast<size_t>(names_.length()), false);
  while (names_.isValid(index) && !passed[static_cast<size_t>(index)]) {
    passed[static_cast<size_t>(index)] = true;
    total += std::strtod(values_[index].c_str(), nullptr);
    index = names_.find(references_[index], true);
  }
  return total;
}
