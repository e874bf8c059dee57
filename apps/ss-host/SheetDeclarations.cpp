#include "apps/ss-host/SheetDeclarations.h"

#include <strings.h>
#include <array>

#include "mapping/KvVarCell.h"
#include "platform/grid/Sheet.h"

namespace {

constexpr std::array<const char*, 4> kLabels = {"Input", "Output", "Local", "Calc"};
constexpr std::array<const char*, 3> kTypes = {"Int", "Double", "String"};  // by KvValueType

// The engine's own reading of a declaration, so the two never disagree.
bool declaration(const std::string& text, SheetDeclaration& out) {
  KvValueType type = kValueString;
  Nx_String name;
  if (!parseDeclaration(text.c_str(), type, name) || name.isEmpty()) return false;
  out.type = kTypes[static_cast<size_t>(type)];
  out.name = name.str();
  return true;
}

}  // namespace

std::vector<SheetDeclaration> readSheetDeclarations(const grid::Sheet& sheet) {
  std::array<int, kLabels.size()> rows{};
  sheet.content().cells.forEach([&](const grid::Cell& cell, int row) {
    if (cell.col < 1 || row < 1) return;
    const std::string text = sheet.getValue(cell.col, row);
    for (size_t l = 0; l < kLabels.size(); ++l)
      if (rows[l] == 0 && strcasecmp(text.c_str(), kLabels[l]) == 0) rows[l] = row;
  });
  std::vector<SheetDeclaration> out;
  for (size_t section = 0; section < 3; ++section) {
    if (rows[section] == 0) continue;
    int end = sheet.maxRows();
    for (int r : rows)
      if (r > rows[section] && r < end) end = r;
    grid::Area area{1, rows[section] + 1, sheet.maxCols(), end};
    sheet.content().cells.forEachIn(area, [&](const grid::Cell& cell, int row) {
      SheetDeclaration d;
      if (!declaration(sheet.getValue(cell.col, row), d)) return;
      d.kind = kLabels[section];
      out.push_back(std::move(d));
    });
  }
  return out;
}
