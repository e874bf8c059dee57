#include <gtest/gtest.h>

#include "core/TabMappingData.h"
#include "core/macro/Nx_DbMacro.h"
#include "core/macro/Nx_Drawing.h"

namespace {
class TabMapping : public ::testing::Test {
 protected:
  void SetUp() override {
    Nx_String error;
    ASSERT_TRUE(drawing.load(SS_SOURCE_DIR "/examples/library/Macros/Connections.json", error));
    Nx_Drawing::setWorking(&drawing);
  }
  void TearDown() override { Nx_Drawing::setWorking(nullptr); }
  Nx_Drawing drawing;
};
}  // namespace

TEST_F(TabMapping, TakesTheMacrosStandardsAndGroupsAndStoresThemBack) {
  TabMappingData data;
  ASSERT_TRUE(data.initFromMacro(drawing.findMacro("EP-101")));
  EXPECT_EQ(data.sheetNames, (Nx_StringArray{"EndPlate"}));
  EXPECT_EQ(data.objectNames, (Nx_StringArray{"Q7mTz2KcR9wLx4VbN8jHd3Fs"}));
  EXPECT_EQ(data.groupNames, (Nx_StringArray{"EndPlate", "Bolts", "Beam"}));
  data.sheetNames.append("Checks");
  data.objectNames.append("Module.Bolts");
  ASSERT_TRUE(data.storeToMacro());
  TabMappingData again;
  ASSERT_TRUE(again.initFromMacro(drawing.findMacro("EP-101")));
  EXPECT_EQ(again.objectNames[1], "Module.Bolts");
  EXPECT_TRUE(TabMappingData::isModuleGroup(again.objectNames[1]));
  EXPECT_FALSE(again.initFromMacro(AcDbObjectId()));
}

TEST_F(TabMapping, GetMappingPrefersTheEntrysOwnObjectThenTheSheetsFirst) {
  TabMappingData data;
  data.sheetNames = {"A", "B", "A"};
  data.objectNames = {"keyA1", "keyB", "keyA2"};
  EXPECT_EQ(data.getMapping("A", 2), "keyA2");
  EXPECT_EQ(data.getMapping("a", 1), "keyA1");  // entry 1 is another sheet: A's first
  EXPECT_EQ(data.getMapping("C", 0), "");
  EXPECT_EQ(data.getMapping("B", 7), "keyB");
}
