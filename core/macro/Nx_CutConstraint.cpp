#include "core/macro/Nx_CutConstraint.h"

namespace {
// Offsets per cut type, as bit sets over KvCutOffsetType.
constexpr unsigned bit(KvCutOffsetType t) {
  return 1u << static_cast<unsigned>(t);
}
constexpr unsigned kOffsetsOfType[kCutTypeCount] = {
    bit(kCutOffset),
    bit(kCutOffset) | bit(kCutPolyOffset),
    bit(kCutOffset) | bit(kCutLengthOffset),
    bit(kCutOffset) | bit(kCutCenterOffset),
    bit(kCutInsideOffset) | bit(kCutOutsideOffset),
    bit(kCutOffset) | bit(kCutChamferOffset1) | bit(kCutChamferOffset2),
    bit(kCutOffset) | bit(kCutRadius),
    (1u << kCutOffsetTypeCount) - 1,
};
constexpr const char* kTypeNames[kCutTypeCount] = {"straight", "polygon", "length",  "center",
                                                   "notch",    "chamfer", "rounded", "full"};
constexpr const char* kOffsetNames[kCutOffsetTypeCount] = {
    "offset",        "polyOffset",     "lengthOffset",   "centerOffset", "insideOffset",
    "outsideOffset", "chamferOffset1", "chamferOffset2", "radius"};

bool validType(Nx_ConstraintCutType t) {
  return t >= 0 && t < kCutTypeCount;
}
bool validOffset(KvCutOffsetType o) {
  return o >= 0 && o < kCutOffsetTypeCount;
}
}  // namespace

bool cutHasOffset(Nx_ConstraintCutType type, KvCutOffsetType offset) {
  return validType(type) && validOffset(offset) && (kOffsetsOfType[type] & bit(offset)) != 0;
}

void getCutOffsets(Nx_ConstraintCutType type, AcArray<KvCutOffsetType>& offsets) {
  offsets.removeAll();
  for (int o = 0; o < kCutOffsetTypeCount; ++o) {
    auto offset = static_cast<KvCutOffsetType>(o);
    if (cutHasOffset(type, offset)) offsets.append(offset);
  }
}

const char* cutTypeName(Nx_ConstraintCutType type) {
  return validType(type) ? kTypeNames[type] : "";
}

bool cutTypeFromName(const Nx_String& name, Nx_ConstraintCutType& type) {
  for (int t = 0; t < kCutTypeCount; ++t) {
    if (name.equal(kTypeNames[t], false)) {
      type = static_cast<Nx_ConstraintCutType>(t);
      return true;
    }
  }
  return false;
}

const char* cutOffsetName(KvCutOffsetType offset) {
  return validOffset(offset) ? kOffsetNames[offset] : "";
}

Acad::ErrorStatus Nx_CutConstraint::getOffset(KvCutOffsetType offset, double& value) const {
  if (!cutHasOffset(type, offset)) return Acad::eInvalidInput;
  value = offsets_[offset];
  return Acad::eOk;
}

Acad::ErrorStatus Nx_CutConstraint::setOffset(KvCutOffsetType offset, double value) {
  if (!cutHasOffset(type, offset)) return Acad::eInvalidInput;
  offsets_[offset] = value;
  return Acad::eOk;
}
