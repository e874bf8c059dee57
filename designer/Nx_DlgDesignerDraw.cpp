// The on-screen controls of a design: creating their windows from the
// records, filling their lists, and taking them down again.
#include "core/dialString.h"
#include "designer/CControlRect.h"
#include "designer/CSelectionTracker.h"
#include "designer/Nx_DlgDesignerData.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListControl.h"

namespace {
// The icon resource of flex buttons.
constexpr int kFlexButtonIcon = 212;
// Height of a combo box with its list dropped down, outside the designer.
constexpr int kDropDownHeight = 200;
}  // namespace

bool Nx_DlgDesignerData::drawControl(Nx_DesignerControl& c) {
  if (!initialised_ || !dialog_) return false;
  ui::Rect r = pixelRect(c);
  const Nx_WindowKind kind = controlWindowKind(c.type);
  if (!designMode_ && kind == Nx_WindowKind::ComboBox && r.height() < kDropDownHeight)
    r.bottom = r.top + kDropDownHeight;
  const ui::Style style = ui::WS_CHILD | ui::WS_VISIBLE | controlStyle(c.type);

  auto drawn = std::make_unique<CControlRect>();
  // In the designer the dialog draws its controls, so the mouse over them
  // reaches the tracker and the handles lie on top.
  const ui::Style exStyle = controlExStyle(c.type) | (designMode_ ? ui::WS_EX_PARENTDRAWN : 0);
  drawn->create(static_cast<int>(kind), exStyle, style, c.contents.str(), *dialog_, r,
                c.resourceId);
  ui::Window& w = *drawn->window();
  if (c.readOnly || (designMode_ && kind != Nx_WindowKind::Static)) w.enable(false);
  CControlRect* raw = drawn.get();
  drawn_.push_back(std::move(drawn));
  if (tracker_) tracker_->registerControl(raw);

  if (kind == Nx_WindowKind::ComboBox) fillDesCombo(c, w);
  if (c.type == ctCutTypeList) applyValue(c, w, c.contents);
  if (c.type == ctCheckBox) applyValue(c, w, c.comboList);
  if (c.type == ctFlexButton) w.setIcon(kFlexButtonIcon);
  return true;
}

void Nx_DlgDesignerData::fillDesCombo(const Nx_DesignerControl& c, ui::Window& window) {
  auto* list = dynamic_cast<ui::ListControl*>(&window);
  if (!list) return;
  if (c.type == ctCutTypeList) {
    list->setItems({dialString(1395).str(), dialString(1396).str(), dialString(1397).str(),
                    dialString(1398).str(), dialString(695).str()});
    return;
  }
  Nx_StringArray items = c.comboItems;
  if (items.isEmpty()) c.getComboItemsFromFile(items);
  if (items.isEmpty()) return;
  std::vector<std::string> texts;
  for (const Nx_String& s : items) texts.push_back(s.str());
  list->setItems(texts);
  int match = -1;
  for (int i = 0; i < items.length() && match < 0; ++i)
    if (items[i] == c.contents) match = i;
  if (match >= 0)
    list->setCurSel(match);
  else
    window.setText(c.contents);
}

bool Nx_DlgDesignerData::getCtrlPtr(int index, ui::Window*& window) const {
  const Nx_DesignerControl* c = controls_.get(index);
  return c && c->getCtrlPtr(dialog_, window);
}

bool Nx_DlgDesignerData::findDrawnCtrlFromResource(int resourceId, int& index,
                                                   CControlRect*& control) const {
  for (const auto& d : drawn_)
    if (d->id() == resourceId) {
      if (!findCtrlFromResource(resourceId, index)) return false;
      control = d.get();
      return true;
    }
  return false;
}

void Nx_DlgDesignerData::redrawAllControls() {
  if (!designMode_)
    sortAllControls();
  else if (tracker_)
    tracker_->clearSelection();
  removeAllDrawnCtrls();
  for (Nx_DesignerControl& c : controls_) drawControl(c);
  if (dialog_) dialog_->invalidate();
}

void Nx_DlgDesignerData::removeAllDrawnCtrls() {
  for (const Nx_DesignerControl& c : controls_) removeDrawnCtrlOnly(c.resourceId);
  // Windows of records that went before their window.
  while (!drawn_.empty()) removeDrawnCtrlOnly(drawn_.back()->id());
}

bool Nx_DlgDesignerData::removeDrawnCtrlOnly(int resourceId) {
  for (auto it = drawn_.begin(); it != drawn_.end(); ++it)
    if ((*it)->id() == resourceId) {
      if (tracker_) tracker_->unregisterControl(resourceId);
      drawn_.erase(it);
      return true;
    }
  return false;
}
