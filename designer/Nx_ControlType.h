#pragma once
#include "core/Nx_String.h"
#include "platform/ui/Styles.h"

// Kinds of a designed control, stored as an integer in the template file.
// The value fixes the window class, the style and how the macro dialogs
// bind the control; values outside 0..30 are shown as labels.
enum Nx_ControlType : int {
  ctLabel = 0,
  ctGroupFrame = 1,
  ctInputField = 2,
  ctEditableList = 3,
  ctBoltCount1 = 4,
  ctBoltCount2 = 5,
  ctBoltButton = 6,
  ctBoltDiameter = 7,
  ctBoltDataLast = 11,
  ctButton = 12,
  ctProfile = 13,
  ctProfileButton = 14,
  ctProfileOffset = 15,
  ctProfileList = 16,
  ctProfileSettings = 17,
  ctArrayFirst = 18,
  ctArrayLast = 22,
  ctArrayEntry = 23,
  ctArrayButton = 24,
  ctVariableButton = 25,
  ctVariableFileButton = 26,
  ctOfferedList = 27,
  ctCutTypeList = 28,
  ctCheckBox = 29,
  ctFlexButton = 30,
};

inline constexpr int kControlTypeCount = 31;

// Window-class kinds of an on-screen control.
enum class Nx_WindowKind : int {
  ScrollBar = 0,
  Static = 1,
  Button = 2,
  Edit = 3,
  ListBox = 4,
  ComboBox = 5
};

bool isValidControlType(int type);
// The class name of a kind index; empty for an index outside 0..5.
const char* windowClassName(int kind);
Nx_WindowKind controlWindowKind(int type);
// Style and extended style added to child and visible.
ui::Style controlStyle(int type);
ui::Style controlExStyle(int type);
// The label of the designer's type list.
Nx_String controlTypeLabel(int type);
