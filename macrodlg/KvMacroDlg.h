#pragma once
#include "core/macro/MacroData.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/DLG_MACRO.h"

// The window in which the user edits a macro (template DLG_MACRO): one tab per
// tab of its MacroData, the filter lists, the tool buttons and Close. For
// now each tab lists its values; the grid and profile pages come later.
//
// Modeless dialogs live in the table of the modeless dialog manager under
// their index; a modal one has index -1. A dialog asks the manager to defer
// its closing while it is busy in its own code (a close requested from
// inside a handler must not delete the dialog under that handler).
class KvMacroDlg : public ui::Dialog {
 public:
  static constexpr int kTemplateId = dlg_macro::kTemplateId;
  // Ends the modeless dialog of that index: the table's own close, handed in
  // by the table, which sits above the dialog.
  using Closer = bool (*)(int index);

  explicit KvMacroDlg(const MacroData& data, int index = -1, Closer closer = nullptr)
      : ui::Dialog(kTemplateId), data_(data), index_(index), closer_(closer) {}

  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  const MacroData& macroData() const { return data_; }
  MacroData& macroData() { return data_; }
  void setMacroData(const MacroData& data) { data_ = data; }

  // True while the dialog's close must wait (busy, or asked for).
  bool deferClose() const { return deferClose_ || busy_ > 0; }
  void setDeferClose(bool defer) { deferClose_ = defer; }
  bool isClosing() const { return closing_; }

  // Close button, Escape and the window's close box: end the dialog; a
  // modeless one through the manager, a modal one with OK.
  void close();

  bool onInitDialog() override;
  void onOK() override { close(); }
  void onCancel() override { close(); }
  void onClose() override { close(); }
  bool handleCommand(int id, int code) override;

 private:
  // Marks the dialog busy for the life of the scope.
  class Busy {
   public:
    explicit Busy(KvMacroDlg& dlg) : dlg_(dlg) { ++dlg_.busy_; }
    ~Busy() { --dlg_.busy_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    KvMacroDlg& dlg_;
  };

  void buildTabs();
  void showTab(int index);

  MacroData data_;
  int index_;
  Closer closer_;
  int busy_ = 0;
  bool deferClose_ = false;
  bool closing_ = false;
};
