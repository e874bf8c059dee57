#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/Window.h"

namespace ui {

// The list of entries shared by combo boxes and list boxes: texts with an
// item value each, kept sorted when the style asks for it, and a selection.
class UI_API ListControl : public Window {
 public:
  using Window::Window;

  int count() const { return static_cast<int>(items_.size()); }
  // The entry's text, empty for an invalid index.
  std::string itemText(int index) const;
  const std::vector<std::string>& items() const { return items_; }
  // Appends (or inserts in order for a sorted list); the new index.
  int addString(std::string_view text);
  // At the index (-1: at the end); the new index or LB_ERR.
  int insertString(int index, std::string_view text);
  // Remaining count, or LB_ERR.
  int deleteString(int index);
  // Changes an entry's text in place (its place in a sorted list stays).
  bool setItemText(int index, std::string_view text);
  void resetContent();
  void setItems(const std::vector<std::string>& texts);
  // First entry after `after` (-1: from the start) equal to the text without
  // case, wrapping round; LB_ERR when none. findString matches a prefix.
  int findStringExact(int after, std::string_view text) const;
  int findString(int after, std::string_view text) const;
  std::intptr_t itemData(int index) const;
  bool setItemData(int index, std::intptr_t data);

  // The selected entry (-1: none); the first selected one in multi-selection lists.
  int curSel() const;
  // -1 clears; answers the index, or LB_ERR when out of range (the selection is then cleared).
  int setCurSel(int index);
  bool isMultiSelect() const;
  bool isSelected(int index) const;
  bool setSelected(int index, bool on);
  std::vector<int> selectedItems() const;

  // The user picked an entry: it becomes the selection (or, in a
  // multi-selection list, toggles) and the parent gets the selection change.
  bool userSelect(int index);
  void userDoubleClick(int index);

 protected:
  virtual bool isSorted() const = 0;
  virtual void selectionChanged() {}
  virtual int selChangeCode() const = 0;
  virtual int dblClkCode() const = 0;

 private:
  int sortedPosition(std::string_view text) const;
  int findFrom(int after, std::string_view text, bool prefix) const;
  std::vector<std::string> items_;
  std::vector<std::intptr_t> data_;
  std::vector<bool> selected_;
  int cur_ = -1;
};

// Drop-down combo (editable) or drop-down list. Its window text is the
// edit text, which follows the selection.
class UI_API ComboBox : public ListControl {
 public:
  ComboBox() : ListControl(kComboBoxClass) {}
  bool isDropDownList() const { return (style() & CBS_TYPEMASK) == CBS_DROPDOWNLIST; }
  bool isEditable() const { return !isDropDownList(); }
  // The user typed into the edit part: the text changes, the selection
  // becomes the entry with that text (if any) and CBN_EDITCHANGE goes out.
  bool userType(std::string_view text);

 protected:
  bool isSorted() const override { return (style() & CBS_SORT) != 0; }
  void selectionChanged() override;
  int selChangeCode() const override { return CBN_SELCHANGE; }
  int dblClkCode() const override { return CBN_DBLCLK; }
};

class UI_API ListBox : public ListControl {
 public:
  ListBox() : ListControl(kListBoxClass) {}

 protected:
  bool isSorted() const override { return (style() & LBS_SORT) != 0; }
  int selChangeCode() const override { return LBN_SELCHANGE; }
  int dblClkCode() const override { return LBN_DBLCLK; }
};

}  // namespace ui
