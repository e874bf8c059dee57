#pragma once
// A library folder of its own for each test, with the designer root folder
// in it, and small BMP pictures made on the spot.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/Nx_Settings.h"
#include "designer/Nx_DlgDesignerData.h"
#include "tests/core/TempDir.h"

namespace designer_test {

// 24-bit BMP bytes; colour(x, y) gives 0xRRGGBB.
inline std::vector<std::uint8_t> bmpBytes(int w, int h,
                                          const std::function<std::uint32_t(int, int)>& colour) {
  const int stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * h);
  std::vector<std::uint8_t> b(size, 0);
  auto put32 = [&](size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  b[26] = 1, b[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = colour(x, y);
      const size_t p = 54 + static_cast<size_t>(stride) * (h - 1 - y) + 3 * x;
      b[p] = c & 0xFF, b[p + 1] = (c >> 8) & 0xFF, b[p + 2] = (c >> 16) & 0xFF;
    }
  return b;
}

class Library {
 public:
  Library() {
    previous_ = gSettings.libDir;
    gSettings.setLibDir(dir_.path());
    std::filesystem::create_directories(root());
  }
  ~Library() { gSettings.libDir = previous_; }

  std::string root() const { return getDesignerRootFolder().str(); }
  // A file under the root folder.
  std::string operator/(const std::string& name) const { return root() + name; }
  const TempDir& dir() const { return dir_; }

  void write(const std::string& name, const std::string& content) const {
    std::filesystem::create_directories(std::filesystem::path(*this / name).parent_path());
    std::ofstream(*this / name, std::ios::binary) << content;
  }
  void writeBmp(const std::string& name, int w, int h, std::uint32_t colour = 0x336699) const {
    auto bytes = bmpBytes(w, h, [colour](int, int) { return colour; });
    write(name, std::string(bytes.begin(), bytes.end()));
  }
  std::string read(const std::string& name) const {
    std::ifstream in(*this / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(*this / name); }

 private:
  TempDir dir_;
  Nx_String previous_;
};

}  // namespace designer_test
