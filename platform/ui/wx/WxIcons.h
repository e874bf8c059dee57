#pragma once
#include <wx/bitmap.h>

namespace uiwx {

// The picture of an icon resource: its name (resources/icons.json) is looked
// up in the desktop's icon theme through the art provider; an unknown id
// gives the theme's question mark so a button never shows empty.
wxBitmap iconBitmap(int iconId, int size = 16);

}  // namespace uiwx
