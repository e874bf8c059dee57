#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/macro/Nx_BoltModule.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"
#include "core/macro/Nx_ProfPlacementModule.h"
#include "tests/macro/MacroTestDrawing.h"

namespace {

class MacroModel : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(loadExampleDrawing(drawing));
    tr = std::make_unique<AcTransaction>(drawing.database());
    ASSERT_EQ(tr->getObject(dbMacro, drawing.findMacro("ep-1"), AcDb::kForWrite), Acad::eOk);
    macro = dbMacro->getMacroWrite();
  }
  Nx_Module* module(const char* name) {
    Nx_Module* m = nullptr;
    EXPECT_EQ(macro->findModuleWrite(name, m), Acad::eOk);
    return m;
  }

  Nx_Drawing drawing;
  std::unique_ptr<AcTransaction> tr;
  Nx_DbMacro* dbMacro = nullptr;
  Nx_Macro* macro = nullptr;
};

TEST_F(MacroModel, ModulesOfAGroupInModuleOrder) {
  Nx_StringArray names;
  EXPECT_EQ(macro->getModNamesOfGroup("plates", names), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"Plate", "Stiffener"}));
  // Macro-level values ask with an empty group: that must answer.
  EXPECT_EQ(macro->getModNamesOfGroup("", names), Acad::eOk);
  EXPECT_TRUE(names.isEmpty());
  EXPECT_EQ(macro->getModNamesOfGroup("Nowhere", names), Acad::eKeyNotFound);

  // A module without a group is its own group.
  AcTransaction t2(drawing.database());
  Nx_DbMacro* fin = nullptr;
  ASSERT_EQ(t2.getObject(fin, drawing.findMacro("FP-1"), AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(fin->getMacro()->getModNamesOfGroup("Fin", names), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"Fin"}));
}

TEST_F(MacroModel, ModulesAddedTogetherAllOrNone) {
  int before = macro->moduleCount();
  auto modules = [](std::initializer_list<const char*> names) {
    std::vector<std::unique_ptr<Nx_Module>> list;
    for (const char* n : names) list.push_back(std::make_unique<Nx_Module>(n, "Extra"));
    return list;
  };
  EXPECT_EQ(macro->addModules(modules({"New1", "PLATE"})), Acad::eInvalidInput);  // taken
  EXPECT_EQ(macro->addModules(modules({"New1", "new1"})), Acad::eInvalidInput);   // twice
  EXPECT_EQ(macro->addModules(modules({"New1", ""})), Acad::eInvalidInput);
  EXPECT_EQ(macro->moduleCount(), before);
  EXPECT_EQ(macro->addModules(modules({"New1", "New2"})), Acad::eOk);
  EXPECT_EQ(macro->moduleCount(), before + 2);
  EXPECT_EQ(macro->module(before + 1)->name(), "New2");
  Nx_StringArray groups;
  macro->getGroupNames(groups);
  EXPECT_EQ(groups.find("extra", false), groups.length() - 1) << "listed once, in order";
}

TEST_F(MacroModel, OpenModuleTakesTheIndexOnlyAsAHint) {
  Nx_Module* m = nullptr;
  EXPECT_EQ(macro->openModule("Stiffener", 1, m), Acad::eOk);
  EXPECT_EQ(m->name(), "Stiffener");
  EXPECT_EQ(macro->openModule("Stiffener", 0, m), Acad::eOk);
  EXPECT_EQ(m->name(), "Stiffener");
  EXPECT_EQ(macro->openModule("Missing", 0, m), Acad::eKeyNotFound);
  EXPECT_EQ(m, nullptr);
}

TEST_F(MacroModel, TypeCodesAndTabNames) {
  EXPECT_EQ(module("Plate")->type(), kPlateModule);
  EXPECT_EQ(module("BoltsTop")->type(), 232);
  EXPECT_EQ(module("Members")->type(), 233);
  EXPECT_EQ(asBoltModule(module("Plate")), nullptr);
  EXPECT_EQ(module("BoltsTop")->tabName(), "Bolts");
  auto copy = module("BoltsTop")->clone();
  EXPECT_EQ(copy->type(), kBoltModule);
}

TEST_F(MacroModel, DialogVariablesCarryTheirFlags) {
  Nx_StringArray names;
  AcArray<bool> visible, settable;
  ASSERT_EQ(getDialogVariables(module("Plate"), names, visible, settable), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"Thickness", "Width", "Height", "Clearance"}));
  EXPECT_EQ(visible, (AcArray<bool>{true, true, true, false}));
  EXPECT_EQ(settable, (AcArray<bool>{true, true, false, true}));
  EXPECT_EQ(getDialogVariables(nullptr, names, visible, settable), Acad::eInvalidInput);
}

