#include "platform/ui/ListControl.h"

#include <algorithm>
#include <cctype>

namespace ui {
namespace {
int compareNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
}  // namespace

std::string ListControl::itemText(int index) const {
  return index >= 0 && index < count() ? items_[static_cast<size_t>(index)] : std::string();
}

int ListControl::sortedPosition(std::string_view text) const {
  if (!isSorted()) return count();
  int at = 0;
  while (at < count() && compareNoCase(items_[static_cast<size_t>(at)], text) <= 0) ++at;
  return at;
}

int ListControl::addString(std::string_view text) {
  return insertString(sortedPosition(text), text);
}

int ListControl::insertString(int index, std::string_view text) {
  if (index == -1) index = count();
  if (index < 0 || index > count()) return LB_ERR;
  items_.insert(items_.begin() + index, std::string(text));
  data_.insert(data_.begin() + index, 0);
  selected_.insert(selected_.begin() + index, false);
  if (cur_ >= index) ++cur_;
  changed(Change::Items);
  return index;
}

int ListControl::deleteString(int index) {
  if (index < 0 || index >= count()) return LB_ERR;
  items_.erase(items_.begin() + index);
  data_.erase(data_.begin() + index);
  selected_.erase(selected_.begin() + index);
  if (cur_ == index)
    cur_ = -1;
  else if (cur_ > index)
    --cur_;
  changed(Change::Items);
  return count();
}

bool ListControl::setItemText(int index, std::string_view text) {
  if (index < 0 || index >= count()) return false;
  items_[static_cast<size_t>(index)] = std::string(text);
  changed(Change::Items);
  if (index == cur_) selectionChanged();
  return true;
}

void ListControl::resetContent() {
  items_.clear();
  data_.clear();
  selected_.clear();
  cur_ = -1;
  changed(Change::Items);
  selectionChanged();
}

void ListControl::setItems(const std::vector<std::string>& texts) {
  items_.clear();
  data_.clear();
  selected_.clear();
  cur_ = -1;
  for (const auto& t : texts) {
    int at = sortedPosition(t);
    items_.insert(items_.begin() + at, t);
    data_.insert(data_.begin() + at, 0);
    selected_.insert(selected_.begin() + at, false);
  }
  changed(Change::Items);
  selectionChanged();
}

int ListControl::findFrom(int after, std::string_view text, bool prefix) const {
  int n = count();
  if (n == 0) return LB_ERR;
  int start = (after < -1 || after >= n) ? 0 : after + 1;
  for (int k = 0; k < n; ++k) {
    int i = (start + k) % n;
    std::string_view item = items_[static_cast<size_t>(i)];
    if (prefix) item = item.substr(0, std::min(item.size(), text.size()));
    if (item.size() == text.size() && compareNoCase(item, text) == 0) return i;
  }
  return LB_ERR;
}

int ListControl::findStringExact(int after, std::string_view text) const {
  return findFrom(after, text, false);
}

int ListControl::findString(int after, std::string_view text) const {
  return findFrom(after, text, true);
}

std::intptr_t ListControl::itemData(int index) const {
  return index >= 0 && index < count() ? data_[static_cast<size_t>(index)] : 0;
}

bool ListControl::setItemData(int index, std::intptr_t data) {
  if (index < 0 || index >= count()) return false;
  data_[static_cast<size_t>(index)] = data;
  return true;
}

bool ListControl::isMultiSelect() const {
  return isClass(kListBoxClass) && (style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

int ListControl::curSel() const {
  if (isMultiSelect()) {
    if (cur_ >= 0 && cur_ < count() && selected_[static_cast<size_t>(cur_)]) return cur_;
    for (int i = 0; i < count(); ++i)
      if (selected_[static_cast<size_t>(i)]) return i;
    return -1;
  }
  return cur_;
}

int ListControl::setCurSel(int index) {
  bool valid = index >= 0 && index < count();
  cur_ = valid ? index : -1;
  if (isMultiSelect()) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (valid) selected_[static_cast<size_t>(index)] = true;
  }
  changed(Change::Selection);
  selectionChanged();
  return valid ? index : LB_ERR;
}

bool ListControl::isSelected(int index) const {
  if (index < 0 || index >= count()) return false;
  return isMultiSelect() ? selected_[static_cast<size_t>(index)] : index == cur_;
}

bool ListControl::setSelected(int index, bool on) {
  if (index < 0 || index >= count()) return false;
  if (!isMultiSelect()) {
    setCurSel(on ? index : (cur_ == index ? -1 : cur_));
    return true;
  }
  selected_[static_cast<size_t>(index)] = on;
  if (on) cur_ = index;
  changed(Change::Selection);
  return true;
}

std::vector<int> ListControl::selectedItems() const {
  std::vector<int> out;
  for (int i = 0; i < count(); ++i)
    if (isSelected(i)) out.push_back(i);
  return out;
}

bool ListControl::userSelect(int index) {
  if (index < 0 || index >= count()) return false;
  if (isMultiSelect())
    setSelected(index, !isSelected(index));
  else
    setCurSel(index);
  notifyParent(selChangeCode());
  return true;
}

void ListControl::userDoubleClick(int index) {
  if (index >= 0 && index < count() && !isSelected(index)) {
    if (isMultiSelect())
      setSelected(index, true);
    else
      setCurSel(index);
  }
  notifyParent(dblClkCode());
}

void ComboBox::selectionChanged() {
  int sel = curSel();
  if (sel >= 0)
    Window::setText(itemText(sel));
  else if (isDropDownList())
    Window::setText("");
}

bool ComboBox::userType(std::string_view text) {
  if (!isEditable()) return false;
  Window::setText(text);
  int match = findStringExact(-1, text);
  int cur = curSel();
  if (match != cur) {
    // Typing moves the selection without rewriting what was typed.
    std::string typed(text);
    setCurSel(match);
    Window::setText(typed);
  }
  notifyParent(CBN_EDITCHANGE);
  return true;
}

}  // namespace ui
