#include "spreadsheet/Nx_SpreadPopupMenu.h"

#include "core/dialString.h"

namespace {
constexpr int kCommandIds[Nx_SpreadPopupMenu::kMaxCommands] = {32811, 32812, 32816, 32817, 32818,
                                                               32800, 32801, 32802, 32803, 32804};
// Dialog-string numbers of the kinds 2 to 9.
constexpr int kTexts[] = {1154, 1155, 774, 775, 1156, 1157, 1400, 1401};
}  // namespace

Nx_SpreadPopupMenu::Nx_SpreadPopupMenu(const AcArray<int>& kinds) {
  for (int i = 0; i < kinds.length(); ++i)
    if (kinds[i] >= kSeparator && kinds[i] <= kClearAll) kinds_.append(kinds[i]);
}

int Nx_SpreadPopupMenu::commandId(int position) {
  return position >= 0 && position < kMaxCommands ? kCommandIds[position] : 0;
}

std::vector<ui::MenuEntry> Nx_SpreadPopupMenu::entries() const {
  std::vector<ui::MenuEntry> out;
  int position = 0;
  for (int i = 0; i < kinds_.length(); ++i) {
    int kind = kinds_[i];
    if (kind == kSeparator) {
      // Separators at the ends or next to each other would show as stray lines.
      if (!out.empty() && !out.back().separator) out.push_back({0, {}, true});
      continue;
    }
    int id = commandId(position++);
    if (id == 0) break;
    out.push_back({id, dialString(kTexts[kind - kCopy]).str(), false});
  }
  if (!out.empty() && out.back().separator) out.pop_back();
  return out;
}

int Nx_SpreadPopupMenu::kindOfCommand(int commandId) const {
  int position = -1;
  for (int i = 0; i < kMaxCommands; ++i)
    if (kCommandIds[i] == commandId) position = i;
  if (position < 0) return 0;
  for (int i = 0; i < kinds_.length(); ++i) {
    if (kinds_[i] == kSeparator) continue;
    if (position-- == 0) return kinds_[i];
  }
  return 0;
}
