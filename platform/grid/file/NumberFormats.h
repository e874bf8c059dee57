#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// The part of a workbook's styles the grid keeps: each cell format's number
// format code. Fonts, fills and borders are read past.
class NumberFormats {
 public:
  void addCode(std::size_t id, std::string_view code) { codes_[id] = code; }
  // The next cell format (xf) and the number format it shows.
  void addCellFormat(std::size_t numberFormat) { xfs_.push_back(numberFormat); }
  // The number format code of a cell format index; empty for General or unknown.
  std::string numberFormatOf(std::size_t xf) const;

 private:
  std::map<std::size_t, std::string> codes_;  // number format id to code
  std::vector<std::size_t> xfs_;              // cell format to number format id
};

}  // namespace grid
