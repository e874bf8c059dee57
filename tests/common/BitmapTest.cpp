#include <gtest/gtest.h>

#include <vector>

#include "common/KvBitmap.h"
#include "common/ModuleBitmaps.h"

namespace {
TEST(BitmapTest, ModuleCheckBoxBitmapsDecode) {
  KvBitmap checked, unchecked;
  ASSERT_TRUE(checked.loadResource(kCheckedBitmapId));
  ASSERT_TRUE(unchecked.loadResource(kUncheckedBitmapId));
  for (const KvBitmap* b : {&checked, &unchecked}) {
    EXPECT_EQ(b->width(), 13);
    EXPECT_EQ(b->height(), 13);
    EXPECT_EQ(b->pixel(0, 0), 0xFF808080u);  // frame
    EXPECT_EQ(b->pixel(2, 2), 0xFFFFFFFFu);  // inside
  }
  // Only the checked one carries the mark.
  int marked = 0;
  for (int y = 2; y < 11; ++y)
    for (int x = 2; x < 11; ++x) {
      EXPECT_EQ(unchecked.pixel(x, y), 0xFFFFFFFFu);
      marked += checked.pixel(x, y) == 0xFF000000u;
    }
  EXPECT_GT(marked, 10);
}

TEST(BitmapTest, UnknownResourceLeavesTheBitmapEmpty) {
  KvBitmap b;
  ASSERT_TRUE(b.loadResource(kCheckedBitmapId));
  EXPECT_FALSE(b.loadResource(1));
  EXPECT_FALSE(b.isLoaded());
  EXPECT_EQ(b.pixel(0, 0), 0u);
}

TEST(BitmapTest, ColourForms) {
  const char* const rows[] = {"3 1 3 1", ". c None", "o c #F80", "x c #102030", ".ox"};
  KvBitmap b;
  std::string error;
  ASSERT_TRUE(b.loadXpm(rows, &error)) << error;
  EXPECT_EQ(b.pixel(0, 0), 0u);
  EXPECT_EQ(b.pixel(1, 0), 0xFFFF8800u);
  EXPECT_EQ(b.pixel(2, 0), 0xFF102030u);
  EXPECT_EQ(b.pixel(3, 0), 0u);  // outside
}

TEST(BitmapTest, TwoCharactersPerPixel) {
  const char* const rows[] = {"2 2 2 2", "aa c black", "ab c white", "aaab", "abaa"};
  KvBitmap b;
  ASSERT_TRUE(b.loadXpm(rows));
  EXPECT_EQ(b.pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(b.pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.pixel(0, 1), 0xFFFFFFFFu);
}

// Malformed texts are refused with a reason and leave the bitmap as it was.
TEST(BitmapTest, MalformedXpmIsRefused) {
  const std::vector<std::vector<const char*>> cases = {
      {},
      {"not a header"},
      {"2 1 1 1", ". c #000000"},           // rows missing
      {"2 1 1 1", ". c #000000", "..."},    // row too long
      {"2 1 1 1", ". c #000000", ".x"},     // undefined colour
      {"2 1 1 1", ". c #00000G", ".."},     // bad hex digit
      {"2 1 1 1", ". c pink", ".."},        // unknown colour name
      {"2 1 1 1", ". s name", ".."},        // no colour key
      {"99999 1 1 1", ". c #000000", "."},  // too wide
      {"1 1 0 1", "."},                     // no colours
      {"1 1 1 9", ". c #000000", "."},      // too many characters per pixel
      {"1 1 1 1", nullptr, "."},            // missing line
  };
  for (const auto& rows : cases) {
    KvBitmap b;
    ASSERT_TRUE(b.loadResource(kUncheckedBitmapId));
    std::string error;
    EXPECT_FALSE(b.loadXpm(rows, &error)) << (rows.empty() || !rows[0] ? "" : rows[0]);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(b.width(), 13);
    EXPECT_EQ(b.pixel(2, 2), 0xFFFFFFFFu);
  }
}
}  // namespace
