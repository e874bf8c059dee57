#pragma once
// Zip archives with stored (uncompressed) parts, for workbooks written by
// hand in tests: damaged ones included.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace gridtest {

inline std::uint32_t crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void put(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// claimedSize, when set, is the unpacked size the directory states for every part.
inline std::string storedZip(const std::vector<std::pair<std::string, std::string>>& parts,
                             std::uint32_t claimedSize = 0) {
  std::string out, dir;
  for (const auto& [name, data] : parts) {
    std::uint32_t offset = static_cast<std::uint32_t>(out.size());
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    std::uint32_t crc = crc32(data);
    put(out, 0x04034b50, 4);
    put(out, 20, 2), put(out, 0, 2), put(out, 0, 2), put(out, 0, 2), put(out, 0, 2);
    put(out, crc, 4), put(out, size, 4), put(out, size, 4);
    put(out, static_cast<std::uint32_t>(name.size()), 2), put(out, 0, 2);
    out += name + data;
    put(dir, 0x02014b50, 4);
    put(dir, 20, 2), put(dir, 20, 2), put(dir, 0, 2), put(dir, 0, 2), put(dir, 0, 2),
        put(dir, 0, 2);
    put(dir, crc, 4), put(dir, size, 4), put(dir, claimedSize ? claimedSize : size, 4);
    put(dir, static_cast<std::uint32_t>(name.size()), 2);
    put(dir, 0, 2), put(dir, 0, 2), put(dir, 0, 2), put(dir, 0, 2), put(dir, 0, 4);
    put(dir, offset, 4);
    dir += name;
  }
  std::uint32_t dirAt = static_cast<std::uint32_t>(out.size());
  out += dir;
  put(out, 0x06054b50, 4);
  put(out, 0, 2), put(out, 0, 2);
  put(out, static_cast<std::uint32_t>(parts.size()), 2);
  put(out, static_cast<std::uint32_t>(parts.size()), 2);
  put(out, static_cast<std::uint32_t>(dir.size()), 4), put(out, dirAt, 4), put(out, 0, 2);
  return out;
}

}  // namespace gridtest
