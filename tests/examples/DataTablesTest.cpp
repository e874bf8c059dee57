#include <gtest/gtest.h>

#include <set>

#include "core/StringHelpers.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "tests/examples/SampleLibrary.h"

namespace {

const int kBoltSizes[] = {12, 16, 20, 24, 27, 30};
const int kAnchorSizes[] = {16, 20, 24, 27, 30};

double number(const std::string& text) {
  double v = 0;
  EXPECT_TRUE(Nx_String(text).toDouble(v)) << "\"" << text << "\" is no number";
  return v;
}

// GETCELL joins its keys with ";" and writes numbers as the core does:
// no decimals for whole numbers.
std::string key(int diameter, const char* quantity) {
  return std::to_string(diameter) + ";" + quantity;
}

TEST(DataTables, LookupTablesHoldOneNumberPerKey) {
  for (const char* file : {"BoltSpacing.txt", "AnchorSpacing.txt", "BoltDiameterByBeam.txt",
                           "AnchorByColumn.txt", "SteelGrades.txt"}) {
    SCOPED_TRACE(file);
    auto map = sample::readLookupMap(file);
    EXPECT_FALSE(map.empty());
    for (const auto& [k, v] : map) EXPECT_GT(number(v), 0) << k;
  }
}

TEST(DataTables, BoltSpacingMeetsTheMinimaAndKeepsThePitchOnTheChildsStep) {
  auto spacing = sample::readLookupMap("BoltSpacing.txt");
  for (int d : kBoltSizes) {
    SCOPED_TRACE("M" + std::to_string(d));
    for (const char* q : {"Hole", "End", "Edge", "Pitch", "Clear"})
      ASSERT_TRUE(spacing.count(key(d, q))) << key(d, q);
    double hole = number(spacing[key(d, "Hole")]);
    EXPECT_GE(hole - d, 1);
    EXPECT_LE(hole - d, 3);
    EXPECT_GE(number(spacing[key(d, "End")]), 1.2 * hole);
    EXPECT_GE(number(spacing[key(d, "Edge")]), 1.2 * hole);
    double pitch = number(spacing[key(d, "Pitch")]);
    EXPECT_GE(pitch, 2.2 * hole);
    // BoltGroup.kvs rounds the pitch down to 5 mm; a minimum off that step
    // would let the rounded pitch fall below it.
    EXPECT_EQ(static_cast<int>(pitch) % 5, 0);
  }
  auto anchors = sample::readLookupMap("AnchorSpacing.txt");
  for (int d : kAnchorSizes)
    for (const char* q : {"Hole", "Edge", "Clear"})
      EXPECT_TRUE(anchors.count(key(d, q))) << key(d, q);
}

// Every section of the tables has a bolt (and, for columns, an anchor)
// diameter, and every diameter has its spacing rules.
TEST(DataTables, EverySectionHasADiameterWithSpacingRules) {
  auto bolts = sample::readLookupMap("BoltDiameterByBeam.txt");
  auto anchors = sample::readLookupMap("AnchorByColumn.txt");
  auto spacing = sample::readLookupMap("BoltSpacing.txt");
  auto anchorSpacing = sample::readLookupMap("AnchorSpacing.txt");
  std::set<std::string> displayNames;
  for (const char* family : {"IPE", "HEA", "HEB"}) {
    sample::SectionTable t = sample::readSectionTable(family);
    double previous = 0;
    for (int r = 0; r < t.sizeCount(); ++r) {
      std::string name = t.size(r)[2].str();  // display name, first language
      displayNames.insert(name);
      ASSERT_TRUE(bolts.count(name)) << name << " has no bolt diameter";
      double d = number(bolts[name]);
      EXPECT_GE(d, previous) << name << ": bolts grow with the section";
      previous = d;
      EXPECT_TRUE(spacing.count(key(static_cast<int>(d), "Pitch"))) << name;
      if (family[0] == 'H') {
        ASSERT_TRUE(anchors.count(name)) << name << " has no anchor diameter";
        EXPECT_TRUE(anchorSpacing.count(key(static_cast<int>(number(anchors[name])), "Edge")));
      }
    }
  }
  // GETPROFCELL reads each name as the section tables' system name.
  Nx_SectionTableManager tables;
  ASSERT_TRUE(tables.loadFolder(sample::libraryDir() + "prof/"));
  Nx_String sysName;
  for (const auto& [name, d] : bolts) EXPECT_TRUE(tables.getSystemName(name, sysName)) << name;
  for (const auto& [name, d] : anchors) EXPECT_TRUE(tables.getSystemName(name, sysName)) << name;
  EXPECT_EQ(displayNames.size(), bolts.size());
}

TEST(DataTables, SizeTablesHoldPositiveSizes) {
  std::set<std::pair<double, double>> bars;
  for (const std::string& line : sample::readSizeLines("FlatBars.txt")) {
    Nx_String width, thickness;
    ASSERT_TRUE(splitStringAtSymbol(line, 'x', width, thickness, true)) << line;
    double w = number(width.str()), t = number(thickness.str());
    EXPECT_GT(w, t) << line;
    EXPECT_GT(t, 0) << line;
    EXPECT_TRUE(bars.insert({w, t}).second) << line << " twice";
  }
  EXPECT_GT(bars.size(), 50u);

  double previous = 0;
  for (const std::string& line : sample::readSizeLines("BasePlateSizes.txt")) {
    double size = number(line);
    EXPECT_GT(size, previous) << "ascending: " << line;
    previous = size;
  }
}

}  // namespace
