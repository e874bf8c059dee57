#include <gtest/gtest.h>

#include "designer/Nx_DesignerPicture.h"
#include "tests/designer/DesignerTestLibrary.h"

using designer_test::bmpBytes;

TEST(DesignerPicture, WhiteBecomesTransparentThroughTheMask) {
  auto bytes = bmpBytes(3, 2, [](int x, int y) { return x == 1 && y == 0 ? 0xFFFFFF : 0x102030; });
  Nx_DesignerPicture p;
  ASSERT_TRUE(p.loadBytes(bytes));
  EXPECT_EQ(p.width(), 3);
  EXPECT_EQ(p.height(), 2);
  EXPECT_TRUE(p.isTransparent(1, 0));
  EXPECT_FALSE(p.isTransparent(1, 1));
  EXPECT_EQ(p.pixels()[1], 0u);  // black and clear
  EXPECT_EQ(p.pixels()[0], 0xFF102030u);
  EXPECT_EQ(p.pixels()[3], 0xFF102030u);  // rows from the top, whatever the file's order
}

TEST(DesignerPicture, PalettedTopDownPicture) {
  // 8 bits, two colours, stored top down (negative height).
  std::vector<std::uint8_t> b(54 + 8 + 4 * 2, 0);
  auto put32 = [&](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(10, 62);
  put32(14, 40);
  put32(18, 2);
  put32(22, static_cast<std::uint32_t>(-2));
  b[26] = 1, b[28] = 8;
  put32(46, 2);
  put32(54, 0x00FF0000);  // red
  put32(58, 0x00FFFFFF);  // white
  b[62] = 0, b[63] = 1;   // top row: red, white
  b[66] = 1, b[67] = 0;
  Nx_DesignerPicture p;
  ASSERT_TRUE(p.loadBytes(b));
  EXPECT_EQ(p.pixels()[0], 0xFFFF0000u);
  EXPECT_TRUE(p.isTransparent(1, 0));
  EXPECT_TRUE(p.isTransparent(0, 1));
}

TEST(DesignerPicture, DamagedFilesAreRefusedWithAReason) {
  Nx_DesignerPicture p;
  std::string why;
  EXPECT_FALSE(p.loadBytes({'G', 'I', 'F', '8'}, &why));
  EXPECT_EQ(why, "not a BMP picture");
  auto bytes = bmpBytes(10, 10, [](int, int) { return 0; });
  bytes.resize(bytes.size() - 5);
  EXPECT_FALSE(p.loadBytes(bytes, &why));
  EXPECT_NE(why.find("cut short"), std::string::npos);
  auto huge = bmpBytes(1, 1, [](int, int) { return 0; });
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
  EXPECT_FALSE(p.loadBytes(huge, &why));
  EXPECT_FALSE(p.isLoaded());
  EXPECT_FALSE(p.load("/nonexistent/picture.bmp", &why));
}
