// Tab order, the editing commands of the designer window, the pixel
// accessors and the property fields of a design.
#include <algorithm>

#include "core/ArrayHelpers.h"
#include "core/dialString.h"
#include "designer/CControlRect.h"
#include "designer/CSelectionTracker.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Services.h"
#include "spreadsheet/KvValueDlg.h"

// ---- tab order ---------------------------------------------------------------------------------

void Nx_DlgDesignerData::sortAllControls() {
  std::vector<int> remaining;
  for (int i = 0; i < controls_.length(); ++i) {
    const Nx_DesignerControl& c = controls_[i];
    if (!c.readOnly && c.type != ctLabel && c.type != ctGroupFrame) remaining.push_back(i);
  }
  int counter = 1;
  while (!remaining.empty()) sortNextRow(remaining, counter);
}

void Nx_DlgDesignerData::sortNextRow(std::vector<int>& remaining, int& counter) {
  double top = 100.0;
  int leader = -1;
  for (int i : remaining)
    if (controls_[i].topLeftY < top) {
      top = controls_[i].topLeftY;
      leader = i;
    }
  if (leader < 0) leader = remaining.front();
  const double threshold = controls_[leader].bottomRightY;
  AcArray<double> lefts;
  AcArray<int> row;
  std::vector<int> rest;
  for (int i : remaining) {
    if (i == leader || controls_[i].topLeftY <= threshold) {
      lefts.append(controls_[i].topLeftX);
      row.append(i);
    } else {
      rest.push_back(i);
    }
  }
  ObjectExportSort(lefts, &row);
  for (int k = 0; k < row.length(); ++k) controls_[row[k]].tabOrder = counter++;
  remaining = std::move(rest);
}

bool Nx_DlgDesignerData::containsEditableCtrls() const {
  for (const Nx_DesignerControl& c : controls_)
    if (!c.readOnly) return true;
  return false;
}

bool Nx_DlgDesignerData::findCtrlWithTabOrder(int tabOrder, int& index) const {
  for (int i = 0; i < controls_.length(); ++i)
    if (controls_[i].tabOrder == tabOrder) {
      index = i;
      return true;
    }
  return false;
}

bool Nx_DlgDesignerData::getFocusedDynControl(int& resourceId) const {
  const ui::Window* focus = ui::Window::focused();
  if (!focus || !dialog_ || !dialog_->isAncestorOf(focus)) return false;
  resourceId = focus->id();
  return resourceId != 0;
}

bool Nx_DlgDesignerData::handleTabKey(int virtualKey, Nx_TabMsgHandle& result) {
  result = tabNotHandled;
  if (virtualKey != ui::VK_TAB || !initialised_ || !containsEditableCtrls()) return false;
  const bool backwards = ui::isShiftDown();
  int id = 0, index = -1;
  if (!getFocusedDynControl(id) || !findCtrlFromResource(id, index)) return false;
  const int position = controls_[index].tabOrder;
  int next = -1;
  if (backwards) {
    if (position < 2 || !findCtrlWithTabOrder(position - 1, next)) {
      result = tabBeforeFirst;
      return true;
    }
  } else if (!findCtrlWithTabOrder(position + 1, next)) {
    result = tabPastLast;
    return true;
  }
  setFocusToCtrl(next);
  result = tabMoved;
  return true;
}

bool Nx_DlgDesignerData::setFocusToCtrl(int index) {
  ui::Window* w = nullptr;
  if (!getCtrlPtr(index, w)) return false;
  w->setFocus();
  if (auto* e = dynamic_cast<ui::Edit*>(w)) e->setSel(0, -1);
  return true;
}

bool Nx_DlgDesignerData::setFocusToCtrl(bool first) {
  if (!containsEditableCtrls()) return false;
  int index = -1;
  if (first) return findCtrlWithTabOrder(1, index) && setFocusToCtrl(index);
  int best = 0;
  for (int i = 0; i < controls_.length(); ++i)
    if (controls_[i].tabOrder > best) {
      best = controls_[i].tabOrder;
      index = i;
    }
  return index >= 0 && setFocusToCtrl(index);
}

