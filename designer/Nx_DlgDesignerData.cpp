#include "designer/Nx_DlgDesignerData.h"

#include "core/Rounding.h"
#include "core/dialString.h"
#include "designer/CControlRect.h"
#include "designer/CSelectionTracker.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlPainter.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/PaintContext.h"

Nx_DlgDesignerData::Nx_DlgDesignerData() = default;

Nx_DlgDesignerData::~Nx_DlgDesignerData() {
  // Windows go before the tracker that points at them.
  drawn_.clear();
}

Nx_DlgDesignerData::Nx_DlgDesignerData(const Nx_DlgDesignerData&) : Nx_DlgDesignerData() {}

Nx_DlgDesignerData& Nx_DlgDesignerData::operator=(const Nx_DlgDesignerData&) {
  return *this;
}

bool Nx_DlgDesignerData::initialize(ui::Dialog* dialog, int firstResId, int lastResId,
                                    int typeListId, int contentsFrameId, int contentsId,
                                    int extFrameId, int extId, bool designMode) {
  if (!dialog) return false;
  dialog_ = dialog;
  firstResId_ = firstResId;
  lastResId_ = lastResId;
  designMode_ = designMode;
  initialised_ = true;
  if (!designMode) return true;
  tracker_ = std::make_unique<CSelectionTracker>(dialog);
  typeListId_ = typeListId;
  contentsFrameId_ = contentsFrameId;
  contentsId_ = contentsId;
  extFrameId_ = extFrameId;
  extId_ = extId;
  std::vector<std::string> labels;
  for (int t = 0; t < kControlTypeCount; ++t) labels.push_back(controlTypeLabel(t).str());
  dialog->listSet(typeListId, labels);
  updatePropsOfCurSel();
  return true;
}

int Nx_DlgDesignerData::append(const Nx_DesignerControl& control) {
  auto record = std::make_unique<Nx_DesignerControl>(control);
  record->resourceId = 0;
  std::vector<bool> used(static_cast<size_t>(std::max(0, lastResId_ - firstResId_ + 1)), false);
  for (const Nx_DesignerControl& c : controls_)
    if (c.resourceId >= firstResId_ && c.resourceId <= lastResId_)
      used[static_cast<size_t>(c.resourceId - firstResId_)] = true;
  for (size_t i = 0; i < used.size(); ++i)
    if (!used[i]) {
      record->resourceId = firstResId_ + static_cast<int>(i);
      break;
    }
  const int id = record->resourceId;
  controls_.append(std::move(record));
  return id;
}

bool Nx_DlgDesignerData::addNewControl(int type) {
  Nx_DesignerControl c;
  c.type = type;
  c.contents = dialString(171);
  c.topLeftX = c.topLeftY = 0.2;
  c.bottomRightX = 0.2 + pixelsToFactor(true, 30);
  c.bottomRightY = 0.2 + pixelsToFactor(false, 18);
  append(c);
  drawControl(controls_[controls_.length() - 1]);
  return true;
}

bool Nx_DlgDesignerData::removeControl(int index) {
  return controls_.removeAt(index);
}

void Nx_DlgDesignerData::removeAllControls() {
  controls_.removeAll();
}

Nx_DesignerControl* Nx_DlgDesignerData::getControlFromRes(int resourceId) {
  int index = -1;
  return findCtrlFromResource(resourceId, index) ? controls_.get(index) : nullptr;
}

bool Nx_DlgDesignerData::findCtrlFromResource(int resourceId, int& index) const {
  if (resourceId < 1) return false;
  for (int i = 0; i < controls_.length(); ++i)
    if (controls_[i].resourceId == resourceId) {
      index = i;
      return true;
    }
  return false;
}

void Nx_DlgDesignerData::getAllCtrlNames(Nx_StringArray& names) const {
  for (const Nx_DesignerControl& c : controls_)
    if (c.type == ctInputField) names.append(c.contents);
}

