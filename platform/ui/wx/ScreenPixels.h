#pragma once

#include <wx/image.h>

namespace uiwx {

// The screen's pixels in a rectangle, read from the X server as they are
// now. A blit from a wxScreenDC can hand back what the screen showed
// earlier (a closed dialog's pixels over the one that has since repainted).
// An invalid image when there is no X display or the rectangle is off it.
wxImage screenPixels(int x, int y, int width, int height);

}  // namespace uiwx
