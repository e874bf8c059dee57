#include "platform/grid/CellAddress.h"

#include "platform/grid/Limits.h"

namespace grid {

std::string columnName(int col) {
  std::string out;
  while (col > 0) {
    int d = (col - 1) % 26;
    out.insert(out.begin(), static_cast<char>('A' + d));
    col = (col - 1) / 26;
  }
  return out;
}

std::string cellName(int col, int row) {
  return columnName(col) + std::to_string(row);
}

bool parseCellName(std::string_view text, int& col, int& row) {
  std::size_t i = 0;
  long c = 0, r = 0;
  while (i < text.size() && i < 4) {
    char ch = text[i];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 32);
    if (ch < 'A' || ch > 'Z') break;
    c = c * 26 + (ch - 'A' + 1);
    ++i;
  }
  if (i == 0 || i > 3 || i == text.size()) return false;
  std::size_t digits = 0;
  for (; i < text.size(); ++i, ++digits) {
    if (text[i] < '0' || text[i] > '9' || digits >= 8) return false;
    r = r * 10 + (text[i] - '0');
  }
  if (c < 1 || c > kMaxColumns || r < 1 || r > kMaxRows) return false;
  col = static_cast<int>(c);
  row = static_cast<int>(r);
  return true;
}

}  // namespace grid
