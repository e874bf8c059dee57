#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

TEST_F(MacroDataTest, WritesToTheMacroOfTheWorkingDrawing) {
  Nx_Drawing::setWorking(nullptr);
  EXPECT_FALSE(data.setAllToMacro());
  EXPECT_FALSE(data.reApply());
  Nx_Drawing::setWorking(&drawing);

  MacroData edited;
  edited.macroId = data.macroId;
  MacroTabData bolts = *tab("Bolts");
  bolts.getBoltData()->diameter = "24";
  edited.tabs.append(bolts);
  edited.tabs.append(MacroTabData("Extra", "Extra", kTabGrid));
  ASSERT_TRUE(edited.setAllToMacro());

  AcTransaction tr(drawing.database());
  Nx_DbMacro* m = nullptr;
  ASSERT_EQ(tr.getObject(m, data.macroId, AcDb::kForRead), Acad::eOk);
  MacroData stored;
  m->getMacroData(stored);
  EXPECT_EQ(stored.tabCount(), 4);  // the three tabs, one replaced, and the new one
  EXPECT_EQ(stored.getTab(stored.findTab("Bolts"))->getBoltData()->diameter, "24");
  EXPECT_EQ(stored.names, data.names);

  ASSERT_TRUE(edited.reApply());
  m->getMacroData(stored);
  EXPECT_EQ(stored.tabCount(), 2);
  Nx_Drawing::setWorking(nullptr);
}

TEST_F(MacroDataTest, LoadFromStandardsGoesThroughTheInstalledRunner) {
  MacroData::setStandardsRunner(nullptr);
  EXPECT_FALSE(data.loadFromStandards());
  int runs = 0;
  MacroData::setStandardsRunner([&runs](MacroData& d) {
    ++runs;
    d.getTab(0)->title = "Run";
    return true;
  });
  EXPECT_TRUE(data.loadFromStandards());
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(data.getTab(0)->title, "Run");
  MacroData::setStandardsRunner(nullptr);
}

TEST_F(MacroDataTest, PropertyFilesCarryTabValues) {
  auto dir = std::filesystem::temp_directory_path() / ("ss-macro-properties-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  Nx_String path = (dir / "p.json").string().c_str();
  ASSERT_TRUE(data.writeToFile(path));

  MacroData other = data;
  other.getTab(other.findTab("Bolts"))->getBoltData()->diameter = "30";
  other.getTab(other.findTab("Profiles"))->title = "Own title";
  other.tabs.removeAt(other.findTab("Plates"));
  int count = -1;
  ASSERT_TRUE(other.readFromFile(path, count));
  EXPECT_EQ(count, 2);  // the file's Plates tab has no counterpart
  EXPECT_EQ(other.getTab(other.findTab("Bolts"))->getBoltData()->diameter, "20");
  EXPECT_EQ(other.getTab(other.findTab("Profiles"))->title, "Own title");

  // What changed against the data before, and only that, stays.
  MacroData before = data;
  data.getTab(data.findTab("Bolts"))->getBoltData()->holeOffset = "3";
  EXPECT_EQ(data.differences(before), 1);
  data.removeAll();
  ASSERT_EQ(data.tabCount(), 1);
  EXPECT_EQ(data.getTab(0)->name, "Bolts");

  std::ofstream(dir / "bad.json")
      << R"({"format": "macro properties", "version": 1, "tabs": [{"title": "x"}]})";
  Nx_String error;
  EXPECT_FALSE(other.readFromFile((dir / "bad.json").string().c_str(), count, &error));
  EXPECT_NE(error.find("bad.json: /tabs/0: missing key \"name\"", true), -1) << error.str();
  EXPECT_FALSE(other.readFromFile((dir / "none.json").string().c_str(), count, &error));
  std::filesystem::remove_all(dir);
}

}  // namespace