bool Nx_DlgDesignerData::findEditCtrlWithContents(const Nx_String& name, int& index) const {
  for (int i = 0; i < controls_.length(); ++i) {
    const Nx_DesignerControl& c = controls_[i];
    if ((c.type == ctInputField || c.type == ctEditableList) && c.contents == name) {
      index = i;
      return true;
    }
  }
  return false;
}

bool Nx_DlgDesignerData::isTypeBoltCount(int resourceId) const {
  int type = -1;
  return getDynControlType(resourceId, type) && (type == ctBoltCount1 || type == ctBoltCount2);
}

bool Nx_DlgDesignerData::getDynControlType(int resourceId, int& type) const {
  int index = -1;
  if (!findCtrlFromResource(resourceId, index)) return false;
  type = controls_[index].type;
  return true;
}

bool Nx_DlgDesignerData::isADynControl(int resourceId) const {
  int index = -1;
  CControlRect* rect = nullptr;
  return findDrawnCtrlFromResource(resourceId, index, rect);
}

bool Nx_DlgDesignerData::attachBitmap(const Nx_String& path) {
  Nx_DesignerPicture loaded;
  std::string why;
  if (!loaded.load(path.str(), &why)) {
    readProblems_.append(path + ": " + why);
    return false;
  }
  picture_ = std::move(loaded);
  return true;
}

void Nx_DlgDesignerData::getImageSize(int& width, int& height) const {
  width = initialised_ ? picture_.width() : 0;
  height = initialised_ ? picture_.height() : 0;
}

double Nx_DlgDesignerData::factorToPixels(bool isX, double value) const {
  return value * (isX ? picture_.width() : picture_.height());
}

double Nx_DlgDesignerData::pixelsToFactor(bool isX, double value) const {
  const int size = isX ? picture_.width() : picture_.height();
  // Without a picture there is nothing to scale by; a factor of 0 keeps the record sound.
  return size > 0 ? value / size : 0.0;
}

ui::Rect Nx_DlgDesignerData::pixelRect(const Nx_DesignerControl& c) const {
  auto px = [&](bool isX, double f) {
    return static_cast<int>(ObjectExportRoundTo(factorToPixels(isX, f), 1.0));
  };
  return {px(true, c.topLeftX), px(false, c.topLeftY), px(true, c.bottomRightX),
          px(false, c.bottomRightY)};
}

void Nx_DlgDesignerData::getSizeFromControl(int index) {
  if (static_cast<int>(drawn_.size()) != controls_.length() || !controls_.isValid(index)) return;
  if (picture_.width() <= 0 || picture_.height() <= 0) return;
  Nx_DesignerControl& c = controls_[index];
  const CControlRect* drawn = nullptr;
  for (const auto& d : drawn_)
    if (d->id() == c.resourceId) drawn = d.get();
  if (!drawn) return;
  const ui::Rect& r = drawn->window()->rect();
  c.topLeftX = pixelsToFactor(true, r.left);
  c.topLeftY = pixelsToFactor(false, r.top);
  c.bottomRightX = pixelsToFactor(true, r.right);
  c.bottomRightY = pixelsToFactor(false, r.bottom);
}

void Nx_DlgDesignerData::getSizeFromAllControls() {
  for (int i = 0; i < controls_.length(); ++i) getSizeFromControl(i);
}

bool Nx_DlgDesignerData::getCtrlValue(int resourceId, Nx_String& value) const {
  int index = -1;
  CControlRect* drawn = nullptr;
  if (!findDrawnCtrlFromResource(resourceId, index, drawn) || !controls_.isValid(index))
    return false;
  ui::Window* w = drawn->window();
  switch (controls_[index].type) {
    case ctCheckBox: {
      auto* b = dynamic_cast<ui::Button*>(w);
      if (!b) return false;
      value = b->checkState() == ui::BST_INDETERMINATE ? dialString(695)
                                                       : Nx_String(b->isChecked() ? "1" : "0");
      return true;
    }
    case ctCutTypeList: {
      auto* l = dynamic_cast<ui::ListControl*>(w);
      if (!l) return false;
      value = Nx_String(l->curSel());
      return true;
    }
    default:
      value = w->text();
      return true;
  }
}

