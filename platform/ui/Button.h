#pragma once
#include "platform/ui/Window.h"

namespace ui {

// Push button, icon button, check box (two or three states), radio button,
// group box and push-like check box: the BUTTON class, told apart by style.
class UI_API Button : public Window {
 public:
  enum class Kind { Push, DefaultPush, Check, ThreeState, Radio, GroupBox, Other };

  Button() : Window(kButtonClass) {}

  Kind kind() const;
  bool isCheckable() const;
  bool isPushLike() const { return (style() & BS_PUSHLIKE) != 0; }
  bool isIconButton() const { return (style() & (BS_ICON | BS_BITMAP)) != 0; }
  // Automatic boxes and radios change their own state when clicked.
  bool isAutomatic() const;

  int checkState() const { return check_; }
  bool isChecked() const { return check_ == BST_CHECKED; }
  void setCheck(int state);

  // What a user's click does: an automatic check box steps to its next
  // state, an automatic radio button checks itself and clears the other
  // radios of its group; then BN_CLICKED goes to the parent.
  void click();

  bool liesBeneath() const override { return kind() == Kind::GroupBox; }

 private:
  void uncheckGroupSiblings();
  int check_ = BST_UNCHECKED;
};

}  // namespace ui
