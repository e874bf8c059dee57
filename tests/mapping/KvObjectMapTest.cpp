#include <gtest/gtest.h>

#include "mapping/KvObjectMap.h"
#include "tests/mapping/ExampleMacro.h"

namespace {

KvObjectMap entry(const char* group, KvObjectKind kind, const char* var) {
  KvObjectMap m;
  m.objectName = group;
  m.kind = kind;
  m.varName = var;
  m.ssVarName = "X";
  return m;
}

TEST(KvObjectMapText, ReadsTheMacroPart) {
  KvObjectMap m;
  ASSERT_EQ(m.getMappingFromStrs("Plate", "Plates\x95  CutLengthOffset Cut 1"), Acad::eOk);
  EXPECT_EQ(m.ssVarName, "Plate");
  EXPECT_EQ(m.objectName, "Plates");
  EXPECT_EQ(m.kind, kObjCutLengthOffset);
  EXPECT_EQ(m.varName, "Cut 1");

  ASSERT_EQ(m.getMappingFromStrs("D",
                                 "Bolts\x95"
                                 "BoltsDiameter"),
            Acad::eOk);
  EXPECT_EQ(m.kind, kObjBoltsDiameter);
  EXPECT_EQ(m.varName, "");
  ASSERT_EQ(m.getMappingFromStrs("H", "\x95GenVar gen_Height"), Acad::eOk);
  EXPECT_EQ(m.objectName, "");
  EXPECT_EQ(m.varName, "gen_Height");
}

TEST(KvObjectMapText, BlanksAroundTheGroupAreDropped) {
  KvObjectMap m;
  ASSERT_EQ(m.getMappingFromStrs("W", " Plates \x95 Distance Width"), Acad::eOk);
  EXPECT_EQ(m.objectName, "Plates");
  EXPECT_EQ(m.varName, "Width");
}

TEST(KvObjectMapText, RejectsAPartWithoutSeparatorOrKeyword) {
  KvObjectMap m;
  EXPECT_EQ(m.getMappingFromStrs("A", "Plates Distance Thickness"), Acad::eInvalidInput);
  EXPECT_EQ(m.objectName, "");
  EXPECT_EQ(m.getMappingFromStrs("A", "Plates\x95Length Thickness"), Acad::eInvalidInput);
  // What was read before the failure stays.
  EXPECT_EQ(m.objectName, "Plates");
  EXPECT_EQ(m.kind, kObjNone);
  EXPECT_EQ(m.ssVarName, "");
}

TEST(KvObjectMapText, WritesTheTextFormBack) {
  KvObjectMap m = entry("Bolts", kObjPatternNrBolts1, "Pattern1");
  Nx_String part, name;
  ASSERT_EQ(m.setMappingToStrs(part, name), Acad::eOk);
  EXPECT_EQ(part, "Bolts\x95PatternNrBolts1 Pattern1");
  EXPECT_EQ(name, "X");
  KvObjectMap back;
  ASSERT_EQ(back.getMappingFromStrs(name, part), Acad::eOk);
  EXPECT_EQ(back.isCompatible(m), Acad::eOk);

  m.kind = kObjNone;
  EXPECT_EQ(m.setMappingToStrs(part, name), Acad::eInvalidInput);
  EXPECT_EQ(part, "Bolts\x95");
  m.kind = static_cast<KvObjectKind>(22);
  EXPECT_EQ(m.setMappingToStrs(part, name), Acad::eInvalidInput);
}

TEST(KvObjectMapText, MapsACellFromParallelLists) {
  Nx_StringArray names{"Width", "Height"};
  Nx_StringArray parts{
      "Plates\x95"
      "Distance Width",
      "Plates\x95"
      "Distance Height"};
  KvObjectMap m;
  ASSERT_EQ(m.mapFromArrays(names, parts, "height"), Acad::eOk);
  EXPECT_EQ(m.varName, "Height");
  EXPECT_EQ(m.mapFromArrays(names, parts, "Depth"), Acad::eInvalidInput);
  parts.removeAt(1);
  EXPECT_EQ(m.mapFromArrays(names, parts, "Height"), Acad::eInvalidInput);
}

TEST(KvObjectMapText, CompatibleIgnoresTheSheetSide) {
  KvObjectMap a = entry("Plates", kObjDistance, "Width");
  KvObjectMap b = entry("plates", kObjDistance, "WIDTH");
  b.ssVarName = "Other";
  b.visibility = kVisibleAndSettable;
  EXPECT_EQ(a.isCompatible(b), Acad::eOk);
  b.kind = kObjCutOffset;
  EXPECT_EQ(a.isCompatible(b), Acad::eInvalidInput);
}

using KvObjectMapAccess = ExampleMacro;

TEST_F(KvObjectMapAccess, DistanceReadsTheLastModuleAndWritesEvery) {
  KvObjectMap m = entry("Plates", kObjDistance, "Thickness");
  Nx_String v;
  ASSERT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "10");  // Stiffener comes after Plate
  v = "20";
  ASSERT_EQ(m.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(variable("Plate", "Thickness"), 20);
  EXPECT_EQ(variable("Stiffener", "Thickness"), 20);
  // The written value is fixed in the dialog data.
  bool fixed = false, flex = true;
  ASSERT_TRUE(tab("Plates").getFlexFixBtnStatus("Thickness", fixed, flex));
  EXPECT_TRUE(fixed);
  EXPECT_FALSE(flex);
}

TEST_F(KvObjectMapAccess, AValueNoModuleOfTheGroupHoldsFails) {
  std::string before = drawing.toJson();
  for (KvObjectMap m :
       {entry("Bolts", kObjDistance, "Thickness"), entry("Plates", kObjDistance, "NoSuchVariable"),
        entry("Plates", kObjCutOffset, "NoSuchCut"),
        entry("Bolts", kObjPatternNrBolts1, "NoSuchPattern"),
        entry("Bolts", kObjPatternReverseStart1, "NoSuchPattern"),
        entry("Plates", kObjBoltsDiameter, ""),
        entry("Profiles", kObjOwnedMemberName, "NoSuchGroup")}) {
    Nx_String v = "unchanged";
    EXPECT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput)
        << objectKindKeyword(m.kind) << " " << m.varName.str();
    EXPECT_EQ(v, "unchanged");
    v = "1";
    EXPECT_EQ(m.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput)
        << objectKindKeyword(m.kind) << " " << m.varName.str();
  }
  EXPECT_EQ(drawing.toJson(), before);
  KvObjectMap m = entry("NoSuchGroup", kObjDistance, "Thickness");
  Nx_String v;
  EXPECT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
}

