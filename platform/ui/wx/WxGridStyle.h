#pragma once
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/font.h>

#include <cstdint>
#include <string>

#include "platform/grid/CellFormat.h"

namespace uiwx {

// A colour as sheets keep it: 0x00BBGGRR, 0x80000000 | a system colour
// index, or grid::kDefaultColor for the fallback.
wxColour sheetColour(std::uint32_t value, const wxColour& fallback);

// The wx font of a sheet font (height in pixels). Fonts are kept, so the
// same font is built once.
const wxFont& sheetFont(const grid::Font& font);

// The picture of a picture handle (pixels or an icon), or a null bitmap.
wxBitmap handleBitmap(std::uint64_t handle);
// A picture file, or a null bitmap when it cannot be read.
wxBitmap fileBitmap(const std::string& path);

}  // namespace uiwx
