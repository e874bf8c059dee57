#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A bitmap of the module: pixels as 0xAARRGGBB, row by row from the top.
// The module's bitmap resources are XPM texts compiled into the library, so
// they are found wherever the library is loaded from.
class KvBitmap {
 public:
  // Decodes the bitmap resource with this id; false (and empty) when the
  // module has no such resource.
  bool loadResource(int id);
  // Decodes XPM rows (header, colours, pixel rows); false with the reason
  // when they are malformed, leaving the bitmap as it was.
  bool loadXpm(std::span<const char* const> rows, std::string* error = nullptr);
  void release();

  bool isLoaded() const { return width_ > 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel, or 0 outside the bitmap.
  std::uint32_t pixel(int x, int y) const;
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};
