#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/CspListFiles.h"
#include "tests/cuttingstock/CspTestLibrary.h"

namespace fs = std::filesystem;

TEST(CspListFiles, TheNextStockNumberFollowsTheLargest) {
  CspTestLibrary lib;
  std::string group = lib.group("Beams");
  fs::create_directories(group);
  EXPECT_EQ(nextStockFileName(group.c_str(), "shp").str(), group + "/Stock1.shp");
  for (const char* name : {"Stock1.shp", "Stock7.shp", "Other.shp", "Stock9.buy", "Stockx.shp"})
    lib.write("Cutting Stock/Beams/" + std::string(name), "");
  EXPECT_EQ(nextStockFileName(group.c_str(), "shp").str(), group + "/Stock8.shp");
  EXPECT_EQ(nextStockFileName(group.c_str(), "buy").str(), group + "/Stock10.buy");
}

TEST(CspListFiles, TheNewestFileIsProposedAndTheFirstOfEqualTimesWins) {
  CspTestLibrary lib;
  std::string group = lib.group("Beams");
  Nx_String path;
  EXPECT_FALSE(newestCspFile(group.c_str(), "shp", path));  // no folder yet
  auto now = fs::file_time_type::clock::now();
  for (const char* name : {"b.shp", "a.shp", "c.shp", "d.buy"}) {
    lib.write("Cutting Stock/Beams/" + std::string(name), "x");
    fs::last_write_time(group + "/" + name, now - std::chrono::hours(1));
  }
  ASSERT_TRUE(newestCspFile(group.c_str(), "shp", path));
  EXPECT_EQ(path.str(), group + "/a.shp");  // the folder search returns a.shp first
  fs::last_write_time(group + "/c.shp", now);
  ASSERT_TRUE(newestCspFile(group.c_str(), "shp", path));
  EXPECT_EQ(path.str(), group + "/c.shp");
}

TEST(CspListFiles, TheExtensionIsAddedUnlessTheNameEndsInIt) {
  EXPECT_EQ(withCspExtension("a/list.SHP", "shp"), "a/list.SHP");
  EXPECT_EQ(withCspExtension("a/list", "shp"), "a/list.shp");
  EXPECT_EQ(withCspExtension("a/list.txt", "buy"), "a/list.txt.buy");
}

TEST(CspListFiles, CellsAreJoinedBy0xBFAndNothingElse) {
  CspTestLibrary lib;
  Nx_Array<Nx_StringArray> rows;
  rows.append(Nx_StringArray{"HEA 200", "12000", "tab\there; semi"});
  rows.append(Nx_StringArray{"split\xBFhere", ""});
  ASSERT_TRUE(writeCspListFile((lib / "x.shp").c_str(), rows));
  EXPECT_EQ(lib.read("x.shp"),
            "HEA 200\xBF"
            "12000\xBFtab\there; semi\nsplit\xBFhere\xBF\n");
  Nx_Array<Nx_StringArray> back;
  ASSERT_TRUE(readCspListFile((lib / "x.shp").c_str(), back));
  ASSERT_EQ(back.length(), 2);
  EXPECT_EQ(back[0], rows[0]);
  EXPECT_EQ(back[1], (Nx_StringArray{"split", "here", ""}));
}

// A line's end is its \n with every \r before it: keeping all but one left
// them in the last cell, and each save and load lost one more.
TEST(CspListFiles, CarriageReturnsBeforeALinesEndAreNotKeptOrLost) {
  CspTestLibrary lib;
  lib.write("Cutting Stock/Beams/Stock1.shp",
            "H30100\xBF"
            "103.00\r\r\r\nIPE200\xBF"
            "6000\r\r");
  const std::string group = lib.group("Beams");
  Nx_Array<Nx_StringArray> rows, again;
  Nx_String error;
  ASSERT_TRUE(readCspListFile((group + "/Stock1.shp").c_str(), rows, &error)) << error.str();
  ASSERT_EQ(rows.length(), 2);
  EXPECT_EQ(rows[0][1], "103.00");
  EXPECT_EQ(rows[1][1], "6000");
  ASSERT_TRUE(writeCspListFile((group + "/Stock2.shp").c_str(), rows, &error)) << error.str();
  ASSERT_TRUE(readCspListFile((group + "/Stock2.shp").c_str(), again, &error)) << error.str();
  ASSERT_EQ(again.length(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(again[i] == rows[i]) << "row " << i;
}