// ---- selection ---------------------------------------------------------------------------------

std::vector<int> Nx_DlgDesignerData::getSelectedIds() const {
  return tracker_ ? tracker_->selectedIds() : std::vector<int>{};
}

int Nx_DlgDesignerData::getCurSel() const {
  int index = -1;
  if (!tracker_) return -1;
  return findCtrlFromResource(tracker_->currentId(), index) ? index : -1;
}

void Nx_DlgDesignerData::selectCtrls(const std::vector<int>& ids) {
  if (!tracker_) return;
  tracker_->clearSelection();
  for (int id : ids) tracker_->select(id, false);
  if (dialog_) dialog_->invalidate();
}

void Nx_DlgDesignerData::reselect(const std::vector<int>& ids) {
  redrawAllControls();
  selectCtrls(ids);
}

bool Nx_DlgDesignerData::findMostLeftCtrl(const std::vector<int>& ids, int& index) const {
  double best = 100000;
  bool found = false;
  for (int id : ids) {
    int i = -1;
    if (!findCtrlFromResource(id, i)) continue;
    const double left = getTopLeftX(controls_[i]);
    if (left < best) {
      best = left;
      index = i;
      found = true;
    }
  }
  return found;
}

// ---- editing commands --------------------------------------------------------------------------

bool Nx_DlgDesignerData::removeCurControls() {
  if (!tracker_) return false;
  for (int id : tracker_->selectedIds()) {
    removeDrawnCtrlOnly(id);
    int index = -1;
    if (findCtrlFromResource(id, index)) removeControl(index);
  }
  if (dialog_) dialog_->invalidate();
  return true;
}

void Nx_DlgDesignerData::copyCurCtrls() {
  if (!tracker_) return;
  const std::vector<int> ids = tracker_->selectedIds();
  if (ids.empty()) return;
  getSizeFromAllControls();
  std::vector<int> copies;
  for (int id : ids) {
    int index = -1;
    if (!findCtrlFromResource(id, index)) continue;
    Nx_DesignerControl copy = controls_[index];
    setTopLeftX(copy, getTopLeftX(copy) + 20);
    setTopLeftY(copy, getTopLeftY(copy) + 20);
    setBottomRightX(copy, getBottomRightX(copy) + 20);
    setBottomRightY(copy, getBottomRightY(copy) + 20);
    const int newId = append(copy);
    drawControl(controls_[controls_.length() - 1]);
    copies.push_back(newId);
  }
  reselect(copies);
}

bool Nx_DlgDesignerData::outlineCurCtrls() {
  if (!tracker_) return false;
  const std::vector<int> ids = tracker_->selectedIds();
  if (ids.empty()) return false;
  getSizeFromAllControls();
  int ref = -1;
  if (!findMostLeftCtrl(ids, ref)) return false;
  const double bottom = getBottomRightY(controls_[ref]);
  for (int id : ids) {
    int i = -1;
    if (!findCtrlFromResource(id, i) || i == ref) continue;
    Nx_DesignerControl& c = controls_[i];
    const double height = getHeight(c);
    setBottomRightY(c, bottom);
    setHeight(c, height);
  }
  reselect(ids);
  return true;
}

bool Nx_DlgDesignerData::stickRightCurCtrls() {
  if (!tracker_) return false;
  const std::vector<int> ids = tracker_->selectedIds();
  if (ids.size() != 2) return false;
  getSizeFromAllControls();
  int ref = -1;
  if (!findMostLeftCtrl(ids, ref)) return false;
  const Nx_DesignerControl& r = controls_[ref];
  for (int id : ids) {
    int i = -1;
    if (!findCtrlFromResource(id, i) || i == ref) continue;
    Nx_DesignerControl& c = controls_[i];
    const double width = getWidth(c);
    setTopLeftX(c, getBottomRightX(r));
    setBottomRightX(c, getBottomRightX(r) + width);
    c.topLeftY = r.topLeftY;
    c.bottomRightY = r.bottomRightY;
  }
  reselect(ids);
  return true;
}

