#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base/base_export.h"

namespace base {
// Stored text is Windows-1252; windows and JSON files speak UTF-8.
BASE_API std::string cp1252ToUtf8(std::string_view text);
// Characters with no Windows-1252 form become '?'; malformed UTF-8 bytes are
// taken as Windows-1252 bytes, so already-8-bit text passes unchanged.
BASE_API std::string utf8ToCp1252(std::string_view text);
// Finds the first character of UTF-8 text that has no Windows-1252 form (and
// so would become '?'): its code point and byte offset. False when there is none.
BASE_API bool findNonCp1252(std::string_view text, std::uint32_t& codePoint, std::size_t& offset);
}  // namespace base
