#include "platform/ui/wx/ScreenPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <memory>

namespace uiwx {
namespace {

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
struct ImageDestroyer {
  void operator()(XImage* i) const { XDestroyImage(i); }
};

// One 8-bit channel out of a pixel under a TrueColor mask.
unsigned char channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long v = (pixel & mask) >> shift;
  return static_cast<unsigned char>(bits >= 8 ? v >> (bits - 8) : v * 255 / ((1ul << bits) - 1));
}

}  // namespace

wxImage screenPixels(int x, int y, int width, int height) {
  // A connection of its own: what the server shows, whatever GTK has queued.
  std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display || width <= 0 || height <= 0) return {};
  Display* d = display.get();
  const Window root = DefaultRootWindow(d);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(d, root, &attributes)) return {};
  if (x < 0) width += x, x = 0;
  if (y < 0) height += y, y = 0;
  width = std::min(width, attributes.width - x);
  height = std::min(height, attributes.height - y);
  if (width <= 0 || height <= 0) return {};
  std::unique_ptr<XImage, ImageDestroyer> pixels(
      XGetImage(d, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                AllPlanes, ZPixmap));
  if (!pixels) return {};
  wxImage image(width, height, false);
  unsigned char* out = image.GetData();
  for (int row = 0; row < height; ++row)
    for (int col = 0; col < width; ++col) {
      const unsigned long p = XGetPixel(pixels.get(), col, row);
      *out++ = channel(p, pixels->red_mask);
      *out++ = channel(p, pixels->green_mask);
      *out++ = channel(p, pixels->blue_mask);
    }
  return image;
}

}  // namespace uiwx