bool Nx_DlgDesignerData::setCtrlValue(int resourceId, const Nx_String& value) {
  int index = -1;
  CControlRect* drawn = nullptr;
  if (!findDrawnCtrlFromResource(resourceId, index, drawn) || !controls_.isValid(index))
    return false;
  applyValue(controls_[index], *drawn->window(), value);
  return true;
}

void Nx_DlgDesignerData::applyValue(const Nx_DesignerControl& c, ui::Window& w,
                                    const Nx_String& value) {
  switch (c.type) {
    case ctCheckBox:
      if (auto* b = dynamic_cast<ui::Button*>(&w)) {
        const ui::Style kind = ui::BS_TYPEMASK;
        if (value.equal(dialString(695), false)) {
          b->modifyStyle(kind, ui::BS_AUTO3STATE);
          b->setCheck(ui::BST_INDETERMINATE);
        } else {
          b->modifyStyle(kind, ui::BS_AUTOCHECKBOX);
          b->setCheck(value.toDouble() > 0 ? ui::BST_CHECKED : ui::BST_UNCHECKED);
        }
      }
      break;
    case ctCutTypeList:
      if (auto* l = dynamic_cast<ui::ListControl*>(&w)) l->setCurSel(value.toInt());
      break;
    case ctVariableButton:
    case ctVariableFileButton:
      break;
    default:
      w.setText(value);
      break;
  }
}

bool Nx_DlgDesignerData::setCtrlReadOnly(int resourceId, bool readOnly) {
  int index = -1;
  CControlRect* drawn = nullptr;
  if (!findDrawnCtrlFromResource(resourceId, index, drawn) || !controls_.isValid(index))
    return false;
  const int type = controls_[index].type;
  if (type != ctInputField && type != ctEditableList) return false;
  if (drawn->window()->isEnabled() == readOnly) drawn->window()->enable(!readOnly);
  return true;
}

void Nx_DlgDesignerData::OnEraseBkgnd(ui::PaintContext& dc) const {
  if (!dialog_) return;
  if (designMode_) {
    dc.setNoPen();
    dc.setBrush(ui::kFaceColor);
    dc.drawRect(dialog_->clientRect());
  }
  if (picture_.isLoaded())
    dc.drawPixels(picture_.pixels(), {picture_.width(), picture_.height()}, {0, 0});
}

void Nx_DlgDesignerData::OnPaint(ui::PaintContext& dc) const {
  // Group frames beneath the rest, as the dialog stacks its widgets.
  for (bool beneath : {true, false})
    for (const auto& d : drawn_) {
      const ui::Window* w = d->window();
      if (w && w->liesBeneath() == beneath && (w->exStyle() & ui::WS_EX_PARENTDRAWN))
        ui::paintControl(dc, *w);
    }
  if (tracker_) tracker_->paint(dc);
}

bool Nx_DlgDesignerData::OnLButtonDown(ui::Point p, bool shift, bool control) {
  if (!tracker_) return false;
  return tracker_->mouseDown(p, shift, control, true);
}

void Nx_DlgDesignerData::OnMouseMove(ui::Point p) {
  if (tracker_) tracker_->mouseMove(p);
}

bool Nx_DlgDesignerData::OnLButtonUp(ui::Point p) {
  return tracker_ && tracker_->mouseUp(p);
}

bool Nx_DlgDesignerData::OnSetCursor(ui::Point p) {
  if (!tracker_ || !dialog_) return false;
  ui::Cursor c = tracker_->cursorAt(p);
  if (dialog_->cursor() != c) dialog_->setCursor(c);
  return c != ui::Cursor::Arrow;
}
