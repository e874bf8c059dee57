#pragma once
#include <vector>

#include "common/ss_export.h"
#include "core/Nx_PropertiesList.h"
#include "core/Nx_String.h"
#include "core/Nx_StringArray.h"
#include "designer/Nx_ControlType.h"

namespace ui {
class Button;
class ComboBox;
class Dialog;
class Edit;
class Window;
}  // namespace ui

// One control of a designed dialog: its kind, its rectangle as factors of
// the background picture's size and the texts that bind it to a macro.
class SS_EXPORT Nx_DesignerControl {
 public:
  Nx_DesignerControl() = default;
  virtual ~Nx_DesignerControl() = default;
  Nx_DesignerControl(const Nx_DesignerControl&) = default;
  Nx_DesignerControl& operator=(const Nx_DesignerControl&) = default;

  // Reads the seven keys of control i. Anything a key cannot give (missing,
  // not a number, a factor outside 0..1, a type outside the table) is added
  // to problems as "key: what is wrong"; the answer is false when the
  // rectangle is unsound, so the control cannot be placed.
  bool getFromPropList(const Nx_PropertiesList& list, int i,
                       std::vector<Nx_String>* problems = nullptr);
  void setToPropList(Nx_PropertiesList& list, int i) const;

  // The extended parts joined by ";" (flex buttons, variable buttons) or
  // comboList as it is (every other type).
  Nx_String getMergedExtComboList() const;
  bool setSplitExtComboList(const Nx_String& text);

  // The lines of the comboList file, when it names one.
  void getComboItemsFromFile(Nx_StringArray& items) const;

  // The on-screen window of the control on the dialog.
  bool getCtrlPtr(const ui::Dialog* dialog, ui::Window*& window) const;
  ui::ComboBox* getComboPtr(const ui::Dialog* dialog) const;
  ui::Button* getButtonPtr(const ui::Dialog* dialog) const;
  ui::Edit* getEditPtr(const ui::Dialog* dialog) const;

  bool operator==(const Nx_DesignerControl&) const = default;

  int type = ctLabel;
  bool readOnly = false;
  int resourceId = 0;
  int tabOrder = 0;
  double topLeftX = 0;
  double topLeftY = 0;
  double bottomRightX = 0;
  double bottomRightY = 0;
  Nx_String contents;
  Nx_String comboList;
  Nx_String flexGroup, flexExt2, flexExt3, flexExt4;
  Nx_String btnExt1, btnExt2, btnExt3, btnExt4;
  Nx_StringArray comboItems;
};
