#include "designer/Nx_DesignerPicture.h"

#include <fstream>
#include <iterator>

namespace {
std::uint32_t u32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t u16(const std::vector<std::uint8_t>& b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
bool fail(std::string* error, const char* why) {
  if (error) *error = why;
  return false;
}
}  // namespace

void Nx_DesignerPicture::clear() {
  width_ = height_ = 0;
  pixels_.clear();
  mask_.clear();
}

bool Nx_DesignerPicture::load(const std::string& path, std::string* error) {
  clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(error, "the picture file cannot be opened");
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  return loadBytes(bytes, error);
}

bool Nx_DesignerPicture::loadBytes(const std::vector<std::uint8_t>& b, std::string* error) {
  clear();
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail(error, "not a BMP picture");
  const std::uint32_t dataAt = u32(b, 10);
  const std::uint32_t headerSize = u32(b, 14);
  if (headerSize < 40 || 14 + static_cast<size_t>(headerSize) > b.size())
    return fail(error, "not a BMP picture (unknown header)");
  const std::int32_t w = static_cast<std::int32_t>(u32(b, 18));
  const std::int32_t rawH = static_cast<std::int32_t>(u32(b, 22));
  const int bits = u16(b, 28);
  const std::uint32_t compression = u32(b, 30);
  std::uint32_t colours = u32(b, 46);
  const bool topDown = rawH < 0;
  const long long h = topDown ? -static_cast<long long>(rawH) : rawH;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
    return fail(error, "the BMP picture has an impossible size");
  if (compression != 0 && !(compression == 3 && bits == 32))
    return fail(error, "compressed BMP pictures are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return fail(error, "the BMP picture has an unsupported colour depth");

  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
    const size_t at = 14 + headerSize;
    if (at + 4 * static_cast<size_t>(colours) > b.size())
      return fail(error, "the BMP picture's palette is cut short");
    for (std::uint32_t i = 0; i < colours; ++i)
      palette.push_back(0xFF000000u | (u32(b, at + 4 * i) & 0xFFFFFFu));
  }
  const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (dataAt > b.size() || b.size() - dataAt < stride * static_cast<size_t>(h))
    return fail(error, "the BMP picture's pixels are cut short");

  width_ = w;
  height_ = static_cast<int>(h);
  pixels_.resize(static_cast<size_t>(width_) * height_);
  const size_t maskStride = (static_cast<size_t>(width_) + 7) / 8;
  mask_.assign(maskStride * height_, 0);
  for (int y = 0; y < height_; ++y) {
    const size_t row = dataAt + stride * static_cast<size_t>(topDown ? y : height_ - 1 - y);
    for (int x = 0; x < width_; ++x) {
      std::uint32_t rgb = 0;
      if (bits == 24 || bits == 32) {
        const size_t p = row + static_cast<size_t>(x) * (bits / 8);
        rgb = b[p] | (b[p + 1] << 8) | (b[p + 2] << 16);
      } else {
        const size_t bit = static_cast<size_t>(x) * bits;
        const int shift = 8 - bits - static_cast<int>(bit % 8);
        const unsigned index = (b[row + bit / 8] >> shift) & ((1u << bits) - 1);
        rgb = index < palette.size() ? palette[index] & 0xFFFFFFu : 0;
      }
      std::uint32_t& out = pixels_[static_cast<size_t>(y) * width_ + x];
      if (rgb == 0xFFFFFFu) {
        // White lets the dialog's face show through.
        out = 0;
        mask_[maskStride * y + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      } else {
        out = 0xFF000000u | rgb;
      }
    }
  }
  return true;
}

bool Nx_DesignerPicture::isTransparent(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  const size_t maskStride = (static_cast<size_t>(width_) + 7) / 8;
  return (mask_[maskStride * y + x / 8] & (0x80 >> (x % 8))) != 0;
}
