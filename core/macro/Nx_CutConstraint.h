#pragma once
#include "core/Nx_String.h"
#include "core/dcm_export.h"
#include "platform/arx/AcArray.h"
#include "platform/arx/acadstrc.h"

// Which offset of a cut a value is. The numbering is fixed: mapping files
// name the kinds that correspond to these values.
enum KvCutOffsetType : int {
  kCutOffset = 0,
  kCutPolyOffset = 1,
  kCutLengthOffset = 2,
  kCutCenterOffset = 3,
  kCutInsideOffset = 4,
  kCutOutsideOffset = 5,
  kCutChamferOffset1 = 6,
  kCutChamferOffset2 = 7,
  kCutRadius = 8,
};
inline constexpr int kCutOffsetTypeCount = 9;

// The shape of a cut decides which offsets it has.
enum Nx_ConstraintCutType : int {
  kCutStraight = 0,  // offset
  kCutPolygon = 1,   // offset, poly offset
  kCutLength = 2,    // offset, length offset
  kCutCenter = 3,    // offset, center offset
  kCutNotch = 4,     // inside and outside offsets
  kCutChamfer = 5,   // offset and both chamfer offsets
  kCutRounded = 6,   // offset, radius
  kCutFull = 7,      // every offset
};
inline constexpr int kCutTypeCount = 8;

// The offset types a cut of this type has, in offset-type order; empty for
// an unknown type.
DCM_API void getCutOffsets(Nx_ConstraintCutType type, AcArray<KvCutOffsetType>& offsets);
DCM_API bool cutHasOffset(Nx_ConstraintCutType type, KvCutOffsetType offset);

// Stable names used in the drawing file and listings.
DCM_API const char* cutTypeName(Nx_ConstraintCutType type);
DCM_API bool cutTypeFromName(const Nx_String& name, Nx_ConstraintCutType& type);
DCM_API const char* cutOffsetName(KvCutOffsetType offset);

// One cut constraint of a module: a named cut and its offsets.
class DCM_API Nx_CutConstraint {
 public:
  Nx_CutConstraint() = default;
  Nx_CutConstraint(const Nx_String& name, Nx_ConstraintCutType type) : name(name), type(type) {}
  virtual ~Nx_CutConstraint() = default;
  Nx_CutConstraint(const Nx_CutConstraint&) = default;
  Nx_CutConstraint& operator=(const Nx_CutConstraint&) = default;

  // eInvalidInput when the cut's type has no such offset.
  Acad::ErrorStatus getOffset(KvCutOffsetType offset, double& value) const;
  Acad::ErrorStatus setOffset(KvCutOffsetType offset, double value);

  Nx_String name;
  Nx_ConstraintCutType type = kCutStraight;

 private:
  double offsets_[kCutOffsetTypeCount] = {};
};
