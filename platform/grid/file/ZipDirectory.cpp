#include "platform/grid/file/ZipDirectory.h"

namespace grid {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kEntrySignature = 0x02014b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kEntrySize = 46;
constexpr std::size_t kMaxComment = 0xFFFF;

}  // namespace

bool readZipDirectory(std::string_view b, std::vector<ZipEntry>& entries, std::string& error) {
  entries.clear();
  if (b.size() < kEndSize) {
    error = "the zip archive is truncated (no directory at its end)";
    return false;
  }
  // The end record sits at the end, followed only by a comment.
  std::size_t end = std::string_view::npos;
  std::size_t lowest = b.size() > kEndSize + kMaxComment ? b.size() - kEndSize - kMaxComment : 0;
  for (std::size_t at = b.size() - kEndSize + 1; at-- > lowest;)
    if (zipNumber(b, at, 4) == kEndSignature) {
      end = at;
      break;
    }
  if (end == std::string_view::npos) {
    error = "the zip archive is truncated (no directory at its end)";
    return false;
  }
  std::uint32_t count = zipNumber(b, end + 10, 2);
  std::uint32_t dirSize = zipNumber(b, end + 12, 4);
  std::uint32_t dirAt = zipNumber(b, end + 16, 4);
  if (count == 0xFFFF || dirAt == 0xFFFFFFFF) {
    error = "zip64 archives are not read";
    return false;
  }
  if (std::uint64_t{dirAt} + dirSize > end) {
    error = "the zip archive is truncated (its directory points past the data)";
    return false;
  }
  std::size_t at = dirAt;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at + kEntrySize > end || zipNumber(b, at, 4) != kEntrySignature) {
      error = "the zip directory is damaged at entry " + std::to_string(i + 1);
      return false;
    }
    ZipEntry e;
    e.method = zipNumber(b, at + 10, 2);
    e.crc = zipNumber(b, at + 16, 4);
    e.packedSize = zipNumber(b, at + 20, 4);
    e.size = zipNumber(b, at + 24, 4);
    std::size_t nameLength = zipNumber(b, at + 28, 2), extra = zipNumber(b, at + 30, 2),
                comment = zipNumber(b, at + 32, 2);
    std::uint32_t local = zipNumber(b, at + 42, 4);
    if (at + kEntrySize + nameLength > end || local >= dirAt || e.size == 0xFFFFFFFF) {
      error = "the zip directory is damaged at entry " + std::to_string(i + 1);
      return false;
    }
    e.name.assign(b.substr(at + kEntrySize, nameLength));
    e.localAt = local;
    if (local + e.packedSize > dirAt) {
      error = "the zip archive is truncated (part " + e.name + " is cut off)";
      return false;
    }
    entries.push_back(std::move(e));
    at += kEntrySize + nameLength + extra + comment;
  }
  return true;
}

}  // namespace grid
