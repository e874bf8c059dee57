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
inline Nx_String cp1252(const std::string& text) {
  return Nx_String(base::utf8ToCp1252(text));
}
}  // namespace hosttext