TEST_F(MacroModel, ConstraintVariablesReadAndWriteAsText) {
  Nx_String value;
  EXPECT_EQ(getSetConstrVarValue(module("Plate"), "thickness", value, true), Acad::eOk);
  EXPECT_EQ(value, "15");
  value = "12.5";
  EXPECT_EQ(getSetConstrVarValue(module("Plate"), "Thickness", value, false), Acad::eOk);
  EXPECT_DOUBLE_EQ(module("Plate")->findConstrVar("Thickness")->value, 12.5);
  // Text that is not a number never reaches the model as 0.
  value = "abc";
  EXPECT_EQ(getSetConstrVarValue(module("Plate"), "Thickness", value, false), Acad::eInvalidInput);
  EXPECT_DOUBLE_EQ(module("Plate")->findConstrVar("Thickness")->value, 12.5);
  EXPECT_EQ(getSetConstrVarValue(module("Plate"), "Nope", value, true), Acad::eKeyNotFound);
}

TEST(CutOffsets, EachCutTypeListsItsOffsetsInOrder) {
  AcArray<KvCutOffsetType> offsets;
  getCutOffsets(kCutLength, offsets);
  EXPECT_EQ(offsets, (AcArray<KvCutOffsetType>{kCutOffset, kCutLengthOffset}));
  getCutOffsets(kCutNotch, offsets);
  EXPECT_EQ(offsets, (AcArray<KvCutOffsetType>{kCutInsideOffset, kCutOutsideOffset}));
  getCutOffsets(kCutFull, offsets);
  EXPECT_EQ(offsets.length(), 9);
  getCutOffsets(static_cast<Nx_ConstraintCutType>(99), offsets);
  EXPECT_TRUE(offsets.isEmpty());
}

TEST_F(MacroModel, CutValuesOnlyForOffsetsTheCutHas) {
  Nx_StringArray names;
  AcArray<Nx_ConstraintCutType> types;
  ASSERT_EQ(getCutConstraints(module("Plate"), names, types), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"Cut1", "Notch"}));
  EXPECT_EQ(types, (AcArray<Nx_ConstraintCutType>{kCutLength, kCutNotch}));

  Nx_CutConstraint* cut = nullptr;
  ASSERT_EQ(getCutConstraint(module("Plate"), "NOTCH", cut), Acad::eOk);
  double v = 0;
  EXPECT_EQ(getSetCutValue(module("Plate"), cut, kCutOutsideOffset, v, true), Acad::eOk);
  EXPECT_DOUBLE_EQ(v, 12.5);
  v = 3;
  EXPECT_EQ(getSetCutValue(module("Plate"), cut, kCutInsideOffset, v, false), Acad::eOk);
  EXPECT_EQ(getSetCutValue(module("Plate"), cut, kCutRadius, v, false), Acad::eInvalidInput);
  EXPECT_EQ(getSetCutValue(module("Plate"), cut, kCutInsideOffset, v = 0, true), Acad::eOk);
  EXPECT_DOUBLE_EQ(v, 3);
  EXPECT_EQ(getCutConstraint(module("Plate"), "Cut9", cut), Acad::eKeyNotFound);
}

TEST_F(MacroModel, PatternsAreObjectsOfTheDrawing) {
  auto* bolts = asBoltModule(module("BoltsTop"));
  ASSERT_NE(bolts, nullptr);
  AcArray<AcDbObjectId> ids;
  bolts->getPatternIds(ids);
  ASSERT_EQ(ids.length(), 2);
  Nx_BoltPattern* p = nullptr;
  ASSERT_EQ(getPattern(ids[0], p, tr.get()), Acad::eOk);
  EXPECT_EQ(p->name(), "Pattern1");
  EXPECT_EQ(p->layout()->type(), kGridLayout);
  // A profile id is no pattern.
  AcArray<AcDbObjectId> profiles;
  dbMacro->getBaseProfIds(profiles);
  EXPECT_EQ(getPattern(profiles[0], p, tr.get()), Acad::eInvalidInput);
  EXPECT_EQ(getPattern(ids[0], p, nullptr), Acad::eInvalidInput);

  ASSERT_EQ(findPattern(bolts, "pattern2", p, tr.get()), Acad::eOk);
  EXPECT_EQ(p->layout()->type(), kLineLayout);
  EXPECT_EQ(findPattern(bolts, "Pattern3", p, tr.get()), Acad::eKeyNotFound);
}

