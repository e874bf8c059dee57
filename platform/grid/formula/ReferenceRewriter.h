#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/grid/CellAddress.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Where cells go in an edit of the sheet's structure; nullopt for cells
// that are gone.
class GRID_API ReferenceMap {
 public:
  virtual ~ReferenceMap() = default;
  virtual std::optional<CellPos> cell(CellPos p) const = 0;
  virtual std::optional<Area> area(const Area& a) const = 0;
};

// The formula text (without "=") after its cell moved from oldHost to
// newHost. With a map, every reference follows the map (deleted cells read
// "#REF!"); without one the formula is copied: relative parts move with the
// cell, absolute parts stay. The writing style of each reference is kept.
GRID_API std::string rewriteReferences(std::string_view text, CellPos oldHost, CellPos newHost,
                                       const ReferenceMap* map);

}  // namespace grid