void Nx_DlgDesignerData::changeCtrlSize(bool width) {
  if (!tracker_) return;
  const std::vector<int> ids = tracker_->selectedIds();
  if (ids.empty()) return;
  getSizeFromAllControls();
  Nx_String text = width ? "30" : "18";
  if (!KvValueDlg::ask(dialString(width ? 90 : 744), dialString(width ? 825 : 826), text)) return;
  double size = 0;
  // A size that is no number, or not above zero, would make the controls vanish.
  if (!text.trimmed().toDouble(size) || size <= 0) return;
  for (int id : ids) {
    int i = -1;
    if (findCtrlFromResource(id, i)) changeCtrlSize(i, width, size);
  }
  reselect(ids);
}

void Nx_DlgDesignerData::changeCtrlSize(int index, bool width, double size) {
  Nx_DesignerControl* c = controls_.get(index);
  if (!c) return;
  if (width)
    c->bottomRightX = c->topLeftX + pixelsToFactor(true, size);
  else
    c->bottomRightY = c->topLeftY + pixelsToFactor(false, size);
}

// ---- pixel accessors ---------------------------------------------------------------------------

double Nx_DlgDesignerData::getTopLeftX(const Nx_DesignerControl& c) const {
  return factorToPixels(true, c.topLeftX);
}
double Nx_DlgDesignerData::getTopLeftY(const Nx_DesignerControl& c) const {
  return factorToPixels(false, c.topLeftY);
}
double Nx_DlgDesignerData::getBottomRightX(const Nx_DesignerControl& c) const {
  return factorToPixels(true, c.bottomRightX);
}
double Nx_DlgDesignerData::getBottomRightY(const Nx_DesignerControl& c) const {
  return factorToPixels(false, c.bottomRightY);
}
double Nx_DlgDesignerData::getWidth(const Nx_DesignerControl& c) const {
  return getBottomRightX(c) - getTopLeftX(c);
}
double Nx_DlgDesignerData::getHeight(const Nx_DesignerControl& c) const {
  return getBottomRightY(c) - getTopLeftY(c);
}
void Nx_DlgDesignerData::setTopLeftX(Nx_DesignerControl& c, double v) const {
  c.topLeftX = pixelsToFactor(true, v);
}
void Nx_DlgDesignerData::setTopLeftY(Nx_DesignerControl& c, double v) const {
  c.topLeftY = pixelsToFactor(false, v);
}
void Nx_DlgDesignerData::setBottomRightX(Nx_DesignerControl& c, double v) const {
  c.bottomRightX = pixelsToFactor(true, v);
}
void Nx_DlgDesignerData::setBottomRightY(Nx_DesignerControl& c, double v) const {
  c.bottomRightY = pixelsToFactor(false, v);
}
void Nx_DlgDesignerData::setWidth(Nx_DesignerControl& c, double v) const {
  setBottomRightX(c, getTopLeftX(c) + v);
}
void Nx_DlgDesignerData::setHeight(Nx_DesignerControl& c, double v) const {
  setTopLeftY(c, getBottomRightY(c) - v);
}

// ---- property fields ---------------------------------------------------------------------------

