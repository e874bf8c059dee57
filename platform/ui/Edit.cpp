#include "platform/ui/Edit.h"

#include <algorithm>

namespace ui {

void Edit::setText(std::string_view text) {
  if (text == this->text()) return;
  Window::setText(text);
  int n = static_cast<int>(this->text().size());
  selStart_ = std::min(selStart_, n);
  selEnd_ = std::min(selEnd_, n);
  notifyParent(EN_CHANGE);
}

void Edit::setSel(int start, int end) {
  int n = static_cast<int>(text().size());
  if (end < 0 || end > n) end = n;
  start = std::clamp(start, 0, n);
  selStart_ = std::min(start, end);
  selEnd_ = std::max(start, end);
  changed(Change::Selection);
}

void Edit::replaceSel(std::string_view text) {
  std::string t = this->text();
  int start = std::min(selStart_, static_cast<int>(t.size()));
  int end = std::min(selEnd_, static_cast<int>(t.size()));
  t.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
  setText(t);
  selStart_ = selEnd_ = start + static_cast<int>(text.size());
  changed(Change::Selection);
}

bool Edit::userType(std::string_view text) {
  if (isReadOnly()) return false;
  if (limit_ > 0 && static_cast<int>(text.size()) > limit_) text = text.substr(0, limit_);
  setText(text);
  selStart_ = selEnd_ = static_cast<int>(this->text().size());
  return true;
}

}  // namespace ui
