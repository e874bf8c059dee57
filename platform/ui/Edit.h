#pragma once
#include "platform/ui/Window.h"

namespace ui {

// Single- and multi-line edit field. As in Windows, every change of its
// text, by code or by the user, sends EN_CHANGE to the parent.
class UI_API Edit : public Window {
 public:
  Edit() : Window(kEditClass) {}

  bool isMultiLine() const { return (style() & ES_MULTILINE) != 0; }
  bool isReadOnly() const { return (style() & ES_READONLY) != 0; }
  void setReadOnly(bool on) { modifyStyle(on ? 0 : ES_READONLY, on ? ES_READONLY : 0); }
  // 0: no limit. Longer texts are cut when typed.
  void setLimitText(int limit) { limit_ = limit > 0 ? limit : 0; }
  int limitText() const { return limit_; }

  void setText(std::string_view text) override;
  // Selection in the text, as byte positions; end -1 means the end.
  void setSel(int start, int end);
  int selStart() const { return selStart_; }
  int selEnd() const { return selEnd_; }
  void replaceSel(std::string_view text);

  // The user replaced the text (typing); refused in a read-only field.
  bool userType(std::string_view text);

 private:
  int limit_ = 0;
  int selStart_ = 0;
  int selEnd_ = 0;
};

}  // namespace ui
