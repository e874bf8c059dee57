// The rows of the host window's model-space list.
#include <gtest/gtest.h>

#include "apps/ss-host/listing/MacroListing.h"
#include "core/macro/Nx_Drawing.h"

TEST(MacroListing, ListsEveryMacroWithItsKindModulesAndStandards) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(drawing.load(SS_SOURCE_DIR "/examples/library/Macros/Connections.json", error))
      << error.c_str();
  std::vector<MacroListRow> rows = listMacros(drawing);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, "EP-101");
  EXPECT_EQ(rows[0].kind, "Endplate");
  EXPECT_EQ(rows[0].modules, "EndPlate, Bolts, Beam");
  EXPECT_EQ(rows[0].standards, "EndPlate");
  EXPECT_EQ(rows[3].standards, "BasePlate (BasePlate)");  // a sheet on a module group
  EXPECT_EQ(rows[2].id, drawing.findMacro("FP-201"));

  MacroListRow one;
  ASSERT_TRUE(listMacro(drawing, drawing.findMacro("BP-301"), one));
  EXPECT_EQ(one.name, "BP-301");
  EXPECT_FALSE(listMacro(drawing, AcDbObjectId(), one));
}

TEST(MacroListing, TextReachesTheWindowAsUtf8) {
  Nx_Drawing drawing;
  Nx_String error;
  ASSERT_TRUE(
      drawing.loadText(R"({"format": "connection-standards drawing", "version": 1, "macros": [)"
                       R"({"name": "Pl\u00e4tte", "kind": "K\u00f6pf", "modules": []}]})",
                       "d.json", error))
      << error.c_str();
  std::vector<MacroListRow> rows = listMacros(drawing);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].name, "Pl\xC3\xA4tte");
  EXPECT_EQ(rows[0].kind, "K\xC3\xB6pf");
  EXPECT_EQ(rows[0].modules, "");
  EXPECT_EQ(rows[0].standards, "");
}
