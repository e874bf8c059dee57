#pragma once
#include "core/Nx_String.h"
#include "core/macro/Nx_CutConstraint.h"
#include "mapping/KvValueType.h"

// What kind of macro value a mapping entry stands for. The numbers and the
// keywords are stored in mapping files.
enum KvObjectKind : int {
  kObjNone = 0,
  kObjDistance = 1,
  kObjGenVar = 2,
  kObjCutOffset = 3,
  kObjCutPolyOffset = 4,
  kObjCutLengthOffset = 5,
  kObjCutCenterOffset = 6,
  kObjCutInsideOffset = 7,
  kObjCutOutsideOffset = 8,
  kObjCutChamferOffset1 = 9,
  kObjCutChamferOffset2 = 10,
  kObjCutRadius = 11,
  kObjPrPlName = 12,
  kObjPrPlMaterial = 13,
  kObjOwnedMemberName = 14,
  kObjMemberSectionSize = 15,
  kObjPatternNrBolts1 = 16,
  kObjPatternNrBolts2 = 17,
  kObjPatternReverseStart1 = 18,
  kObjPatternReverseStart2 = 19,
  kObjBoltsDiameter = 20,
  kObjBoltsHoleOffset = 21,
};
inline constexpr int kObjectKindCount = 22;

// Where a kind's value lives.
enum KvObjectLevel : int {
  kLevelNone = 0,    // kind 0: no value
  kLevelModule = 1,  // on every module of the entry's group
  kLevelMacro = 2,   // on the macro itself
};

namespace objectkinds {
struct KindInfo {
  const char* keyword;
  KvValueType type;
  KvObjectLevel level;
};

inline constexpr KindInfo kKinds[kObjectKindCount] = {
    {"", kValueString, kLevelNone},
    {"Distance", kValueDouble, kLevelModule},
    {"GenVar", kValueDouble, kLevelMacro},
    {"CutOffset", kValueDouble, kLevelModule},
    {"CutPolyOffset", kValueDouble, kLevelModule},
    {"CutLengthOffset", kValueDouble, kLevelModule},
    {"CutCenterOffset", kValueDouble, kLevelModule},
    {"CutInsideOffset", kValueDouble, kLevelModule},
    {"CutOutsideOffset", kValueDouble, kLevelModule},
    {"CutChamferOffset1", kValueDouble, kLevelModule},
    {"CutChamferOffset2", kValueDouble, kLevelModule},
    {"CutRadius", kValueDouble, kLevelModule},
    {"PrPlName", kValueString, kLevelMacro},
    {"PrPlMaterial", kValueString, kLevelMacro},
    {"OwnedMemberName", kValueString, kLevelModule},
    {"MemberSectionSize", kValueDouble, kLevelMacro},
    {"PatternNrBolts1", kValueString, kLevelModule},
    {"PatternNrBolts2", kValueString, kLevelModule},
    {"PatternReverseStart1", kValueInt, kLevelModule},
    {"PatternReverseStart2", kValueInt, kLevelModule},
    {"BoltsDiameter", kValueDouble, kLevelModule},
    {"BoltsHoleOffset", kValueDouble, kLevelModule},
};

// The order in which keywords are tried against a text.
inline constexpr KvObjectKind kRecognitionOrder[] = {
    kObjDistance,
    kObjGenVar,
    kObjCutOffset,
    kObjCutPolyOffset,
    kObjCutLengthOffset,
    kObjCutCenterOffset,
    kObjCutInsideOffset,
    kObjCutOutsideOffset,
    kObjCutChamferOffset1,
    kObjCutChamferOffset2,
    kObjCutRadius,
    kObjPatternNrBolts1,
    kObjPatternNrBolts2,
    kObjPatternReverseStart1,
    kObjPatternReverseStart2,
    kObjPrPlName,
    kObjPrPlMaterial,
    kObjOwnedMemberName,
    kObjMemberSectionSize,
    kObjBoltsDiameter,
    kObjBoltsHoleOffset,
};

inline bool valid(KvObjectKind kind) {
  return kind > kObjNone && kind < kObjectKindCount;
}
}  // namespace objectkinds

// The keyword of a kind; empty for kind 0 and numbers outside the table.
inline const char* objectKindKeyword(KvObjectKind kind) {
  return objectkinds::valid(kind) ? objectkinds::kKinds[kind].keyword : "";
}
// The value type of a kind; false for kind 0 and numbers outside the table.
inline bool objectKindValueType(KvObjectKind kind, KvValueType& type) {
  if (!objectkinds::valid(kind)) return false;
  type = objectkinds::kKinds[kind].type;
  return true;
}
inline KvObjectLevel objectKindLevel(KvObjectKind kind) {
  return objectkinds::valid(kind) ? objectkinds::kKinds[kind].level : kLevelNone;
}
// The kind whose keyword the text begins with (leading blanks skipped,
// letters without case), tested in the order 1 to 11, 16 to 19, 12 to 15,
// 20, 21; false when none.
inline bool objectKindFromText(const Nx_String& text, KvObjectKind& kind) {
  int start = 0;
  while (text[start] == ' ') ++start;
  Nx_String rest = text.mid(start);
  for (KvObjectKind k : objectkinds::kRecognitionOrder) {
    if (rest.startsWith(objectkinds::kKinds[k].keyword, false)) {
      kind = k;
      return true;
    }
  }
  return false;
}
// Values a sheet can only read.
inline bool isReadOnlyKind(KvObjectKind kind) {
  return kind == kObjPrPlName || kind == kObjPrPlMaterial || kind == kObjMemberSectionSize;
}

// Kinds 3 to 11 are the cut offsets 0 to 8.
inline bool isCutKind(KvObjectKind kind) {
  return kind >= kObjCutOffset && kind <= kObjCutRadius;
}
inline KvCutOffsetType cutOffsetOfKind(KvObjectKind kind) {
  return static_cast<KvCutOffsetType>(kind - kObjCutOffset);
}
inline KvObjectKind kindOfCutOffset(KvCutOffsetType offset) {
  return static_cast<KvObjectKind>(static_cast<int>(offset) + kObjCutOffset);
}
