#include "platform/ui/ControlPainter.h"

#include <algorithm>

#include "platform/ui/Button.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListControl.h"
#include "platform/ui/PaintContext.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {
constexpr int kBoxSize = 13;
constexpr int kInset = 4;
constexpr int kArrowWidth = 20;

unsigned stateOf(const Window& w) {
  unsigned state = w.isEnabled() ? 0 : CF_DISABLED;
  if (auto* b = dynamic_cast<const Button*>(&w)) {
    if (b->checkState() == BST_CHECKED) state |= CF_CHECKED;
    if (b->checkState() == BST_INDETERMINATE) state |= CF_UNDETERMINED;
  }
  return state;
}

unsigned staticAlign(const Window& w) {
  switch (w.style() & SS_TYPEMASK) {
    case SS_CENTER:
      return DT_CENTER;
    case SS_RIGHT:
      return DT_RIGHT;
    default:
      return DT_LEFT;
  }
}

void paintButton(PaintContext& dc, const Button& b, const Rect& r, unsigned state) {
  switch (b.kind()) {
    case Button::Kind::GroupBox: {
      // The frame runs through the middle of the caption line; the caption interrupts it.
      const Size caption = dc.textExtent(b.text());
      dc.drawControlFace(ControlFace::GroupFrame,
                         {r.left, r.top + caption.height / 2, r.right, r.bottom}, state);
      if (!b.text().empty()) {
        const Rect box{r.left + 6, r.top, std::min(r.right, r.left + 10 + caption.width),
                       r.top + caption.height};
        dc.setNoPen();
        dc.setBrush(kFaceColor);
        dc.drawRect(box);
        dc.drawText(b.text(), {box.left + 2, box.top, box.right, box.bottom});
      }
      return;
    }
    case Button::Kind::Check:
    case Button::Kind::ThreeState:
    case Button::Kind::Radio:
      if (!b.isPushLike()) {
        const int top = r.top + (r.height() - kBoxSize) / 2;
        dc.drawControlFace(
            b.kind() == Button::Kind::Radio ? ControlFace::RadioButton : ControlFace::CheckBox,
            {r.left, top, r.left + kBoxSize, top + kBoxSize}, state);
        dc.drawText(b.text(), {r.left + kBoxSize + kInset, r.top, r.right, r.bottom}, DT_VCENTER);
        return;
      }
      break;
    default:
      break;
  }
  dc.drawControlFace(ControlFace::PushButton, r, state);
  if (b.iconId()) {
    const int side = std::min({16, r.width(), r.height()});
    const int x = r.left + (r.width() - side) / 2, y = r.top + (r.height() - side) / 2;
    if (dc.drawIcon(b.iconId(), {x, y, x + side, y + side})) return;
  }
  dc.drawText(b.text(), r, DT_CENTER | DT_VCENTER | DT_CLIP);
}

void paintList(PaintContext& dc, const ListControl& l, const Rect& r, unsigned state) {
  if (auto* combo = dynamic_cast<const ComboBox*>(&l)) {
    dc.drawControlFace(combo->isDropDownList() ? ControlFace::DropDownList : ControlFace::DropDown,
                       r, state);
    const std::string shown = combo->curSel() >= 0 ? combo->itemText(combo->curSel()) : l.text();
    dc.drawText(shown, {r.left + kInset, r.top, r.right - kArrowWidth, r.bottom},
                DT_VCENTER | DT_CLIP);
    return;
  }
  dc.drawControlFace(ControlFace::ListBox, r, state);
  const int line = std::max(1, dc.textExtent("Ag").height);
  for (int i = 0, y = r.top + 2; i < l.count() && y + line <= r.bottom - 2; ++i, y += line)
    dc.drawText(l.itemText(i), {r.left + kInset, y, r.right - 2, y + line}, DT_CLIP);
}
}  // namespace

void paintControl(PaintContext& dc, const Window& w) {
  const Rect& r = w.rect();
  if (!w.isVisible() || r.isEmpty()) return;
  const unsigned state = stateOf(w);
  dc.setFont(w.font());
  dc.setTransparentText(true);
  dc.setTextColor((state & CF_DISABLED) ? Color{0x80, 0x80, 0x80} : Color{});
  if (auto* b = dynamic_cast<const Button*>(&w)) {
    paintButton(dc, *b, r, state);
  } else if (auto* e = dynamic_cast<const Edit*>(&w)) {
    dc.drawControlFace(ControlFace::TextField, r, state);
    const Rect inside{r.left + kInset, r.top + 2, r.right - kInset, r.bottom - 2};
    dc.drawText(e->text(), inside, e->isMultiLine() ? DT_CLIP : DT_CLIP | DT_VCENTER);
  } else if (auto* l = dynamic_cast<const ListControl*>(&w)) {
    paintList(dc, *l, r, state);
  } else if (w.isClass(kStaticClass)) {
    dc.drawText(w.text(), r, staticAlign(w));
  } else {
    dc.drawControlFace(ControlFace::ListBox, r, state | CF_DISABLED);
  }
}

}  // namespace ui
