#include "platform/grid/file/ZipPart.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace grid {
namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kLocalSize = 30;
constexpr std::uint32_t kStored = 0, kDeflated = 8;

bool inflateRaw(std::string_view packed, std::string& out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
  // Parts are far below 4 GB (the directory's sizes are checked first), so
  // one call suffices for each side.
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  const bool whole = result == Z_STREAM_END && z.total_out == out.size();
  inflateEnd(&z);
  return whole;
}

}  // namespace

const ZipEntry* findZipEntry(const std::vector<ZipEntry>& entries, std::string_view name) {
  auto it = std::find_if(entries.begin(), entries.end(),
                         [&](const ZipEntry& e) { return e.name == name; });
  return it == entries.end() ? nullptr : &*it;
}

bool unpackZipEntry(std::string_view b, const ZipEntry& e, std::string& out, std::string& error) {
  auto damaged = [&](const char* why) {
    error = "part " + e.name + ": " + why;
    out.clear();
    return false;
  };
  if (std::uint64_t{e.localAt} + kLocalSize > b.size() ||
      zipNumber(b, e.localAt, 4) != kLocalSignature)
    return damaged("its local header is damaged");
  const std::uint64_t dataAt = std::uint64_t{e.localAt} + kLocalSize +
                               zipNumber(b, e.localAt + 26, 2) + zipNumber(b, e.localAt + 28, 2);
  if (dataAt + e.packedSize > b.size()) return damaged("the zip archive is truncated here");
  if (e.size > std::numeric_limits<uInt>::max() || e.packedSize > std::numeric_limits<uInt>::max())
    return damaged("too large");
  const std::string_view packed = b.substr(static_cast<std::size_t>(dataAt), e.packedSize);
  if (e.method == kStored) {
    if (e.packedSize != e.size) return damaged("its stored size is wrong");
    out.assign(packed);
  } else if (e.method == kDeflated) {
    out.resize(static_cast<std::size_t>(e.size));
    if (!inflateRaw(packed, out)) return damaged("cannot be unpacked (damaged data)");
  } else {
    return damaged("packed by a method other than deflate");
  }
  const auto crc =
      crc32(0, reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
  if (crc != e.crc) return damaged("its checksum is wrong (damaged data)");
  return true;
}

}  // namespace grid
