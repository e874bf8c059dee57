#pragma once
#include "core/Nx_String.h"
#include "designer/Nx_DesignerHistory.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/ui/Dialog.h"

// The designer window (template DLG_DLGDESIGNER): the design's picture with
// its controls, moved and resized with the mouse and the arrow keys, the
// editing commands, the properties of the selected control, template files
// and the background picture, and undo and redo of every change.
class KvDlgDesigner : public ui::Dialog {
 public:
  static constexpr int kFirstResId = 33000;
  static constexpr int kLastResId = 33099;

  explicit KvDlgDesigner(Nx_String startPath);

  bool onInitDialog() override;
  void onOK() override;
  void onClose() override;
  void onDestroy() override;
  bool preTranslateKey(const ui::KeyEvent& key) override;
  bool onMouse(const ui::MouseEvent& mouse) override;
  void onPaint(ui::PaintContext& dc) override;
  void onSize(ui::Size client) override;

  Nx_DlgDesignerData& design() { return design_; }
  bool isModified() const { return pictureChanged_ || history_.isModified(); }
  bool undo();
  bool redo();

 private:
  void setupCommands();
  void setupLayout();
  void setTitle();
  // False when the user cancelled; Yes saves (asking for a name when the
  // design has none).
  bool askToSave();
  bool saveTo(const Nx_String& path);
  bool saveAs();
  bool save();
  void openTemplate();
  void loadTemplate(const Nx_String& path);
  void choosePicture();
  // Makes the window large enough to show the whole picture above the property fields.
  void fitToPicture();
  Nx_String startFolder() const;
  // Records the design's state after a change (for undo and the modified flag).
  void changed(int mergeKey = 0);
  void restore(const Nx_String& state);
  void showProblems();

  Nx_DlgDesignerData design_;
  Nx_String startPath_;
  Nx_DesignerHistory history_;
  bool pictureChanged_ = false;
};