namespace {
int contentsCaption(int type) {
  switch (type) {
    case ctLabel:
    case ctGroupFrame:
    case ctVariableButton:
    case ctVariableFileButton:
    case ctCheckBox:
      return 827;
    case ctInputField:
    case ctEditableList:
      return 828;
    case ctBoltCount1:
    case ctBoltCount2:
    case ctBoltButton:
      return 829;
    case ctCutTypeList:
      return 1406;
    case ctFlexButton:
      return 1429;
    default:
      if (type >= ctProfile && type <= ctProfileSettings) return 830;
      if (type >= ctArrayFirst && type <= ctArrayButton) return 831;
      return 0;
  }
}

Nx_String joined(std::initializer_list<int> numbers) {
  Nx_String s;
  for (int n : numbers) s += (s.isEmpty() ? "" : ";") + dialString(n);
  return s;
}

// The caption of the extended field, or nothing for types without one.
bool extendedCaption(int type, Nx_String& caption) {
  switch (type) {
    case ctLabel:
    case ctGroupFrame:
      caption = dialString(1403);
      return true;
    case ctCheckBox:
      caption = dialString(828);
      return true;
    case ctEditableList:
      caption = dialString(833);
      return true;
    case ctArrayEntry:
      caption = dialString(834);
      return true;
    case ctOfferedList:
      caption = dialString(1342);
      return true;
    case ctFlexButton:
      caption = joined({705, 1430, 1431});
      return true;
    case ctVariableButton:
      caption = joined({1316, 1317, 1318, 1319});
      return true;
    case ctVariableFileButton:
      caption = joined({1316, 1317, 1320, 1319});
      return true;
    default:
      return false;
  }
}
}  // namespace

void Nx_DlgDesignerData::updateProps(int index) {
  if (!designMode_ || !dialog_) return;
  const Nx_DesignerControl* c = controls_.get(index);
  const bool was = updating_;
  updating_ = true;
  if (!c) {
    dialog_->listSelect(typeListId_, -1);
    for (int id : {typeListId_, contentsFrameId_, contentsId_, extFrameId_, extId_}) {
      if (id != typeListId_) dialog_->setItemText(id, "");
      dialog_->enableItem(id, false);
    }
    updating_ = was;
    return;
  }
  for (int id : {typeListId_, contentsFrameId_, contentsId_}) dialog_->enableItem(id, true);
  dialog_->listSelect(typeListId_, c->type);
  const int caption = contentsCaption(c->type);
  dialog_->setItemText(contentsFrameId_, caption ? dialString(caption).str() : "");
  dialog_->setItemText(contentsId_, c->contents);
  Nx_String ext;
  const bool hasExt = extendedCaption(c->type, ext);
  dialog_->setItemText(extFrameId_, ext);
  dialog_->setItemText(extId_, hasExt ? c->getMergedExtComboList() : Nx_String());
  dialog_->enableItem(extFrameId_, hasExt);
  dialog_->enableItem(extId_, hasExt);
  updating_ = was;
}

void Nx_DlgDesignerData::updatePropsOfCurSel() {
  updating_ = true;
  const int index = getCurSel();
  updateProps(index);
  if (tracker_ && controls_.isValid(index)) tracker_->select(controls_[index].resourceId, true);
  updating_ = false;
}

void Nx_DlgDesignerData::readProps(int index) {
  Nx_DesignerControl* c = controls_.get(index);
  if (!c || !dialog_) return;
  const int type = dialog_->listSelection(typeListId_);
  if (isValidControlType(type)) c->type = type;
  c->contents = dialog_->itemText(contentsId_);
  if (dialog_->isItemEnabled(extId_)) c->setSplitExtComboList(dialog_->itemText(extId_));
}

void Nx_DlgDesignerData::propsOfCurSelUpdated() {
  if (updating_ || !designMode_) return;
  const int index = getCurSel();
  Nx_DesignerControl* c = controls_.get(index);
  if (!c) return;
  const Nx_DesignerControl before = *c;
  readProps(index);
  if (!c->contents.equal(before.contents, true)) {
    ui::Window* w = nullptr;
    if (c->getCtrlPtr(dialog_, w)) {
      w->setText(c->contents);
      w->invalidate();
    }
  }
  if (c->type != before.type) {
    const int id = c->resourceId;
    getSizeFromAllControls();
    redrawAllControls();
    if (tracker_) tracker_->select(id, true);
    updatePropsOfCurSel();
  }
}
