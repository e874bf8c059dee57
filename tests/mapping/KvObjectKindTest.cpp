#include <gtest/gtest.h>

#include "mapping/KvObjectKind.h"

namespace {

TEST(KvObjectKind, KeywordsTypesAndLevels) {
  struct Row {
    KvObjectKind kind;
    const char* keyword;
    KvValueType type;
    KvObjectLevel level;
  };
  const Row rows[] = {
      {kObjDistance, "Distance", kValueDouble, kLevelModule},
      {kObjGenVar, "GenVar", kValueDouble, kLevelMacro},
      {kObjCutRadius, "CutRadius", kValueDouble, kLevelModule},
      {kObjPrPlName, "PrPlName", kValueString, kLevelMacro},
      {kObjOwnedMemberName, "OwnedMemberName", kValueString, kLevelModule},
      {kObjMemberSectionSize, "MemberSectionSize", kValueDouble, kLevelMacro},
      {kObjPatternNrBolts2, "PatternNrBolts2", kValueString, kLevelModule},
      {kObjPatternReverseStart1, "PatternReverseStart1", kValueInt, kLevelModule},
      {kObjBoltsHoleOffset, "BoltsHoleOffset", kValueDouble, kLevelModule},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.keyword);
    EXPECT_STREQ(objectKindKeyword(r.kind), r.keyword);
    KvValueType type = kValueString;
    EXPECT_TRUE(objectKindValueType(r.kind, type));
    EXPECT_EQ(type, r.type);
    EXPECT_EQ(objectKindLevel(r.kind), r.level);
  }
  KvValueType type;
  for (int bad : {0, 22, -1}) {
    EXPECT_STREQ(objectKindKeyword(static_cast<KvObjectKind>(bad)), "");
    EXPECT_FALSE(objectKindValueType(static_cast<KvObjectKind>(bad), type));
    EXPECT_EQ(objectKindLevel(static_cast<KvObjectKind>(bad)), kLevelNone);
  }
}

TEST(KvObjectKind, EveryKeywordIsRecognisedAsItsOwnKind) {
  for (int k = 1; k < kObjectKindCount; ++k) {
    auto kind = static_cast<KvObjectKind>(k);
    KvObjectKind found = kObjNone;
    EXPECT_TRUE(objectKindFromText(Nx_String("  ") + objectKindKeyword(kind) + " Name", found));
    EXPECT_EQ(found, kind) << objectKindKeyword(kind);
  }
  KvObjectKind found = kObjNone;
  EXPECT_FALSE(objectKindFromText("Length x", found));
  EXPECT_FALSE(objectKindFromText("", found));
  EXPECT_EQ(found, kObjNone);
}

TEST(KvObjectKind, OnlyNamesAndSectionSizesAreReadOnly) {
  for (int k = 0; k < kObjectKindCount; ++k) {
    auto kind = static_cast<KvObjectKind>(k);
    EXPECT_EQ(isReadOnlyKind(kind), k == 12 || k == 13 || k == 15) << k;
  }
}

TEST(KvObjectKind, CutKindsAndCutOffsetTypes) {
  for (int k = 0; k < kObjectKindCount; ++k)
    EXPECT_EQ(isCutKind(static_cast<KvObjectKind>(k)), k >= 3 && k <= 11) << k;
  EXPECT_EQ(cutOffsetOfKind(kObjCutLengthOffset), kCutLengthOffset);
  EXPECT_EQ(kindOfCutOffset(kCutRadius), kObjCutRadius);
  EXPECT_EQ(kindOfCutOffset(kCutOffset), kObjCutOffset);
}

}  // namespace
