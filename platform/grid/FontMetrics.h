#pragma once
#include <string_view>

#include "platform/grid/CellFormat.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Text measures for fitting columns and rows. A window backend plugs in the
// real measures of its fonts; headless sheets use PlainFontMetrics.
class GRID_API FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  // Width in pixels of one line of Windows-1252 text.
  virtual double textWidth(const Font& font, std::string_view line) const = 0;
  // Height in pixels of one line.
  virtual double lineHeight(const Font& font) const = 0;
  // Width of a typical character: the unit of column widths.
  virtual double averageCharWidth(const Font& font) const = 0;
};

// Every character as wide as a fixed share of the font height (a little
// more when bold); lines a quarter higher than the font.
class GRID_API PlainFontMetrics : public FontMetrics {
 public:
  double textWidth(const Font& font, std::string_view line) const override;
  double lineHeight(const Font& font) const override;
  double averageCharWidth(const Font& font) const override;
  static const PlainFontMetrics& instance();
};

}  // namespace grid
