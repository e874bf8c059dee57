#include <gtest/gtest.h>

#include "core/macro/MacroData.h"
#include "core/macro/Nx_Drawing.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

class MacroDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadExampleDrawing(drawing));
    AcTransaction tr(drawing.database());
    Nx_DbMacro* m = nullptr;
    ASSERT_EQ(tr.getObject(m, drawing.findMacro("EP-1"), AcDb::kForRead), Acad::eOk);
    m->getMacroData(data);
  }
  MacroTabData* tab(const char* name) { return data.getTab(data.findTab(name)); }

  Nx_Drawing drawing;
  MacroData data;
};

TEST_F(MacroDataTest, TabsAreFoundByNameWithoutCase) {
  EXPECT_EQ(data.findTab("bolts"), 1);
  EXPECT_EQ(data.findTab("Nothing"), -1);
  EXPECT_EQ(data.getTab(-1), nullptr);
  EXPECT_EQ(data.getTab(3), nullptr);
  EXPECT_EQ(data.macroId, drawing.findMacro("EP-1"));
}

TEST_F(MacroDataTest, BoltDataOnlyOnBoltTabs) {
  EXPECT_EQ(tab("Plates")->getBoltData(), nullptr);
  MacroBoltData* bolts = tab("Bolts")->getBoltData();
  ASSERT_NE(bolts, nullptr);
  EXPECT_EQ(bolts->diameter, "20");
  EXPECT_EQ(bolts->holeOffset, "2");
}

TEST_F(MacroDataTest, BoltCountsPerDirection) {
  Nx_String v;
  EXPECT_EQ(getSetNrBolts(tab("Bolts"), "pattern1", v, true, false), Acad::eOk);
  EXPECT_EQ(v, "2");
  v = "6";
  EXPECT_EQ(getSetNrBolts(tab("Bolts"), "Pattern2", v, false, true), Acad::eOk);
  EXPECT_EQ(tab("Bolts")->findPatternData("Pattern2")->nrBolts1, "6");
  // A one-directional pattern has no second count; an unknown one none at all.
  EXPECT_EQ(getSetNrBolts(tab("Bolts"), "Pattern2", v, true, false), Acad::eInvalidInput);
  EXPECT_EQ(getSetNrBolts(tab("Bolts"), "Pattern9", v, true, true), Acad::eKeyNotFound);
  EXPECT_EQ(getSetNrBolts(nullptr, "Pattern1", v, true, true), Acad::eInvalidInput);
}

TEST_F(MacroDataTest, FlexFixButtons) {
  bool fixed = true, flex = false;
  EXPECT_TRUE(tab("Plates")->getFlexFixBtnStatus("Thickness", fixed, flex));
  EXPECT_FALSE(fixed);
  EXPECT_TRUE(flex);
  EXPECT_TRUE(tab("Plates")->getFlexFixBtnStatus("width", fixed, flex));
  EXPECT_TRUE(fixed);
  EXPECT_FALSE(flex);
  EXPECT_TRUE(tab("Plates")->flexFixBtnClicked("Thickness", false));
  EXPECT_TRUE(tab("Plates")->getFlexFixBtnStatus("Thickness", fixed, flex));
  EXPECT_TRUE(fixed);
  EXPECT_FALSE(flex);
  EXPECT_FALSE(tab("Plates")->getFlexFixBtnStatus("Height", fixed, flex));
  EXPECT_FALSE(tab("Plates")->flexFixBtnClicked("Height", true));
}

TEST_F(MacroDataTest, MergedProfileProperties) {
  MacroProfData props;
  ASSERT_TRUE(tab("Profiles")->getMergedPropsOfGroup("column", props));
  EXPECT_EQ(props.memberName, "St\xFCtze 1");  // Windows-1252 in memory
  props.memberName = "C2";
  EXPECT_TRUE(tab("Profiles")->setMergedPropsOfGroup("Column", props));
  ASSERT_TRUE(tab("Profiles")->getMergedPropsOfGroup("Column", props));
  EXPECT_EQ(props.memberName, "C2");
  EXPECT_FALSE(tab("Profiles")->getMergedPropsOfGroup("Brace", props));
  EXPECT_FALSE(tab("Profiles")->setMergedPropsOfGroup("Brace", props));
}

TEST_F(MacroDataTest, ViewDirectionAndCopies) {
  MacroData copy = data;
  EXPECT_TRUE(copy == data);
  EXPECT_TRUE(copy.changeView("Plates", 1));
  EXPECT_FALSE(copy.changeView("Plates", 4));
  EXPECT_FALSE(copy.changeView("Nowhere", 1));
  EXPECT_EQ(copy.getTab(0)->viewDirection, 1);
  EXPECT_EQ(data.getTab(0)->viewDirection, 3);
  EXPECT_FALSE(copy == data);
}

TEST_F(MacroDataTest, BuiltFromTheMacroWithOneTabPerGroup) {
  AcTransaction tr(drawing.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, drawing.findMacro("EP-1"), AcDb::kForRead), Acad::eOk);
  MacroData built;
  built.initFromMacro(*m->getMacro(), &tr);
  ASSERT_EQ(built.tabCount(), 3);
  EXPECT_EQ(built.getTab(0)->name, "Plates");
  EXPECT_EQ(built.getTab(0)->kind, kTabGrid);
  EXPECT_EQ(built.getTab(1)->kind, kTabGridBolts);
  EXPECT_NE(built.getTab(1)->getBoltData(), nullptr);
  ASSERT_EQ(built.getTab(1)->patterns.length(), 2);
  EXPECT_TRUE(built.getTab(1)->patterns[0].twoDirections);
  EXPECT_FALSE(built.getTab(1)->patterns[1].twoDirections);
  EXPECT_EQ(built.getTab(2)->kind, kTabProfiles);
  // Only profile groups with a name are merged.
  EXPECT_EQ(built.getTab(2)->mergedProps.length(), 2);
  EXPECT_EQ(built.groupNames, (Nx_StringArray{"Plates", "Bolts", "Profiles"}));
}

}  // namespace
