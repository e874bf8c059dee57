#include "platform/grid/FontMetrics.h"

#include <cmath>

namespace grid {

double PlainFontMetrics::averageCharWidth(const Font& font) const {
  double h = font.height > 0 ? font.height : 13;
  return std::ceil(h * (font.bold ? 0.6 : 0.55));
}

double PlainFontMetrics::textWidth(const Font& font, std::string_view line) const {
  return averageCharWidth(font) * static_cast<double>(line.size());
}

double PlainFontMetrics::lineHeight(const Font& font) const {
  double h = font.height > 0 ? font.height : 13;
  return std::ceil(h * 1.25);
}

const PlainFontMetrics& PlainFontMetrics::instance() {
  static const PlainFontMetrics metrics;
  return metrics;
}

}  // namespace grid
