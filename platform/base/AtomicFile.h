#pragma once
#include <string>
#include <string_view>

#include "platform/base/base_export.h"

namespace base {

// Writes a whole file through a temporary file in the same folder that is
// renamed over the target, so a failed or interrupted write leaves the
// previous file intact. On failure returns false and, when error is given,
// says why (with the path).
BASE_API bool writeFileAtomically(const std::string& path, std::string_view content,
                                  std::string* error = nullptr);

// Reads a whole file; false with the reason when it cannot be read.
BASE_API bool readWholeFile(const std::string& path, std::string& content,
                            std::string* error = nullptr);

// Test hook: while set, the next writes fail after writing this many bytes of
// the temporary file (simulates a full disk). -1 switches it off.
BASE_API void setAtomicWriteFailureAfter(long long bytes);

}  // namespace base
