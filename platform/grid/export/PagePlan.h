#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/grid/PrintLayout.h"
#include "platform/grid/grid_export.h"

namespace grid {

// Sizes in points (1/72 inch) of what goes on paper.
struct PageMeasures {
  std::vector<double> colWidths;   // [0] the row header column, [c] data column c
  std::vector<double> rowHeights;  // [0] the column header row, [r] data row r
  double headerBand = 0;           // room for the page header above the grid
  double footerBand = 0;           // and for the page footer below it
};

// Which columns and rows go on which page. Pages run down, then across: the
// row bands of the first column band come first.
struct PagePlan {
  double pageWidth = 0, pageHeight = 0;  // points, orientation applied
  double left = 0, top = 0;              // where the grid starts on every page
  double usableWidth = 0, usableHeight = 0;
  double scale = 1;                                     // applied to every grid size
  std::vector<std::pair<int, int>> colBands, rowBands;  // first and last of each
  int pageCount() const { return static_cast<int>(colBands.size() * rowBands.size()); }
  // Zero-based page index to its bands.
  std::pair<int, int> bandsOf(int page) const {
    int rows = static_cast<int>(rowBands.size());
    return {page / rows, page % rows};
  }
};

inline constexpr double kPointsPerMm = 72.0 / 25.4;
// A sheet wider than the page by at most this share is scaled to fit (smartPrint).
inline constexpr double kSmartPrintSlack = 0.25;

// Breaks the used columns 1..cols and rows 1..rows into pages. A column or
// row larger than the page gets a page of its own (and is cut at its edge).
// An empty sheet still gives one page, for its header and footer.
GRID_API PagePlan planPages(const PrintLayout& layout, const PageMeasures& m, int cols, int rows);

// Header or footer text with "{Page}", "{Pages}" and the layout's variables
// filled in; a name that is no variable is left as written.
GRID_API std::string fillPageText(const std::string& text, const PrintLayout& layout, int page,
                                  int pages);

}  // namespace grid
