#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Nx_Settings.h"
#include "core/RowFile.h"
#include "core/sections/Nx_SectionTable.h"
#include "core/sections/Nx_SectionTableManager.h"

namespace {

namespace fs = std::filesystem;

Nx_Array<Nx_StringArray> rowsOf(std::initializer_list<Nx_StringArray> rows) {
  Nx_Array<Nx_StringArray> out(8);
  for (const auto& r : rows) out.append(r);
  return out;
}

// A library folder with a prof/ folder of two small tables.
class SectionTables : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = fs::temp_directory_path() / ("ss-section-tables-" + std::to_string(getpid()));
    fs::remove_all(lib);
    fs::create_directories(lib / "prof");
    ASSERT_TRUE(writeFile(
        (lib / "prof" / "HEA.pr").string(),
        rowsOf(
            {{"1"},
             {"SysName", "I/O", "English", "Dutch", "German", "French", "Korean", "h", "b"},
             {"HEA100", "1", "HEA 100", "HE 100 A", "HE 100 A", "HEA 100", "HEA 100", "96", "100"},
             {"HEA200", "0", "HEA 200", "HE 200 A", "IPBl 200", "HEA 200", "HEA 200", "190",
              "200"}})));
    // Four languages: the sixth header entry is no "Korean".
    ASSERT_TRUE(
        writeFile((lib / "prof" / "FL.pr").string(),
                  rowsOf({{"Prof/flat.dwg"},
                          {"SysName", "I/O", "English", "Dutch", "German", "French", "t", "w"},
                          {"FL10x100", "1", "FL 10x100", "Strip 10x100", "Fl 10x100", "Plat 10x100",
                           "10", "100"}})));
    savedLib = gSettings.libDir;
    gSettings.setLibDir(lib.string().c_str());
  }
  void TearDown() override {
    gSettings.libDir = savedLib;
    fs::remove_all(lib);
  }

  fs::path lib;
  Nx_String savedLib;
};

TEST_F(SectionTables, AnyNameInAnyLanguageGivesTheSystemName) {
  Nx_SectionTableManager m;
  Nx_String sys;
  EXPECT_TRUE(m.getSystemName("ipbl 200", sys));
  EXPECT_EQ(sys, "HEA200");
  EXPECT_TRUE(m.getSystemName("HEA100", sys));
  EXPECT_EQ(sys, "HEA100");
  EXPECT_TRUE(m.getSystemName("Strip 10x100", sys));
  EXPECT_EQ(sys, "FL10x100");
  EXPECT_FALSE(m.getSystemName("IPE300", sys));
  EXPECT_FALSE(m.getSystemName("", sys));
}

TEST_F(SectionTables, DimensionsCountFromZeroAfterTheLanguageColumns) {
  Nx_SectionTableManager m;
  Nx_String v;
  EXPECT_EQ(m.getSectionValue("HE 200 A", 1, v), Acad::eOk);
  EXPECT_EQ(v, "200");
  EXPECT_EQ(m.getSectionValue("FL10x100", 0, v), Acad::eOk);
  EXPECT_EQ(v, "10");
  EXPECT_EQ(m.getSectionValue("HEA200", 2, v), Acad::eInvalidInput);
  EXPECT_EQ(m.getSectionValue("HEA200", -1, v), Acad::eInvalidInput);
  EXPECT_EQ(m.getSectionValue("IPE300", 0, v), Acad::eKeyNotFound);
  Nx_StringArray names;
  EXPECT_EQ(m.getSectionColumnNames("HEA100", names), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"h", "b"}));
  EXPECT_EQ(m.getSectionColumnNames("FL 10x100", names), Acad::eOk);
  EXPECT_EQ(names, (Nx_StringArray{"t", "w"}));
}

TEST_F(SectionTables, TablesAreReplacedByName) {
  Nx_SectionTableManager m;
  EXPECT_TRUE(m.hasTable("hea"));
  EXPECT_EQ(m.addSectionTable("HEA.pr", "1", {"SysName", "English"}, {}), Acad::eInvalidInput);
  EXPECT_EQ(m.removeTable("HEA"), Acad::eOk);
  EXPECT_FALSE(m.hasTable("HEA"));
  EXPECT_EQ(m.removeTable("HEA"), Acad::eKeyNotFound);
  EXPECT_EQ(m.addSectionTable("HEA.pr", "1",
                              {"SysName", "English", "Dutch", "German", "French", "Korean", "h"},
                              rowsOf({{"HEA300", "HEA 300", "", "", "", "", "290"}})),
            Acad::eOk);
  Nx_String v;
  EXPECT_EQ(m.getSectionValue("HEA 300", 0, v), Acad::eOk);
  EXPECT_EQ(v, "290");
  EXPECT_EQ(m.getSectionValue("HEA100", 0, v), Acad::eKeyNotFound);
  EXPECT_EQ(m.table(1)->templateName(), "1");
}

TEST_F(SectionTables, FollowsTheLibraryUnlessAFolderWasLoaded) {
  Nx_SectionTableManager m;
  EXPECT_EQ(m.tableCount(), 2);
  gSettings.setLibDir((std::string(SS_SOURCE_DIR) + "/examples/library").c_str());
  Nx_String v;
  EXPECT_EQ(m.getSectionValue("IPE300", 0, v), Acad::eOk);
  EXPECT_EQ(v, "300");

  Nx_StringArray errors;
  EXPECT_TRUE(m.loadFolder((lib / "prof").string().c_str(), &errors));
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_EQ(m.getSectionValue("IPE300", 0, v), Acad::eKeyNotFound);
  EXPECT_FALSE(m.loadFolder((lib / "missing").string().c_str(), &errors));
  EXPECT_EQ(errors.length(), 1);
}

TEST_F(SectionTables, AFileWithoutHeaderIsRefusedWithItsName) {
  ASSERT_TRUE(writeFile((lib / "prof" / "Bad.pr").string(), rowsOf({{"1"}, {"Name", "h"}})));
  Nx_SectionTableManager m;
  Nx_StringArray errors;
  EXPECT_TRUE(m.loadFolder((lib / "prof").string().c_str(), &errors));
  ASSERT_EQ(errors.length(), 1);
  EXPECT_NE(errors[0].find("Bad.pr", true), -1);
  EXPECT_EQ(m.tableCount(), 2);
}

// Sizes are found by name through an index; it must answer as the scan of
// the rows did.
TEST(SectionTableNames, TheFirstRowOfANameWinsAndDimensionsAreNoNames) {
  Nx_SectionTable table(
      "UPN.pr", "1", {"SysName", "I/O", "English", "Dutch", "German", "French", "h"},
      rowsOf({{"UPN80", "1", "UPN 80", "U 80", "", "UPN 80", "80"},
              {"UPN100", "1", "UPN 100", "U 80", "U 100", "UPN 100", "100"},
              {"UPN120", "1", "upn 80", "U 120", "U 120", "UPN 120", "UPN120X"}}));
  EXPECT_EQ(table.findRow("U 80"), 0);    // also the Dutch name of the second row
  EXPECT_EQ(table.findRow("UPN 80"), 0);  // the third row's English name, in other case
  EXPECT_EQ(table.findRow("u 120"), 2);
  EXPECT_EQ(table.findRow("UPN120"), 2);
  EXPECT_EQ(table.findRow("100"), -1);      // a dimension
  EXPECT_EQ(table.findRow("UPN120X"), -1);  // a dimension
  EXPECT_EQ(table.findRow(""), -1);         // the second row's empty German name
  Nx_SectionTable copy;
  copy = table;
  EXPECT_EQ(copy.findRow("u 100"), 1);
}

}  // namespace