TEST_F(KvObjectMapAccess, KindNoneAndMissingMacroFail) {
  Nx_String v;
  KvObjectMap none = entry("Plates", kObjNone, "Thickness");
  EXPECT_EQ(none.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  KvObjectMap m = entry("Plates", kObjDistance, "Thickness");
  EXPECT_EQ(m.getMacroVarValue(nullptr, &data, v, tr.get()), Acad::eInvalidInput);
}

TEST_F(KvObjectMapAccess, GeneralVariables) {
  KvObjectMap m = entry("", kObjGenVar, "gen_Height");
  Nx_String v;
  ASSERT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "300");
  v = "312.125";
  ASSERT_EQ(m.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_DOUBLE_EQ(macro->generalVariableValue("gen_Height"), 312.125);
  KvObjectMap missing = entry("", kObjGenVar, "gen_Missing");
  EXPECT_EQ(missing.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  EXPECT_EQ(missing.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  EXPECT_FALSE(macro->hasGeneralVariable("gen_Missing"));
}

TEST_F(KvObjectMapAccess, BaseProfileNamesAreReadOnly) {
  Nx_String v;
  KvObjectMap name = entry("", kObjPrPlName, "Prof1");
  ASSERT_EQ(name.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "IPE300");
  KvObjectMap material = entry("", kObjPrPlMaterial, "Prof0");
  ASSERT_EQ(material.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "S235");
  v = "HEB300";
  EXPECT_EQ(name.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  EXPECT_EQ(material.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  for (const char* bad : {"Profile", "Prof", "Prof2", "Prof-1", "Base1"}) {
    KvObjectMap b = entry("", kObjPrPlName, bad);
    EXPECT_EQ(b.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput) << bad;
  }
}

TEST_F(KvObjectMapAccess, SectionSizesOfBaseProfiles) {
  Nx_String v;
  KvObjectMap b = entry("", kObjMemberSectionSize, "Prof0;1");
  ASSERT_EQ(b.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "200");  // HEA200: b
  KvObjectMap h = entry("", kObjMemberSectionSize, "Prof1;0");
  ASSERT_EQ(h.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "300");  // IPE300: h
  EXPECT_EQ(h.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  KvObjectMap noColumn = entry("", kObjMemberSectionSize, "Prof1");
  EXPECT_EQ(noColumn.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
  KvObjectMap farColumn = entry("", kObjMemberSectionSize, "Prof1;99");
  EXPECT_EQ(farColumn.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eInvalidInput);
}

TEST_F(KvObjectMapAccess, CutOffsets) {
  Nx_String v;
  KvObjectMap length = entry("Plates", kObjCutLengthOffset, "Cut1");
  ASSERT_EQ(length.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "5");
  v = "7.25";
  ASSERT_EQ(length.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  double number = 0;
  module("Plate")->findCut("Cut1")->getOffset(kCutLengthOffset, number);
  EXPECT_DOUBLE_EQ(number, 7.25);
  KvObjectMap outside = entry("Plates", kObjCutOutsideOffset, "Notch");
  ASSERT_EQ(outside.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "12.5");
}

TEST_F(KvObjectMapAccess, BoltCountsAndBoltData) {
  Nx_String v;
  KvObjectMap second = entry("Bolts", kObjPatternNrBolts2, "Pattern1");
  ASSERT_EQ(second.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "2");
  v = "3";
  ASSERT_EQ(second.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(tab("Bolts").findPatternData("Pattern1")->nrBolts2, "3");
  KvObjectMap diameter = entry("Bolts", kObjBoltsDiameter, "");
  ASSERT_EQ(diameter.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "20");
  v = "24";
  ASSERT_EQ(diameter.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(tab("Bolts").getBoltData()->diameter, "24");
  KvObjectMap holes = entry("Bolts", kObjBoltsHoleOffset, "");
  ASSERT_EQ(holes.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "2");
}

TEST_F(KvObjectMapAccess, ReverseStartFlagsReadAsTheyAreWritten) {
  Nx_String v;
  KvObjectMap second = entry("Bolts", kObjPatternReverseStart2, "Pattern1");
  ASSERT_EQ(second.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "1");  // the flag is set
  KvObjectMap first = entry("Bolts", kObjPatternReverseStart1, "Pattern1");
  ASSERT_EQ(first.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "0");  // the flag is clear
  // Writing back what was read leaves both flags as they were.
  for (KvObjectMap* m : {&first, &second}) {
    for (int round = 0; round < 2; ++round) {
      ASSERT_EQ(m->getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
      ASSERT_EQ(m->setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
    }
  }
  bool reversed = true;
  pattern("Pattern1")->reverseStart(1, reversed);
  EXPECT_FALSE(reversed);
  pattern("Pattern1")->reverseStart(2, reversed);
  EXPECT_TRUE(reversed);
  // "1" sets the flag, as sheets compute it.
  v = "1";
  ASSERT_EQ(first.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  pattern("Pattern1")->reverseStart(1, reversed);
  EXPECT_TRUE(reversed);
  ASSERT_EQ(first.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "1");
}

TEST_F(KvObjectMapAccess, MemberNamesOfProfileGroups) {
  Nx_String v;
  KvObjectMap m = entry("Profiles", kObjOwnedMemberName, "Column");
  ASSERT_EQ(m.getMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  EXPECT_EQ(v, "St\xFCtze 1");
  v = "C7";
  ASSERT_EQ(m.setMacroVarValue(dbMacro, &data, v, tr.get()), Acad::eOk);
  MacroProfData props;
  ASSERT_TRUE(tab("Profiles").getMergedPropsOfGroup("Column", props));
  EXPECT_EQ(props.memberName, "C7");
}

}  // namespace
