// Picture sizes read from file headers (the picture cells size their row by them).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "spreadsheet/ImageFileSize.h"

namespace {
std::string writeFile(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::string path = ::testing::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path;
}

struct Sized {
  bool ok;
  int width = 0, height = 0;
};
Sized sizeOf(const std::string& name, const std::vector<unsigned char>& bytes) {
  std::string path = writeFile(name, bytes);
  Sized s{false};
  s.ok = readImageFileSize(path, s.width, s.height);
  std::remove(path.c_str());
  return s;
}
}  // namespace

TEST(ImageFileSize, ReadsTheFourUsualFormats) {
  std::vector<unsigned char> bmp(54, 0);
  bmp[0] = 'B', bmp[1] = 'M', bmp[18] = 0x20, bmp[22] = 0xF0, bmp[23] = 0xFF, bmp[24] = 0xFF,
  bmp[25] = 0xFF;  // height -16: rows from the top
  Sized s = sizeOf("a.bmp", bmp);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.width, 32);
  EXPECT_EQ(s.height, 16);

  std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', 13,  10,  26, 10, 0, 0,
                                    0,    13,  'I', 'H', 'D', 'R', 0,  0,  1, 0,
                                    0,    0,   0,   200, 8,   6,   0,  0,  0, 0};
  s = sizeOf("a.png", png);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.width, 256);
  EXPECT_EQ(s.height, 200);

  std::vector<unsigned char> gif = {'G', 'I', 'F', '8', '9', 'a', 10, 0, 20, 0, 0, 0};
  s = sizeOf("a.gif", gif);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.width, 10);
  EXPECT_EQ(s.height, 20);

  // An application segment before the frame, as cameras write them.
  std::vector<unsigned char> jpg = {0xFF, 0xD8, 0xFF, 0xE0, 0,  6, 'J', 'F', 'I', 'F', 0xFF, 0xC0,
                                    0,    11,   8,    0,    48, 0, 64,  3,   1,   0,   0,    0,
                                    0,    0,    0,    0,    0,  0, 0,   0,   0,   0};
  s = sizeOf("a.jpg", jpg);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.width, 64);
  EXPECT_EQ(s.height, 48);
}

TEST(ImageFileSize, RefusesOtherAndBrokenFiles) {
  int w = 0, h = 0;
  EXPECT_FALSE(readImageFileSize("/no/such/file.png", w, h));
  EXPECT_FALSE(sizeOf("text.png", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}).ok);
  EXPECT_FALSE(sizeOf("short.gif", {'G', 'I', 'F'}).ok);
  // A JPEG whose segment lengths run off the end.
  EXPECT_FALSE(sizeOf("cut.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 1, 0, 0, 0, 0, 0, 0}).ok);
}

TEST(ImageFileSize, RefusesHostileHeadersAndFilesThatAreNoFiles) {
  std::vector<unsigned char> bmp(54, 0);
  bmp[0] = 'B', bmp[1] = 'M', bmp[18] = 8, bmp[25] = 0x80;  // height -2^31
  EXPECT_FALSE(sizeOf("lowest.bmp", bmp).ok);
  int w = 0, h = 0;
  EXPECT_FALSE(readImageFileSize(::testing::TempDir(), w, h));
  // A pipe without a writer: refused at once, not waited on.
  const std::string fifo = ::testing::TempDir() + "/picture.png";
  std::remove(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(readImageFileSize(fifo, w, h));
  std::remove(fifo.c_str());
}
