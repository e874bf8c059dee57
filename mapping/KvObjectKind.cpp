#include "mapping/KvObjectKind.h"

namespace {

struct KindInfo {
  const char* keyword;
  KvValueType type;
  KvObjectLevel level;
};

constexpr KindInfo kKinds[kObjectKindCount] = {
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
constexpr KvObjectKind kRecognitionOrder[] = {
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

bool valid(KvObjectKind kind) {
  return kind > kObjNone && kind < kObjectKindCount;
}

}  // namespace

const char* objectKindKeyword(KvObjectKind kind) {
  return valid(kind) ? kKinds[kind].keyword : "";
}

bool objectKindValueType(KvObjectKind kind, KvValueType& type) {
  if (!valid(kind)) return false;
  type = kKinds[kind].type;
  return true;
}

KvObjectLevel objectKindLevel(KvObjectKind kind) {
  return valid(kind) ? kKinds[kind].level : kLevelNone;
}

bool objectKindFromText(const Nx_String& text, KvObjectKind& kind) {
  int start = 0;
  while (text[start] == ' ') ++start;
  Nx_String rest = text.mid(start);
  for (KvObjectKind k : kRecognitionOrder) {
    if (rest.startsWith(kKinds[k].keyword, false)) {
      kind = k;
      return true;
    }
  }
  return false;
}

bool isReadOnlyKind(KvObjectKind kind) {
  return kind == kObjPrPlName || kind == kObjPrPlMaterial || kind == kObjMemberSectionSize;
}

bool isCutKind(KvObjectKind kind) {
  return kind >= kObjCutOffset && kind <= kObjCutRadius;
}

KvCutOffsetType cutOffsetOfKind(KvObjectKind kind) {
  return static_cast<KvCutOffsetType>(kind - kObjCutOffset);
}

KvObjectKind kindOfCutOffset(KvCutOffsetType offset) {
  return static_cast<KvObjectKind>(offset + kObjCutOffset);
}
