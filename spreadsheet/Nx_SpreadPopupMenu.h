#pragma once
#include <vector>

#include "platform/arx/AcArray.h"
#include "platform/ui/SpreadControl.h"

// The right-click menu of a sheet: entry kinds in menu order, their texts,
// and the command ids that the entries other than separators carry in turn.
class Nx_SpreadPopupMenu {
 public:
  enum Kind {
    kSeparator = 1,
    kCopy,
    kPaste,
    kInsertRow,
    kDeleteRow,
    kInsertColumn,
    kDeleteColumn,
    kCheckAll,
    kClearAll,
  };
  static constexpr int kMaxCommands = 10;

  // Kinds outside 1 to 9 are left out.
  explicit Nx_SpreadPopupMenu(const AcArray<int>& kinds);

  const AcArray<int>& kinds() const { return kinds_; }
  // The entries to show; those past the tenth command have no id and are left out.
  std::vector<ui::MenuEntry> entries() const;
  // The kind that a command id runs, or 0 when no entry carries the id.
  int kindOfCommand(int commandId) const;
  // The id of the n-th command entry (from 0), or 0.
  static int commandId(int position);

 private:
  AcArray<int> kinds_;
};
