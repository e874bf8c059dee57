#pragma once
#include <memory>
#include <vector>

#include "common/ss_export.h"
#include "core/Nx_Array.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "designer/Nx_DesignerControl.h"
#include "designer/Nx_DesignerPicture.h"
#include "platform/arx/AcArray.h"
#include "platform/ui/Geometry.h"

namespace ui {
class Dialog;
class PaintContext;
class Window;
}  // namespace ui
class CControlRect;
class CSelectionTracker;

// What the dialog does with a Tab key after handleTabKey.
enum Nx_TabMsgHandle : int {
  tabMoved = 0,        // the focus went to another designed control
  tabNotHandled = 1,   // the dialog handles the key as usual
  tabPastLast = 2,     // forward from the last control: leave the designed controls
  tabBeforeFirst = 3,  // backward from the first control: leave the designed controls
};

// The designer root folder: the library's "Dialog Templates/Dialog Design/".
Nx_String getDesignerRootFolder();
// Every template under the root folder (sub-folders too) as a name: the
// path without the root folder and the extension, sorted.
void getModuleImages(Nx_StringArray& names);

// One designed dialog: its controls over a background picture, bound to the
// dialog on which their windows are drawn. The designer window edits one in
// design mode; macro dialogs show one read-only and reach its values.
class SS_EXPORT Nx_DlgDesignerData {
 public:
  Nx_DlgDesignerData();
  virtual ~Nx_DlgDesignerData();
  // A design belongs to its dialog: a copy starts empty and assigning changes nothing.
  Nx_DlgDesignerData(const Nx_DlgDesignerData&);
  Nx_DlgDesignerData& operator=(const Nx_DlgDesignerData&);

  bool initialize(ui::Dialog* dialog, int firstResId, int lastResId, int typeListId,
                  int contentsFrameId, int contentsId, int extFrameId, int extId, bool designMode);
  bool isInitialised() const { return initialised_; }
  bool isDesignMode() const { return designMode_; }

  // Template files.
  bool readFromFile(const Nx_String& path, bool attachPicture);
  // False (and nothing written) outside the root folder or when the file
  // cannot be written; the previous template and picture then stay whole.
  // False too when the picture cannot follow the template to a new name:
  // each file is then whole, the old one or the new one.
  bool writeToFile(const Nx_String& path);
  static bool getNameFromFile(const Nx_String& path, Nx_String& name);
  const Nx_String& getTemplateName() const { return templateName_; }
  // What the last read could not take, one "file: key: problem" each.
  const Nx_StringArray& getReadProblems() const { return readProblems_; }
  // The template text of the design as it stands (the factors taken from
  // the screen first), and a design made again from such a text, drawn.
  Nx_String getTemplateText();
  bool setTemplateText(const Nx_String& text);

  // The control list.
  int append(const Nx_DesignerControl& control);
  bool addNewControl(int type);
  bool removeControl(int index);
  void removeAllControls();
  int getNrControls() const { return controls_.length(); }
  const Nx_DesignerControl* getControl(int index) const { return controls_.get(index); }
  Nx_DesignerControl* getControlWrite(int index) { return controls_.get(index); }
  Nx_DesignerControl* getControlFromRes(int resourceId);
  bool findCtrlFromResource(int resourceId, int& index) const;
  void getAllCtrlNames(Nx_StringArray& names) const;
  bool findEditCtrlWithContents(const Nx_String& name, int& index) const;
  bool isTypeBoltCount(int resourceId) const;
  bool getDynControlType(int resourceId, int& type) const;
  bool isADynControl(int resourceId) const;

  // Picture and factors.
  bool attachBitmap(const Nx_String& path);
  const Nx_DesignerPicture& picture() const { return picture_; }
  void getImageSize(int& width, int& height) const;
  double factorToPixels(bool isX, double value) const;
  double pixelsToFactor(bool isX, double value) const;
  ui::Rect pixelRect(const Nx_DesignerControl& control) const;
  void getSizeFromControl(int index);
  void getSizeFromAllControls();

  // Values of the on-screen controls, for macro dialogs.
  bool getCtrlValue(int resourceId, Nx_String& value) const;
  bool setCtrlValue(int resourceId, const Nx_String& value);
  bool setCtrlReadOnly(int resourceId, bool readOnly);

  // On-screen controls.
  bool drawControl(Nx_DesignerControl& control);
  ui::Dialog* getDlgPtr() const { return dialog_; }
  bool getCtrlPtr(int index, ui::Window*& window) const;
  bool findDrawnCtrlFromResource(int resourceId, int& index, CControlRect*& control) const;
  void redrawAllControls();
  void removeAllDrawnCtrls();
  bool removeDrawnCtrlOnly(int resourceId);
  CSelectionTracker* tracker() const { return tracker_.get(); }

