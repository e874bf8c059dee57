// Reading the look-up and size files of the standards functions.
#include "standards/DataFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "tests/standards/FunctionsFixture.h"

using namespace ssfunctions;

namespace {

Nx_StringArray lines(std::initializer_list<Nx_String> items) {
  return Nx_StringArray(items);
}

TEST(DataFiles, LookupLines) {
  LookupTable t = parseLookupLines(lines({"// header", "", "   // indented comment", "a\tb\tc",
                                          "key // note", "x\t\t", " y \t 1 // c", "\t2"}));
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0], lines({"a", "b", "c"}));
  EXPECT_EQ(t[1], lines({"key"}));
  EXPECT_EQ(t[2], lines({"x", "", ""}));
  EXPECT_EQ(t[3], lines({"y", "1"}));
  EXPECT_EQ(t[4], lines({"", "2"}));
}

TEST(DataFiles, SizeLines) {
  SizeTable t = parseSizeLines(
      lines({"/* header */", "200x10", "300", " 150 x 8.5 // flat", "/* a */ 120x6 /* b */",
             "// 999x9", "", "250X12", "400 /* unclosed", "abc"}));
  ASSERT_EQ(t.size(), 7u);
  auto is = [](const SizeLine& l, double first, double second) {
    return l.first == first && l.second == second;
  };
  EXPECT_TRUE(is(t[0], 200, 10));
  EXPECT_TRUE(is(t[1], 300, 0));
  EXPECT_TRUE(is(t[2], 150, 8.5));
  EXPECT_TRUE(is(t[3], 120, 6));
  EXPECT_TRUE(is(t[4], 250, 12));
  EXPECT_TRUE(is(t[5], 400, 0));
  EXPECT_TRUE(is(t[6], 0, 0));  // as atof reads it
}

class DataFileSearch : public FunctionsFixture {};

TEST_F(DataFileSearch, OrderOfFolders) {
  Nx_String path;
  EXPECT_FALSE(findDataFile("Plates.txt", path));
  EXPECT_FALSE(findDataFile("", path));
  EXPECT_FALSE(findDataFile("Connection Standards", path));  // a folder is no file
  const std::string lib = lib_.path() + "/";
  lib_.write("Plates.txt", "1");
  ASSERT_TRUE(findDataFile("Plates.txt", path));
  EXPECT_EQ(path.str(), lib + "Plates.txt");
  lib_.write("Connection Standards/Plates.txt", "1");
  ASSERT_TRUE(findDataFile("Plates.txt", path));
  EXPECT_EQ(path.str(), lib + "Connection Standards/Plates.txt");
  writeData("Plates.txt", "1");
  ASSERT_TRUE(findDataFile("Plates.txt", path));
  EXPECT_EQ(path.str(), lib + "Connection Standards/Data/Plates.txt");
  const std::string full = lib + "Other.txt";
  lib_.write("Other.txt", "1");
  ASSERT_TRUE(findDataFile(full, path));
  EXPECT_EQ(path.str(), full);
}

TEST_F(DataFileSearch, ParsedFilesAreKeptUntilTheyChange) {
  writeData("Grades.txt", "S235\t235\n");
  const std::string file = lib_ / "Connection Standards/Data/Grades.txt";
  // A file that has not changed for a while.
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(file, old);
  auto first = readLookupFile("Grades.txt");
  ASSERT_TRUE(first);
  EXPECT_EQ(readLookupFile("Grades.txt"), first);  // the same parse, not read again

  // Rewritten in place with the same size and time: indistinguishable, so
  // the parse is kept (what the cache relies on).
  writeData("Grades.txt", "S235\t240\n");
  std::filesystem::last_write_time(file, old);
  EXPECT_EQ(readLookupFile("Grades.txt"), first);

  // Any change of time is seen.
  std::filesystem::last_write_time(file, old + std::chrono::seconds(1));
  auto second = readLookupFile("Grades.txt");
  ASSERT_TRUE(second);
  EXPECT_NE(second, first);
  EXPECT_EQ((*second)[0][1].str(), "240");

  // A size file is parsed on its own, from the same path.
  auto sizes = readSizeFile("Grades.txt");
  ASSERT_TRUE(sizes);
  EXPECT_EQ(sizes->size(), 1u);

  std::filesystem::remove(file);
  EXPECT_FALSE(readLookupFile("Grades.txt"));
  EXPECT_FALSE(readSizeFile("Grades.txt"));
}

TEST_F(DataFileSearch, FreshFilesAreReadEachTime) {
  // Written just now: a second write within the file clock's resolution
  // would keep the stamp, so nothing is trusted yet.
  writeData("Fresh.txt", "a\t1\n");
  auto first = readLookupFile("Fresh.txt");
  writeData("Fresh.txt", "a\t2\n");
  auto second = readLookupFile("Fresh.txt");
  ASSERT_TRUE(first && second);
  EXPECT_EQ((*second)[0][1].str(), "2");
}

TEST_F(DataFileSearch, WithoutLibraryOnlyTheNameItself) {
  writeData("Plates.txt", "1");
  gSettings.libDir.setEmpty();
  Nx_String path;
  EXPECT_FALSE(findDataFile("Plates.txt", path));
  EXPECT_TRUE(findDataFile(Nx_String(lib_ / "Connection Standards/Data/Plates.txt"), path));
}

}  // namespace
