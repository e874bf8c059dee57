#include "platform/ui/wx/WxGridFontMetrics.h"

#include <wx/dcmemory.h>

#include "platform/ui/wx/WxGridStyle.h"
#include "platform/ui/wx/WxText.h"

namespace uiwx {
namespace {
wxMemoryDC& measuringDc(const grid::Font& font) {
  static wxBitmap bitmap(1, 1);
  static wxMemoryDC dc(bitmap);
  dc.SetFont(sheetFont(font));
  return dc;
}
}  // namespace

double WxGridFontMetrics::textWidth(const grid::Font& font, std::string_view line) const {
  if (line.empty()) return 0;
  return measuringDc(font).GetTextExtent(toWx(line)).x;
}

double WxGridFontMetrics::lineHeight(const grid::Font& font) const {
  return measuringDc(font).GetCharHeight();
}

double WxGridFontMetrics::averageCharWidth(const grid::Font& font) const {
  // The average over the digits, as column widths count them.
  return measuringDc(font).GetTextExtent("0123456789").x / 10.0;
}

const WxGridFontMetrics& WxGridFontMetrics::instance() {
  static WxGridFontMetrics metrics;
  return metrics;
}

}  // namespace uiwx
