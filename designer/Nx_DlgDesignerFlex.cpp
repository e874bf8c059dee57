// Flex-button queries that macro dialogs make on a design, and the
// diagnostic listing of the controls' positions.
#include "core/CtrlHelpers.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/arx/acutil.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"

void Nx_DlgDesignerData::getFlexBtnsGroups(Nx_StringArray& groups) const {
  for (const Nx_DesignerControl& c : controls_)
    if (c.type == ctFlexButton && !groups.contains(c.flexGroup, false)) groups.append(c.flexGroup);
}

bool Nx_DlgDesignerData::getFlexBtnsInGroup(const Nx_String& group, AcArray<int>& all,
                                            AcArray<int>& withThird) const {
  all.removeAll();
  withThird.removeAll();
  if (group.isEmpty()) return true;
  for (int i = 0; i < controls_.length(); ++i) {
    const Nx_DesignerControl& c = controls_[i];
    if (c.type != ctFlexButton || !c.flexGroup.equal(group, false)) continue;
    all.append(i);
    if (!c.flexExt3.isEmpty()) withThird.append(i);
  }
  return true;
}

bool Nx_DlgDesignerData::getAllFlexVarsOfGroup(const Nx_String& group,
                                               Nx_StringArray& names) const {
  for (const Nx_DesignerControl& c : controls_)
    if (c.type == ctFlexButton && c.flexGroup.equal(group, false)) names.append(c.contents);
  return true;
}

bool Nx_DlgDesignerData::findFlexButton(const Nx_String& group, const Nx_String& variable,
                                        int& index) const {
  for (int i = 0; i < controls_.length(); ++i) {
    const Nx_DesignerControl& c = controls_[i];
    if (c.type == ctFlexButton && c.flexGroup.equal(group, false) &&
        c.contents.equal(variable, false)) {
      index = i;
      return true;
    }
  }
  return false;
}

bool Nx_DlgDesignerData::getFlexBtnGroupName(int resourceId, Nx_String& group,
                                             Nx_String& variable) const {
  int index = -1;
  if (!findCtrlFromResource(resourceId, index) || controls_[index].type != ctFlexButton)
    return false;
  group = controls_[index].flexGroup;
  variable = controls_[index].contents;
  return true;
}

bool Nx_DlgDesignerData::getSetFlexBtnStatus(bool set, int index, int& state) const {
  const Nx_DesignerControl* c = controls_.get(index);
  ui::Button* b = c ? c->getButtonPtr(dialog_) : nullptr;
  if (!b || c->type != ctFlexButton) return false;
  if (set)
    b->setCheck(state == ui::BST_CHECKED ? ui::BST_CHECKED : ui::BST_UNCHECKED);
  else
    state = b->checkState() == ui::BST_CHECKED ? 1 : 0;
  return true;
}

bool Nx_DlgDesignerData::getFlexBtnStatus(int index, int& state) const {
  return getSetFlexBtnStatus(false, index, state);
}

bool Nx_DlgDesignerData::setFlexBtnStatus(const Nx_String& group, const Nx_String& variable,
                                          int state) {
  int index = -1;
  return findFlexButton(group, variable, index) && getSetFlexBtnStatus(true, index, state);
}

bool Nx_DlgDesignerData::hideAllFlexBtns(const Nx_String& group) {
  for (const Nx_DesignerControl& c : controls_)
    if (c.type == ctFlexButton && c.flexGroup.equal(group, false))
      ShowOrHideCtrl(dialog_, c.resourceId, false);
  return true;
}

void Nx_DlgDesignerData::printPositions() const {
  for (const Nx_DesignerControl& c : controls_) {
    acutPrintf("**** Control %s ****\n", c.contents.c_str());
    acutPrintf("Left: %f - Right: %f\n", c.topLeftX, c.bottomRightX);
    acutPrintf("Top: %f - Bottom: %f\n", c.topLeftY, c.bottomRightY);
  }
  acutPrintf("********\n");
}
