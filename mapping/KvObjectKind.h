#pragma once
#include "core/Nx_String.h"
#include "core/macro/Nx_CutConstraint.h"
#include "host/ss_export.h"
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

// The keyword of a kind; empty for kind 0 and numbers outside the table.
SS_EXPORT const char* objectKindKeyword(KvObjectKind kind);
// The value type of a kind; false for kind 0 and numbers outside the table.
SS_EXPORT bool objectKindValueType(KvObjectKind kind, KvValueType& type);
SS_EXPORT KvObjectLevel objectKindLevel(KvObjectKind kind);
// The kind whose keyword the text begins with (leading blanks skipped),
// tested in the order 1 to 11, 16 to 19, 12 to 15, 20, 21; false when none.
SS_EXPORT bool objectKindFromText(const Nx_String& text, KvObjectKind& kind);
// Values a sheet can only read.
SS_EXPORT bool isReadOnlyKind(KvObjectKind kind);

// Kinds 3 to 11 are the cut offsets 0 to 8.
SS_EXPORT bool isCutKind(KvObjectKind kind);
SS_EXPORT KvCutOffsetType cutOffsetOfKind(KvObjectKind kind);
SS_EXPORT KvObjectKind kindOfCutOffset(KvCutOffsetType offset);
