#include "platform/grid/export/PagePlan.h"

#include <algorithm>

namespace grid {
namespace {

std::vector<std::pair<int, int>> bands(const std::vector<double>& sizes, int count, double room,
                                       double scale) {
  std::vector<std::pair<int, int>> out;
  if (count < 1) return {{1, 0}};  // no cells: one empty band
  int first = 1;
  double used = 0;
  for (int i = 1; i <= count; ++i) {
    double size = sizes[static_cast<std::size_t>(i)] * scale;
    if (i > first && used + size > room + 1e-6) {
      out.emplace_back(first, i - 1);
      first = i;
      used = 0;
    }
    used += size;
  }
  out.emplace_back(first, count);
  return out;
}

}  // namespace

PagePlan planPages(const PrintLayout& layout, const PageMeasures& m, int cols, int rows) {
  PagePlan p;
  p.pageWidth = layout.paperWidth * kPointsPerMm;
  p.pageHeight = layout.paperHeight * kPointsPerMm;
  if (layout.landscape) std::swap(p.pageWidth, p.pageHeight);
  p.left = layout.marginLeft * kPointsPerMm;
  p.top = layout.marginTop * kPointsPerMm + m.headerBand;
  p.usableWidth = std::max(1.0, p.pageWidth - p.left - layout.marginRight * kPointsPerMm);
  p.usableHeight =
      std::max(1.0, p.pageHeight - p.top - m.footerBand - layout.marginBottom * kPointsPerMm);

  double total = 0;
  for (int c = 0; c <= cols; ++c) total += m.colWidths[static_cast<std::size_t>(c)];
  if (layout.smartPrint && total > p.usableWidth && total <= p.usableWidth * (1 + kSmartPrintSlack))
    p.scale = p.usableWidth / total;
  double headerCol = m.colWidths[0] * p.scale, headerRow = m.rowHeights[0] * p.scale;
  p.colBands = bands(m.colWidths, cols, p.usableWidth - headerCol, p.scale);
  p.rowBands = bands(m.rowHeights, rows, p.usableHeight - headerRow, p.scale);
  return p;
}

std::string fillPageText(const std::string& text, const PrintLayout& layout, int page, int pages) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t open = text.find('{', i);
    std::size_t close = open == std::string::npos ? open : text.find('}', open);
    if (close == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    out.append(text, i, open - i);
    std::string name = text.substr(open + 1, close - open - 1);
    if (name == "Page") {
      out += std::to_string(page);
    } else if (name == "Pages") {
      out += std::to_string(pages);
    } else {
      auto it = std::find_if(layout.variables.begin(), layout.variables.end(),
                             [&](const auto& v) { return v.first == name; });
      out += it != layout.variables.end() ? it->second : text.substr(open, close - open + 1);
    }
    i = close + 1;
  }
  return out;
}

}  // namespace grid
