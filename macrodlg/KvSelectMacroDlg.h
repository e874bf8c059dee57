#pragma once
#include <vector>

#include "core/Nx_StringArray.h"
#include "platform/ui/Dialog.h"

// The macro selection dialog (template DLG_SELECTMACRO): the names from
// index first on, one chosen (selected starts chosen; a double-click
// chooses and closes) or, when multiple, several (those whose flag is set
// start chosen), and one option check box. OK without a choice is refused.
class KvSelectMacroDlg : public ui::Dialog {
 public:
  struct Request {
    Nx_String title;
    Nx_StringArray names;
    std::vector<bool> flags;  // by name index; missing ones are unset
    int first = 0;
    int selected = -1;
    bool option = false;
    bool multiple = false;
  };
  // Several chosen names come back joined with this.
  static constexpr char kSeparator = ';';

  explicit KvSelectMacroDlg(Request request);
  bool onInitDialog() override;
  void onOK() override;

  // After OK: the chosen name(s) and the option.
  const Nx_String& chosen() const { return chosen_; }
  bool option() const { return request_.option; }

 private:
  int listId() const;
  int firstListed() const;

  Request request_;
  Nx_String chosen_;
};
