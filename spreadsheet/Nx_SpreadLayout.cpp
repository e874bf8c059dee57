// Nx_Spread: fitting rows and columns to their texts and to the window.
#include <algorithm>
#include <vector>

#include "spreadsheet/Nx_Spread.h"
#include "spreadsheet/SheetOptions.h"

namespace {
constexpr int kPictureType = 8;

// Splits total pixels over the columns, the first ones taking the remainder.
void distribute(grid::Sheet& sheet, const std::vector<int>& cols, int total) {
  if (cols.empty() || total <= 0) return;
  int n = static_cast<int>(cols.size());
  int each = total / n, rest = total % n;
  for (int i = 0; i < n; ++i) sheet.setColWidthInPixels(cols[i], each + (i < rest ? 1 : 0));
}
}  // namespace

bool Nx_Spread::fitColumnWidth(const int& col, bool skipPictures) {
  if (!hasCol(col)) return false;
  grid::Sheet& s = model();
  int c = at(col);
  double widest = 0;
  for (int row = 0; row <= s.maxRows(); ++row) {
    if (skipPictures && s.cellTypeCode(c, row) == kPictureType) continue;
    double width = 0, height = 0;
    if (s.getMaxTextCellSize(c, row, width, height)) widest = std::max(widest, width);
  }
  // A column without any text keeps its width rather than vanishing.
  if (widest > 0) s.setColWidth(c, widest);
  return true;
}

bool Nx_Spread::fitRowHeight(const int& row) {
  if (!hasRow(row)) return false;
  double height = 0;
  if (model().getMaxTextRowHeight(at(row), height)) model().setRowHeight(at(row), height);
  return true;
}

bool Nx_Spread::fitAll() {
  if (!attached_) return false;
  setStaticColumnHeaders();
  setStaticRowHeaders();
  fitRowHeight(kHeader);
  fitColumnWidth(kHeader);
  return true;
}

int Nx_Spread::getTotalColumnWidth() const {
  if (!attached_) return -1;
  int total = 0;
  for (int col = 0; col <= model().maxCols(); ++col) total += model().colWidthInPixels(col);
  return total;
}

bool Nx_Spread::fitColumnToWindow(const int& col) {
  if (!hasCol(col)) return false;
  int width = clientRect().width();
  if (int bar = verticalScrollBarWidth(); bar > 0) width -= bar;
  width -= getTotalColumnWidth();
  width += model().colWidthInPixels(at(col));
  if (width > 0) model().setColWidthInPixels(at(col), width);
  return true;
}

bool Nx_Spread::setSizeAction(int action, int a, int b) {
  sizeAction_ = action;
  sizeActionArgs_[0] = a;
  sizeActionArgs_[1] = b;
  return true;
}

bool Nx_Spread::setSizeAction(int action, const AcArray<int>& fixed, const AcArray<int>& shared) {
  sizeAction_ = action;
  sizeActionLists_[0] = fixed;
  sizeActionLists_[1] = shared;
  return true;
}

void Nx_Spread::runSizeAction() {
  if (!attached_ || sizeAction_ == 0) return;
  grid::Sheet& s = model();
  if (sizeAction_ == 2) {
    setStaticColumnHeaders();
    setStaticRowHeaders();
    return;
  }
  int width = clientRect().width() - std::max(0, verticalScrollBarWidth());
  bool headerShares = sizeAction_ == 1 && s.getBool(kOptionHeaderShares);
  if (!headerShares) width -= s.colWidthInPixels(0);
  std::vector<int> sharing;
  for (int col = headerShares ? 0 : 1; col <= s.maxCols(); ++col) sharing.push_back(col);
  auto without = [&](int col) { std::erase(sharing, col); };
  switch (sizeAction_) {
    case 1:
      break;
    case 3:
    case 4: {
      int col = sizeActionArgs_[0];
      if (col < 1 || col > s.maxCols()) return;
      int own = sizeAction_ == 3 ? sizeActionArgs_[1] : width * sizeActionArgs_[1] / 100;
      own = std::clamp(own, 0, std::max(0, width));
      s.setColWidthInPixels(col, own);
      without(col);
      width -= own;
      break;
    }
    case 5: {
      sharing.clear();
      const AcArray<int>& fixed = sizeActionLists_[0];
      for (int i = 0; i < fixed.length(); ++i)
        if (fixed[i] >= 1 && fixed[i] <= s.maxCols()) width -= s.colWidthInPixels(fixed[i]);
      const AcArray<int>& shared = sizeActionLists_[1];
      for (int i = 0; i < shared.length(); ++i)
        if (shared[i] >= 1 && shared[i] <= s.maxCols()) sharing.push_back(shared[i]);
      break;
    }
    default:
      return;
  }
  distribute(s, sharing, width);
}
