#pragma once
#include <string>

#include "core/Nx_String.h"
#include "platform/base/Cp1252.h"

// The module's texts are Windows-1252; what the host program reads and
// prints is UTF-8.
namespace hosttext {
inline std::string utf8(const Nx_String& text) {
  return base::cp1252ToUtf8(text.str());
}
// The last part of a path written with either kind of slash (a sheet named
// in a stored mapping may carry backslashes).
inline std::string fileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
inline Nx_String cp1252(const std::string& text) {
  return Nx_String(base::utf8ToCp1252(text));
}
}  // namespace hosttext
