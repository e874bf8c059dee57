// The computed section properties against the sample library's rolled
// sections, and the outlines they are computed from.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/RowFile.h"
#include "core/sections/SectionProperties.h"

namespace {
double property(const std::vector<SectionProperty>& props, const std::string& name) {
  for (const SectionProperty& p : props)
    if (p.name == name) return p.value;
  ADD_FAILURE() << "no property " << name;
  return 0;
}

// Every value column of every row that the computation covers must agree
// with the table within 1%.
void expectTableAgrees(const std::string& table) {
  Nx_String name;
  Nx_Array<Nx_StringArray> rows;
  Nx_String error;
  ASSERT_TRUE(readFile(Nx_String(SS_SOURCE_DIR "/examples/library/prof/" + table + ".pr"), name,
                       rows, &error))
      << error.c_str();
  ASSERT_GE(rows.length(), 3);
  const int firstValue = 7;  // SysName, I/O, five languages
  Nx_StringArray columns;
  for (int i = firstValue; i < rows[1].length(); ++i) columns.append(rows[1][i]);
  int checked = 0;
  for (int r = 2; r < rows.length(); ++r) {
    Nx_StringArray values;
    for (int i = firstValue; i < rows[r].length(); ++i) values.append(rows[r][i]);
    std::vector<SectionPropertyCheck> checks = checkSectionProperties(1, columns, values);
    EXPECT_EQ(checks.size(), 14u) << rows[r][0].c_str();
    for (const SectionPropertyCheck& c : checks) {
      EXPECT_FALSE(c.differs(0.01)) << rows[r][0].c_str() << " " << c.name << ": table " << c.table
                                    << ", computed " << c.computed;
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}
}  // namespace

TEST(SectionPropertiesTest, SampleRolledSectionsAgreeWithinOnePercent) {
  expectTableAgrees("IPE");
  expectTableAgrees("HEA");
  expectTableAgrees("HEB");
}

TEST(SectionPropertiesTest, SimpleShapesMatchClosedForms) {
  // Plate 200 x 20: A = 40 cm2, Iy = b t^3 / 12, Wpl = b t^2 / 4.
  auto plate = computeShapeProperties(8, {200, 20});
  EXPECT_NEAR(property(plate, "A"), 40, 1e-9);
  EXPECT_NEAR(property(plate, "Iy"), 200.0 * 8000 / 12 / 1e4, 1e-9);
  EXPECT_NEAR(property(plate, "Iz"), 20.0 * 8e6 / 12 / 1e4, 1e-6);
  EXPECT_NEAR(property(plate, "Wply"), 200.0 * 400 / 4 / 1e3, 1e-6);
  EXPECT_NEAR(property(plate, "AL"), 0.44, 1e-9);
  // Round tube 100 x 5: exact ring values within the chords' error.
  auto tube = computeShapeProperties(11, {100, 5});
  const double pi = std::numbers::pi;
  double a = pi * (50.0 * 50 - 45.0 * 45);
  double i = pi / 4 * (std::pow(50.0, 4) - std::pow(45.0, 4));
  double wpl = 4.0 / 3 * (std::pow(50.0, 3) - std::pow(45.0, 3));
  EXPECT_NEAR(property(tube, "A"), a / 100, a / 100 * 1e-3);
  EXPECT_NEAR(property(tube, "Iy"), i / 1e4, i / 1e4 * 1e-3);
  EXPECT_NEAR(property(tube, "Wply"), wpl / 1e3, wpl / 1e3 * 1e-3);
  EXPECT_NEAR(property(tube, "Iy"), property(tube, "Iz"), 1e-6);
}

TEST(SectionPropertiesTest, UnsymmetricSectionsUseTheirOwnAxes) {
  // An angle 100 x 100 x 10 without radius: centroid 28.2 mm from the back,
  // Iy = 180 cm4 about its centroid axis; the plastic axis halves the area.
  auto l = computeShapeProperties(2, {100, 100, 10, 0});
  EXPECT_NEAR(property(l, "A"), 19.0, 1e-9);
  double c = (100.0 * 10 * 5 + 90.0 * 10 * 55) / 1900;
  double iy = 100.0 * 1000 / 12 + 1000 * std::pow(c - 5, 2) + 10.0 * 729000 / 12 +
              900 * std::pow(55 - c, 2);
  EXPECT_NEAR(property(l, "Iy"), iy / 1e4, 1e-6);
  EXPECT_NEAR(property(l, "Wely"), iy / (100 - c) / 1e3, 1e-6);
  // Plastic axis at y = 9.5 (within the horizontal leg): moments of both halves.
  double wpl = 100 * 9.5 * 9.5 / 2 + 100 * 0.5 * 0.5 / 2 + 10 * 90 * (45 + 0.5);
  EXPECT_NEAR(property(l, "Wply"), wpl / 1e3, 1e-4);
}

TEST(SectionPropertiesTest, ImpossibleDimensionsGiveNoOutline) {
  EXPECT_TRUE(sectionOutline(1, {100, 50, 5, 60, 5}).isEmpty());  // flanges overlap
  EXPECT_TRUE(sectionOutline(11, {100, 50}).isEmpty());           // wall fills the tube
  EXPECT_TRUE(sectionOutline(1, {100, 50}).isEmpty());            // too few values
  EXPECT_TRUE(sectionOutline(99, {100}).isEmpty());
  EXPECT_TRUE(computeShapeProperties(1, {0, 50, 5, 8, 5}).empty());
}

TEST(SectionPropertiesTest, EveryShapeNumberHasAPicture) {
  for (int shape = 1; shape <= 24; ++shape) {
    auto props = computeSectionProperties(sectionOutline(shape, typicalDimensions(shape)));
    ASSERT_FALSE(props.empty()) << shape;
    EXPECT_GT(property(props, "A"), 0) << shape;
  }
}

TEST(SectionPropertiesTest, DimensionsAreFoundByNameOrPosition) {
  Nx_StringArray names{"G", "h", "b", "t", "tf", "r"};
  Nx_StringArray values{"1", "200", "100", "6", "9", "12"};
  // "tw" is read from "t".
  EXPECT_EQ(shapeDimensions(1, names, values), (std::vector<double>{200, 100, 6, 9, 12}));
  // Names the shape does not know: by position.
  EXPECT_EQ(
      shapeDimensions(2, Nx_StringArray{"x1", "x2", "x3"}, Nx_StringArray{"80", "60", "oops"}),
      (std::vector<double>{80, 60, 0, 0}));
}
