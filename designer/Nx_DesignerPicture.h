#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The background picture of a design: an uncompressed BMP file (1, 4, 8, 24
// or 32 bits per pixel) decoded into memory, with a one-bit mask in which
// every white pixel is transparent. The pixels keep the mask in their alpha
// (white ones are black and fully transparent), so the picture is drawn
// over the dialog's face in one call.
class Nx_DesignerPicture {
 public:
  // False with the reason when the file is missing, not a BMP or damaged;
  // the picture is then empty.
  bool load(const std::string& path, std::string* error = nullptr);
  bool loadBytes(const std::vector<std::uint8_t>& bytes, std::string* error = nullptr);
  void clear();

  bool isLoaded() const { return width_ > 0 && height_ > 0; }
  int width() const { return width_; }
  int height() const { return height_; }
  // 0xAARRGGBB, rows from the top.
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  // One bit per pixel, rows from the top, each row padded to whole bytes;
  // a set bit is a transparent pixel.
  bool isTransparent(int x, int y) const;
  const std::vector<std::uint8_t>& mask() const { return mask_; }

  // Largest side accepted: a larger picture is taken for a damaged file.
  static constexpr int kMaxSide = 8192;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::vector<std::uint8_t> mask_;
};
