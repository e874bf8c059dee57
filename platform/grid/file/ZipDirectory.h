#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// The entries of a zip archive as its central directory lists them, read
// before any part is unpacked so that a truncated archive or one that would
// unpack to more than a limit is refused up front.
struct ZipEntry {
  std::string name;
  std::uint64_t packedSize = 0;
  std::uint64_t size = 0;    // unpacked
  std::uint32_t method = 0;  // 0 stored, 8 deflated
  std::uint32_t crc = 0;
  std::uint32_t localAt = 0;  // offset of the entry's local header
};

// The little-endian number of 1 to 4 bytes at `at`; the caller has checked
// that they are there.
inline std::uint32_t zipNumber(std::string_view b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  return v;
}

inline bool looksLikeZip(std::string_view bytes) {
  return bytes.starts_with("PK\x03\x04");
}

// False with the reason (without the file name) when the directory cannot be
// read: no end record (a truncated file), entries past the end, zip64.
bool readZipDirectory(std::string_view bytes, std::vector<ZipEntry>& entries, std::string& error);

}  // namespace grid
