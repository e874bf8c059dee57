#include "common/ModuleResources.h"

#include <iterator>

// The XPM files in resources/bitmaps are C source: compiling them in makes
// the bitmaps part of the library itself.
#include "resources/bitmaps/251.xpm"
#include "resources/bitmaps/8134.xpm"
#include "resources/bitmaps/8136.xpm"

namespace {
struct BitmapResource {
  int id;
  std::span<const char* const> rows;
};
const BitmapResource kBitmaps[] = {
    {251, {std::begin(bitmap_251_xpm), std::end(bitmap_251_xpm)}},
    {8134, {std::begin(bitmap_8134_xpm), std::end(bitmap_8134_xpm)}},
    {8136, {std::begin(bitmap_8136_xpm), std::end(bitmap_8136_xpm)}},
};
}  // namespace

std::span<const char* const> findBitmapResource(int id) {
  for (const BitmapResource& b : kBitmaps)
    if (b.id == id) return b.rows;
  return {};
}
