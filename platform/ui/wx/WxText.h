#pragma once
// The one crossing between the kit's Windows-1252 text and wxWidgets.
#include <wx/string.h>

#include <string>
#include <string_view>

#include "platform/base/Cp1252.h"

namespace uiwx {

inline wxString toWx(std::string_view cp1252) {
  return wxString::FromUTF8(base::cp1252ToUtf8(cp1252));
}

inline std::string fromWx(const wxString& text) {
  return base::utf8ToCp1252(std::string(text.utf8_str()));
}

}  // namespace uiwx
