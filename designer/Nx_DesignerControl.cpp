#include "designer/Nx_DesignerControl.h"

#include <cmath>

#include "core/FileHelpers.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"

namespace {
Nx_String key(const char* word, int i) {
  return Nx_String(word) + Nx_String(i);
}

bool hasExtParts(int type) {
  return type == ctFlexButton || type == ctVariableButton || type == ctVariableFileButton;
}
}  // namespace

bool Nx_DesignerControl::getFromPropList(const Nx_PropertiesList& list, int i,
                                         std::vector<Nx_String>* problems) {
  auto report = [&](const Nx_String& k, const char* what) {
    if (problems) problems->push_back(k + ": " + what);
  };
  type = ctLabel;
  Nx_String k = key("type", i);
  if (!list.has(k)) {
    report(k, "missing; the control is a label");
  } else if (int t = 0; !list.getInt(k, t)) {
    report(k, "not a whole number; the control is a label");
  } else if (!isValidControlType(t)) {
    report(k, "outside 0 to 30; the control is a label");
  } else {
    type = t;
  }

  bool placeable = true;
  double* edges[] = {&topLeftX, &topLeftY, &bottomRightX, &bottomRightY};
  const char* words[] = {"topLeftX", "topLeftY", "bottomRightX", "bottomRightY"};
  for (int e = 0; e < 4; ++e) {
    k = key(words[e], i);
    double v = 0;
    if (!list.has(k)) {
      report(k, "missing; the control is left out");
      placeable = false;
    } else if (!list.getDouble(k, v) || !std::isfinite(v)) {
      report(k, "not a number; the control is left out");
      placeable = false;
    } else if (v < 0 || v > 1) {
      report(k, "outside 0 to 1; the control is left out");
      placeable = false;
    } else {
      *edges[e] = v;
    }
  }

  k = key("contents", i);
  if (list.has(k) && !list.getString(k, contents)) report(k, "not a text");
  Nx_String merged;
  k = key("comboList", i);
  if (list.has(k) && !list.getString(k, merged))
    report(k, "not a text");
  else if (list.has(k))
    setSplitExtComboList(merged);
  return placeable;
}

void Nx_DesignerControl::setToPropList(Nx_PropertiesList& list, int i) const {
  list.setInt(key("type", i), type);
  list.setDouble(key("topLeftX", i), topLeftX);
  list.setDouble(key("topLeftY", i), topLeftY);
  list.setDouble(key("bottomRightX", i), bottomRightX);
  list.setDouble(key("bottomRightY", i), bottomRightY);
  list.setString(key("contents", i), contents);
  list.setString(key("comboList", i), getMergedExtComboList());
}

Nx_String Nx_DesignerControl::getMergedExtComboList() const {
  if (type == ctFlexButton) return flexGroup + ";" + flexExt2 + ";" + flexExt3 + ";" + flexExt4;
  if (type == ctVariableButton || type == ctVariableFileButton)
    return btnExt1 + ";" + btnExt2 + ";" + btnExt3 + ";" + btnExt4 + ";" + comboList;
  return comboList;
}

bool Nx_DesignerControl::setSplitExtComboList(const Nx_String& text) {
  if (!hasExtParts(type)) {
    comboList = text;
    return true;
  }
  std::vector<Nx_String*> parts;
  if (type == ctFlexButton)
    parts = {&flexGroup, &flexExt2, &flexExt3, &flexExt4};
  else
    parts = {&btnExt1, &btnExt2, &btnExt3, &btnExt4, &comboList};
  for (Nx_String* p : parts) p->setEmpty();
  size_t part = 0;
  int start = 0;
  while (part < parts.size()) {
    int end = text.find(';', start);
    *parts[part++] = text.mid(start, end < 0 ? -1 : end - start);
    if (end < 0) break;
    start = end + 1;
  }
  return true;
}

void Nx_DesignerControl::getComboItemsFromFile(Nx_StringArray& items) const {
  if (comboList.isEmpty() || !fileExists(comboList)) return;
  Nx_StringArray lines;
  if (ObjectExportReadFile(comboList, lines)) items = lines;
}

bool Nx_DesignerControl::getCtrlPtr(const ui::Dialog* dialog, ui::Window*& window) const {
  window = dialog && resourceId != 0 ? dialog->item(resourceId) : nullptr;
  return window != nullptr;
}

ui::ComboBox* Nx_DesignerControl::getComboPtr(const ui::Dialog* dialog) const {
  if (type != ctEditableList && type != ctProfile && type != ctProfileOffset &&
      type != ctProfileList)
    return nullptr;
  ui::Window* w = nullptr;
  return getCtrlPtr(dialog, w) ? dynamic_cast<ui::ComboBox*>(w) : nullptr;
}

ui::Button* Nx_DesignerControl::getButtonPtr(const ui::Dialog* dialog) const {
  if (controlWindowKind(type) != Nx_WindowKind::Button) return nullptr;
  ui::Window* w = nullptr;
  return getCtrlPtr(dialog, w) ? dynamic_cast<ui::Button*>(w) : nullptr;
}

ui::Edit* Nx_DesignerControl::getEditPtr(const ui::Dialog* dialog) const {
  if (controlWindowKind(type) != Nx_WindowKind::Edit) return nullptr;
  ui::Window* w = nullptr;
  return getCtrlPtr(dialog, w) ? dynamic_cast<ui::Edit*>(w) : nullptr;
}