TEST_F(MacroModel, ReverseFlagsPerDirection) {
  auto* bolts = asBoltModule(module("BoltsTop"));
  Nx_BoltPattern *grid = nullptr, *line = nullptr;
  ASSERT_EQ(findPattern(bolts, "Pattern1", grid, tr.get()), Acad::eOk);
  ASSERT_EQ(findPattern(bolts, "Pattern2", line, tr.get()), Acad::eOk);
  bool r = false;
  EXPECT_EQ(getSetBoltPatternReverses(bolts, grid, false, true, r, tr.get()), Acad::eOk);
  EXPECT_TRUE(r);
  r = true;
  EXPECT_EQ(getSetBoltPatternReverses(bolts, grid, true, false, r, tr.get()), Acad::eOk);
  EXPECT_EQ(getSetBoltPatternReverses(bolts, grid, true, true, r = false, tr.get()), Acad::eOk);
  EXPECT_TRUE(r);
  // A one-directional pattern has no second direction.
  EXPECT_EQ(getSetBoltPatternReverses(bolts, line, false, true, r, tr.get()), Acad::eInvalidInput);

  // A module changes only its own patterns.
  auto other = std::make_unique<Nx_BoltModule>("Other", "Bolts");
  EXPECT_EQ(getSetBoltPatternReverses(other.get(), grid, true, false, r, tr.get()),
            Acad::eInvalidInput);
}

TEST_F(MacroModel, NamedProfilePlacements) {
  Nx_ProfPlacement* p = nullptr;
  ASSERT_EQ(getNamedPrpl(module("Members"), "column", p), Acad::eOk);
  Nx_String s;
  EXPECT_EQ(getSectionName(p, s), Acad::eOk);
  EXPECT_EQ(s, "HEA200");
  EXPECT_EQ(getMaterial(p, s), Acad::eOk);
  EXPECT_EQ(s, "S235");
  EXPECT_EQ(getNamedPrpl(module("Members"), "Brace", p), Acad::eKeyNotFound);
  EXPECT_EQ(getNamedPrpl(module("Plate"), "Column", p), Acad::eInvalidInput);
}

TEST_F(MacroModel, BaseProfilesOpenThroughTheTransaction) {
  EXPECT_EQ(dbMacro->baseProfCount(), 2);
  Nx_DbProfile* profile = nullptr;
  ASSERT_EQ(dbMacro->getBaseProf(1, profile, tr.get()), Acad::eOk);
  Nx_String s;
  EXPECT_EQ(getSectionName(profile, s), Acad::eOk);
  EXPECT_EQ(s, "IPE300");
  EXPECT_EQ(dbMacro->getBaseProf(2, profile, tr.get()), Acad::eInvalidInput);
  EXPECT_EQ(dbMacro->getBaseProf(0, profile, nullptr), Acad::eInvalidInput);
}

TEST_F(MacroModel, GeneralVariables) {
  Nx_StringArray names;
  macro->getGeneralVariables(names);
  EXPECT_EQ(names, (Nx_StringArray{"gen_Height", "gen_Gap"}));
  EXPECT_DOUBLE_EQ(macro->generalVariableValue("GEN_HEIGHT"), 300.0);
  double v = -1;
  EXPECT_FALSE(macro->generalVariableValue("gen_Missing", v));
  EXPECT_EQ(v, -1);
  EXPECT_EQ(macro->setGeneralVariable("gen_Height", 310), Acad::eOk);
  EXPECT_EQ(macro->setGeneralVariable("gen_New", 1), Acad::eOk);
  macro->getGeneralVariables(names);
  EXPECT_EQ(names.length(), 3);
  EXPECT_DOUBLE_EQ(macro->generalVariableValue("gen_Height"), 310.0);
}

TEST_F(MacroModel, StandardsListKeepsItsOrder) {
  Nx_StringArray sheets, objects;
  macro->getStandards(sheets, objects);
  EXPECT_EQ(sheets, (Nx_StringArray{"EndPlate", "Childs/BoltGroup"}));
  EXPECT_EQ(objects, (Nx_StringArray{"q8RmT2vXk4LpZ7wN1cYb6HdJ", "Module.Bolts"}));
}

TEST_F(MacroModel, MacroCopiesOwnTheirModules) {
  Nx_Macro copy = *macro;
  Nx_Module* m = nullptr;
  ASSERT_EQ(copy.findModuleWrite("Plate", m), Acad::eOk);
  m->setName("Changed");
  EXPECT_EQ(module("Plate")->name(), "Plate");
  EXPECT_EQ(copy.moduleCount(), macro->moduleCount());
  EXPECT_EQ(asBoltModule(copy.module(2))->type(), kBoltModule);
  EXPECT_EQ(copy.addModule(std::make_unique<Nx_Module>("stiffener")), Acad::eInvalidInput);
}

}  // namespace
