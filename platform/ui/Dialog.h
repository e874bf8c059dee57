#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Resizer.h"
#include "platform/ui/Window.h"

namespace ui {

// A dialog built from a template of resources/ (layout) and driven by a
// controller class that derives from it (behaviour): the controller copies
// its data into the controls in onInitDialog and back in onOK.
//
// Runs: doModal() builds the windows, calls onInitDialog, runs the modal
// loop of the backend and destroys the windows again, answering the end
// code; create() builds a modeless dialog that lives until destroyWindow().
class UI_API Dialog : public Window {
 public:
  explicit Dialog(int templateId = 0, Window* owner = nullptr);
  ~Dialog() override;

  int templateId() const { return templateId_; }
  void setTemplateId(int id) { templateId_ = id; }
  // The template's name ("DLG_GRID"), known once the dialog is built.
  const std::string& templateName() const { return templateName_; }

  // The end code, or -1 when the template is missing or the dialog runs already.
  int doModal();
  // Modeless; shown when the template has WS_VISIBLE. False when the
  // template is missing or the dialog exists already.
  bool create(Window* owner = nullptr);
  // A child page inside another window (templates with WS_CHILD).
  bool createAsChild(Window& parent);
  bool destroyWindow();
  bool isCreated() const { return created_; }
  bool isModal() const { return modal_; }
  // Modal: ends the loop with the code. Modeless: destroys the window.
  void endDialog(int code);
  bool hasEnded() const { return ended_; }
  int result() const { return result_; }

  // Hooks of the controller.
  // After the controls exist; answer true to let the kit focus the first control.
  virtual bool onInitDialog() { return true; }
  virtual void onOK() { endDialog(IDOK); }
  virtual void onCancel() { endDialog(IDCANCEL); }
  // The window's close box or the script's close(); by default cancels.
  virtual void onClose() { onCancel(); }
  // Places the controls by the resize rules; overrides should call it.
  void onSize(Size client) override;

  // Command handlers by item id and notification code, tried before onCommand.
  void on(int id, int code, std::function<void()> handler);
  void onClicked(int id, std::function<void()> handler) { on(id, BN_CLICKED, std::move(handler)); }

  // Items.
  Window* item(int id) const { return findChild(id); }
  template <typename T>
  T* itemAs(int id) const {
    return dynamic_cast<T*>(item(id));
  }
  std::string itemText(int id) const;
  bool setItemText(int id, std::string_view text);
  // The text as a whole number; ok (when given) says whether it was one.
  int itemInt(int id, bool* ok = nullptr) const;
  bool setItemInt(int id, int value);
  int checkState(int id) const;
  bool isChecked(int id) const { return checkState(id) == BST_CHECKED; }
  bool setCheck(int id, int state);
  bool setCheck(int id, bool on) { return setCheck(id, on ? BST_CHECKED : BST_UNCHECKED); }
  // Checks checkId and clears the other radio buttons with ids first..last.
  bool checkRadioButton(int first, int last, int checkId);
  // The checked radio button with an id in first..last, or 0.
  int checkedRadioButton(int first, int last) const;
  bool enableItem(int id, bool on = true);
  bool showItem(int id, bool on = true);
  bool isItemEnabled(int id) const;
  bool isItemShown(int id) const;
  bool setItemToolTip(int id, std::string_view text);
  bool setItemIcon(int id, int iconId);
  bool focusItem(int id);

  // Entries of combo boxes and list boxes.
  int listAdd(int id, std::string_view text);
  bool listSet(int id, const std::vector<std::string>& texts);
  bool listClear(int id);
  int listCount(int id) const;
  std::string listText(int id, int index) const;
  int listSelection(int id) const;
  bool listSelect(int id, int index);
  int listFind(int id, std::string_view text) const;

  // Dialog units of the template's font, and their pixels.
  Size baseUnits() const { return baseUnits_; }
  Rect mapDialogRect(const Rect& dialogUnits) const;
  int unitsToPixelsX(int units) const;
  int unitsToPixelsY(int units) const;

  // The user cannot make the client area smaller than this.
  void setMinTrackSize(Size client);
  Size minTrackSize() const { return minTrack_; }
  Resizer& resizer() { return resizer_; }
  void centerOn(const Window* reference);

  // Input from the backends and the test script.
  bool handleCommand(int id, int code) override;
  // A key for the focused control of this dialog: the pre-translate chain,
  // the control, then the dialog's keys (Escape cancels, Enter presses the
  // default button, Tab moves the focus).
  bool dispatchKey(const KeyEvent& key);
  void requestClose() { onClose(); }
  void userResize(Size client) override;
  Window* defaultButton() const;
  // The next control that takes the focus with Tab (wrapping), or null.
  Window* nextTabItem(const Window* from, bool backwards) const;

 private:
  bool build(bool child);
  void initialize();
  void teardown();

  struct Handler {
    int id;
    int code;
    std::function<void()> fn;
  };
  int templateId_ = 0;
  std::string templateName_;
  Size baseUnits_{6, 13};
  Size minTrack_;
  Resizer resizer_{*this};
  std::vector<Handler> handlers_;
  bool created_ = false;
  bool modal_ = false;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace ui
