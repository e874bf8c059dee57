#include "designer/Nx_ControlType.h"

#include "core/dialString.h"

using namespace ui;

bool isValidControlType(int type) {
  return type >= 0 && type < kControlTypeCount;
}

const char* windowClassName(int kind) {
  static const char* names[] = {"SCROLLBAR", "STATIC", "BUTTON", "EDIT", "LISTBOX", "COMBOBOX"};
  return kind >= 0 && kind < 6 ? names[kind] : "";
}

Nx_WindowKind controlWindowKind(int type) {
  switch (type) {
    case ctGroupFrame:
    case ctBoltButton:
    case ctButton:
    case ctProfileButton:
    case ctProfileSettings:
    case ctArrayButton:
    case ctVariableButton:
    case ctVariableFileButton:
    case ctCheckBox:
    case ctFlexButton:
      return Nx_WindowKind::Button;
    case ctInputField:
    case ctBoltCount1:
    case ctBoltCount2:
    case ctArrayEntry:
      return Nx_WindowKind::Edit;
    case ctEditableList:
    case ctBoltDiameter:
    case ctProfile:
    case ctProfileOffset:
    case ctProfileList:
    case ctOfferedList:
    case ctCutTypeList:
      return Nx_WindowKind::ComboBox;
    default:
      if (type > ctBoltDiameter && type <= ctBoltDataLast) return Nx_WindowKind::Edit;
      if (type >= ctArrayFirst && type <= ctArrayLast) return Nx_WindowKind::Edit;
      return Nx_WindowKind::Static;
  }
}

Style controlStyle(int type) {
  switch (controlWindowKind(type)) {
    case Nx_WindowKind::Edit:
      return type == ctBoltCount1 || type == ctBoltCount2 ? ES_MULTILINE | ES_AUTOVSCROLL
                                                          : ES_AUTOHSCROLL;
    case Nx_WindowKind::ComboBox:
      return type == ctEditableList || type == ctProfileList
                 ? WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL
                 : WS_VSCROLL | CBS_DROPDOWNLIST;
    case Nx_WindowKind::Button:
      if (type == ctGroupFrame) return BS_GROUPBOX;
      if (type == ctFlexButton) return BS_PUSHLIKE | BS_ICON | BS_VCENTER | BS_AUTOCHECKBOX;
      return BS_PUSHBUTTON;
    default:
      return SS_LEFT;
  }
}

Style controlExStyle(int type) {
  return controlWindowKind(type) == Nx_WindowKind::Edit ? WS_EX_CLIENTEDGE : 0;
}

Nx_String controlTypeLabel(int type) {
  static const int numbers[kControlTypeCount] = {
      799, 800, 801, 802, 803, 803, 804, 805, 806, 807, 808,  809,  810,  811,  812, 813,
      814, 815, 816, 817, 818, 819, 820, 821, 822, 823, 1315, 1341, 1404, 1405, 1428};
  if (!isValidControlType(type)) return dialString(799);
  if (type == ctBoltCount1 || type == ctBoltCount2)
    return dialString(803) + " " + Nx_String(type == ctBoltCount1 ? 1 : 2) + ": " +
           dialString(2220);
  return dialString(numbers[type]);
}
