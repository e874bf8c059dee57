// The section pictures: what the generator draws, and that the sample
// library's icons are exactly its output.
#include "core/sections/SectionPicture.h"

#include <gtest/gtest.h>

#include "core/FileHelpers.h"
#include "core/sections/SectionProperties.h"
#include "tests/core/TempDir.h"

TEST(SectionPictureTest, BmpHeaderAndRowsAreThoseOfTheFormat) {
  SectionImage image = drawSectionPicture(sectionOutline(9, {100}), 7, false);
  std::string bmp = encodeBmp(image).str();
  ASSERT_EQ(bmp.size(), 54u + 7 * 24);  // rows of 21 bytes padded to 24
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24);  // bits per pixel
  // The first row of the file is the bottom of the picture: white corners.
  EXPECT_EQ(static_cast<unsigned char>(bmp[54]), 255);
}

TEST(SectionPictureTest, SectionIsFilledWithHolesLeftOpen) {
  SectionImage tube = drawSectionPicture(sectionOutline(11, {100, 10}), 40, false);
  auto grey = [&](int x, int y) { return tube.pixel(x, y)[0] != 255; };
  EXPECT_FALSE(grey(0, 0));    // outside
  EXPECT_FALSE(grey(20, 20));  // the hole
  EXPECT_TRUE(grey(20, 5));    // the wall
}

TEST(SectionPictureTest, HatchingStaysInsideTheSection) {
  SectionOutline plate = sectionOutline(8, {100, 20});
  std::vector<SectionPoint> hatch = hatchSegments(plate, 5);
  ASSERT_FALSE(hatch.empty());
  ASSERT_EQ(hatch.size() % 2, 0u);
  for (const SectionPoint& p : hatch) {
    EXPECT_GE(p.x, -50.001);
    EXPECT_LE(p.x, 50.001);
    EXPECT_GE(p.y, -10.001);
    EXPECT_LE(p.y, 10.001);
  }
}

TEST(SectionPictureTest, SampleLibraryIconsAreTheGeneratorsOutput) {
  TempDir dir;
  Nx_StringArray errors;
  EXPECT_EQ(writeShapePictures(dir.path(), errors), 50);
  EXPECT_TRUE(errors.isEmpty());
  for (int shape = 0; shape <= 24; ++shape) {
    std::string base =
        shape == 0 ? "Unknown" : std::string("ProfSection") + sectionShapeName(shape);
    for (const char* size : {"-small.bmp", "-big.bmp"}) {
      Nx_String fresh, committed;
      ASSERT_TRUE(readTextFile(dir / (base + size), fresh));
      ASSERT_TRUE(readTextFile(SS_SOURCE_DIR "/examples/library/icons/" + base + size, committed))
          << base << size << ": run scripts/section-pictures.sh";
      EXPECT_TRUE(fresh == committed) << base << size << ": run scripts/section-pictures.sh";
    }
  }
}
