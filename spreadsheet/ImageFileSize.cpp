#include "spreadsheet/ImageFileSize.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
std::uint32_t le(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
std::uint32_t be(const unsigned char* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

// JPEG keeps its size in the start-of-frame segment, after any number of others.
bool jpegSize(std::ifstream& in, int& width, int& height) {
  in.seekg(2);
  unsigned char h[9];
  while (in.read(reinterpret_cast<char*>(h), 4)) {
    if (h[0] != 0xFF) return false;
    unsigned marker = h[1];
    std::uint32_t length = be(h + 2, 2);
    if (length < 2) return false;
    bool frame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (!in.read(reinterpret_cast<char*>(h), 5)) return false;
      height = static_cast<int>(be(h + 1, 2));
      width = static_cast<int>(be(h + 3, 2));
      return true;
    }
    in.seekg(length - 2, std::ios::cur);
  }
  return false;
}
}  // namespace

bool readImageFileSize(const std::string& path, int& width, int& height) {
  // Opening a pipe would wait for a writer; a device would never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  unsigned char h[32] = {};
  if (!in.read(reinterpret_cast<char*>(h), sizeof h) && in.gcount() < 10) return false;
  int w = 0, hgt = 0;
  if (h[0] == 'B' && h[1] == 'M') {
    const auto rawHeight = static_cast<std::int32_t>(le(h + 22, 4));
    w = static_cast<std::int32_t>(le(h + 18, 4));
    // Negative: rows stored from the top. The lowest number has no positive twin.
    hgt = rawHeight == INT32_MIN ? 0 : std::abs(rawHeight);
  } else if (h[0] == 0x89 && h[1] == 'P' && h[2] == 'N' && h[3] == 'G') {
    w = static_cast<int>(be(h + 16, 4));
    hgt = static_cast<int>(be(h + 20, 4));
  } else if (h[0] == 'G' && h[1] == 'I' && h[2] == 'F') {
    w = static_cast<int>(le(h + 6, 2));
    hgt = static_cast<int>(le(h + 8, 2));
  } else if (h[0] == 0xFF && h[1] == 0xD8) {
    in.clear();
    if (!jpegSize(in, w, hgt)) return false;
  } else {
    return false;
  }
  if (w <= 0 || hgt <= 0) return false;
  width = w;
  height = hgt;
  return true;
}
