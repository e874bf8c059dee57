#pragma once
#include <string>
#include <utility>
#include <vector>

namespace grid {

// How a sheet is laid out on paper, for printing and for page exports (PDF).
// The spreadsheet host fills it from a sheet's settings document; the grid
// gives the fields their meaning.
struct PrintLayout {
  // Paper in millimetres, portrait; `landscape` swaps the sides.
  double paperWidth = 210.0, paperHeight = 297.0;
  bool landscape = false;
  // Margins in millimetres.
  double marginLeft = 9.0, marginRight = 5.0, marginTop = 5.0, marginBottom = 5.0;
  // Header and footer texts (Windows-1252, as the sheet's). "{NAME}" is replaced by the variable
  // NAME of `variables`, "{Page}" and "{Pages}" by the page number and the page count.
  std::string header, footer;
  std::vector<std::pair<std::string, std::string>> variables;
  bool smartPrint = true;      // scale a sheet that is a little too wide to the page width
  bool colors = true;          // cell colours
  bool colHeader = true;       // the column header row
  bool rowHeader = true;       // the row header column
  bool cellSeparators = true;  // lines between cells
  bool border = true;          // a border round the printed area
  friend bool operator==(const PrintLayout&, const PrintLayout&) = default;
};

}  // namespace grid