  // Tab order.
  void sortAllControls();
  bool handleTabKey(int virtualKey, Nx_TabMsgHandle& result);
  bool setFocusToCtrl(bool first);
  bool containsEditableCtrls() const;
  bool findCtrlWithTabOrder(int tabOrder, int& index) const;
  bool getFocusedDynControl(int& resourceId) const;

  // Editing commands on the selection.
  bool removeCurControls();
  void copyCurCtrls();
  bool outlineCurCtrls();
  bool stickRightCurCtrls();
  void changeCtrlSize(bool width);
  void changeCtrlSize(int index, bool width, double size);
  bool findMostLeftCtrl(const std::vector<int>& resourceIds, int& index) const;
  void selectCtrls(const std::vector<int>& resourceIds);
  std::vector<int> getSelectedIds() const;
  int getCurSel() const;

  // Property fields of the designer window.
  void updateProps(int index);
  void updatePropsOfCurSel();
  void readProps(int index);
  void propsOfCurSelUpdated();

  // Edges in pixels of the picture.
  double getTopLeftX(const Nx_DesignerControl& c) const;
  double getTopLeftY(const Nx_DesignerControl& c) const;
  double getBottomRightX(const Nx_DesignerControl& c) const;
  double getBottomRightY(const Nx_DesignerControl& c) const;
  double getWidth(const Nx_DesignerControl& c) const;
  double getHeight(const Nx_DesignerControl& c) const;
  void setTopLeftX(Nx_DesignerControl& c, double v) const;
  void setTopLeftY(Nx_DesignerControl& c, double v) const;
  void setBottomRightX(Nx_DesignerControl& c, double v) const;
  void setBottomRightY(Nx_DesignerControl& c, double v) const;
  void setWidth(Nx_DesignerControl& c, double v) const;
  void setHeight(Nx_DesignerControl& c, double v) const;

  // Flex buttons.
  void getFlexBtnsGroups(Nx_StringArray& groups) const;
  bool getFlexBtnsInGroup(const Nx_String& group, AcArray<int>& all, AcArray<int>& withThird) const;
  bool getAllFlexVarsOfGroup(const Nx_String& group, Nx_StringArray& names) const;
  bool findFlexButton(const Nx_String& group, const Nx_String& variable, int& index) const;
  bool getFlexBtnGroupName(int resourceId, Nx_String& group, Nx_String& variable) const;
  bool getFlexBtnStatus(int index, int& state) const;
  bool setFlexBtnStatus(const Nx_String& group, const Nx_String& variable, int state);
  bool getSetFlexBtnStatus(bool set, int index, int& state) const;
  bool hideAllFlexBtns(const Nx_String& group);

  void printPositions() const;

  // Window messages forwarded by the owning dialog.
  void OnEraseBkgnd(ui::PaintContext& dc) const;
  void OnPaint(ui::PaintContext& dc) const;
  bool OnLButtonDown(ui::Point p, bool shift, bool control);
  void OnMouseMove(ui::Point p);
  bool OnLButtonUp(ui::Point p);
  bool OnSetCursor(ui::Point p);

 protected:
  void sortNextRow(std::vector<int>& remaining, int& counter);
  bool setFocusToCtrl(int index);

 private:
  void fillDesCombo(const Nx_DesignerControl& control, ui::Window& window);
  void applyValue(const Nx_DesignerControl& control, ui::Window& window, const Nx_String& value);
  void reselect(const std::vector<int>& ids);
  Nx_PropertiesList toPropList();
  // Replaces the controls with those of the list; problems go to readProblems_.
  void loadPropList(const Nx_PropertiesList& list, const Nx_String& source);

  bool initialised_ = false;
  ui::Dialog* dialog_ = nullptr;
  std::vector<std::unique_ptr<CControlRect>> drawn_;
  std::unique_ptr<CSelectionTracker> tracker_;
  Nx_DesignerPicture picture_;
  int firstResId_ = 0;
  int lastResId_ = 0;
  bool designMode_ = false;
  int typeListId_ = 0, contentsFrameId_ = 0, contentsId_ = 0, extFrameId_ = 0, extId_ = 0;
  bool updating_ = false;
  Nx_String templateName_;
  Nx_Array<Nx_DesignerControl> controls_;
  Nx_StringArray readProblems_;
};
