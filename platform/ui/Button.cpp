#include "platform/ui/Button.h"

namespace ui {

Button::Kind Button::kind() const {
  switch (style() & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
      return Kind::Push;
    case BS_DEFPUSHBUTTON:
      return Kind::DefaultPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return Kind::Check;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return Kind::ThreeState;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return Kind::Radio;
    case BS_GROUPBOX:
      return Kind::GroupBox;
    default:
      return Kind::Other;
  }
}

bool Button::isCheckable() const {
  Kind k = kind();
  return k == Kind::Check || k == Kind::ThreeState || k == Kind::Radio;
}

bool Button::isAutomatic() const {
  Style type = style() & BS_TYPEMASK;
  return type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

void Button::setCheck(int state) {
  if (state < BST_UNCHECKED || state > BST_INDETERMINATE) return;
  if (state == BST_INDETERMINATE && kind() != Kind::ThreeState) state = BST_CHECKED;
  if (state == check_) return;
  check_ = state;
  changed(Change::Check);
}

void Button::click() {
  if (isAutomatic()) {
    switch (kind()) {
      case Kind::Check:
        setCheck(check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
      case Kind::ThreeState:
        setCheck((check_ + 1) % 3);
        break;
      case Kind::Radio:
        setCheck(BST_CHECKED);
        uncheckGroupSiblings();
        break;
      default:
        break;
    }
  }
  notifyParent(BN_CLICKED);
}

// A group runs from a sibling with WS_GROUP up to the next one, as in the
// dialog templates.
void Button::uncheckGroupSiblings() {
  Window* p = parent();
  if (!p) return;
  const auto& all = p->children();
  size_t self = 0;
  while (self < all.size() && all[self] != this) ++self;
  if (self == all.size()) return;
  size_t first = self;
  while (first > 0 && !(all[first]->style() & WS_GROUP)) --first;
  size_t last = self + 1;
  while (last < all.size() && !(all[last]->style() & WS_GROUP)) ++last;
  for (size_t i = first; i < last; ++i) {
    auto* b = dynamic_cast<Button*>(all[i]);
    if (b && b != this && b->kind() == Kind::Radio && b->isAutomatic()) b->setCheck(BST_UNCHECKED);
  }
}

}  // namespace ui
