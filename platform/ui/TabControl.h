#pragma once
#include <string>
#include <vector>

#include "platform/ui/Window.h"

namespace ui {

// A row of tabs. Pages are windows of their own that the owner places in
// displayRect() and shows or hides when the selection changes.
class UI_API TabControl : public Window {
 public:
  TabControl() : Window(kTabControlClass) {}

  int count() const { return static_cast<int>(tabs_.size()); }
  std::string itemText(int index) const;
  // At the index (clamped to the end); the new index.
  int insertItem(int index, std::string_view text);
  bool deleteItem(int index);
  void deleteAllItems();
  int curSel() const { return cur_; }
  // Without notification, as by code; the previous selection.
  int setCurSel(int index);

  // The tab's rectangle and the page area, in this window's client coordinates.
  Rect itemRect(int index) const;
  Rect displayRect() const;

  // The user clicked a tab: TCN_SELCHANGING, the change, TCN_SELCHANGE.
  bool userSelect(int index);

 private:
  std::vector<std::string> tabs_;
  int cur_ = -1;
};

}  // namespace ui
