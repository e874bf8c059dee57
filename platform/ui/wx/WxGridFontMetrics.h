#pragma once
#include "platform/grid/FontMetrics.h"

namespace uiwx {

// The real measures of the sheet fonts on this desktop, for fitting rows
// and columns to their texts.
class WxGridFontMetrics : public grid::FontMetrics {
 public:
  double textWidth(const grid::Font& font, std::string_view line) const override;
  double lineHeight(const grid::Font& font) const override;
  double averageCharWidth(const grid::Font& font) const override;
  static const WxGridFontMetrics& instance();
};

}  // namespace uiwx
