#include "platform/ui/PaintContext.h"

namespace ui {
namespace {
constexpr Color kShadow{0x80, 0x80, 0x80};
constexpr Color kLight{0xFF, 0xFF, 0xFF};
constexpr Color kDark{0x40, 0x40, 0x40};

// Raised (buttons) or sunken (fields) edge of a box.
void edge(PaintContext& dc, const Rect& r, bool raised) {
  dc.setPen(raised ? kLight : kShadow);
  dc.drawLine({r.left, r.bottom - 1}, {r.left, r.top});
  dc.drawLine({r.left, r.top}, {r.right - 1, r.top});
  dc.setPen(raised ? kDark : kLight);
  dc.drawLine({r.right - 1, r.top}, {r.right - 1, r.bottom - 1});
  dc.drawLine({r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1});
}
}  // namespace

PaintContext::~PaintContext() = default;

void PaintContext::drawControlFace(ControlFace face, const Rect& box, unsigned state) {
  const bool disabled = state & CF_DISABLED;
  const Color field = disabled ? kFaceColor : kLight;
  const Color mark = disabled ? kShadow : Color{};
  switch (face) {
    case ControlFace::PushButton:
      setNoPen();
      setBrush(kFaceColor);
      drawRect(box);
      edge(*this, box, true);
      break;
    case ControlFace::CheckBox:
    case ControlFace::RadioButton:
      setPen(kShadow);
      setBrush(field);
      drawRect(box);
      if (state & (CF_CHECKED | CF_UNDETERMINED)) {
        setNoPen();
        setBrush((state & CF_UNDETERMINED) ? kShadow : mark);
        drawRect({box.left + 3, box.top + 3, box.right - 3, box.bottom - 3});
      }
      break;
    case ControlFace::TextField:
    case ControlFace::ListBox:
      setNoPen();
      setBrush(field);
      drawRect(box);
      edge(*this, box, false);
      break;
    case ControlFace::DropDown:
    case ControlFace::DropDownList: {
      setNoPen();
      setBrush(face == ControlFace::DropDown ? field : kFaceColor);
      drawRect(box);
      edge(*this, box, face == ControlFace::DropDownList);
      // The arrow of the drop-down button.
      const int cx = box.right - 9, cy = (box.top + box.bottom) / 2;
      setPen(mark);
      for (int i = 0; i < 4; ++i) drawLine({cx - 3 + i, cy - 2 + i}, {cx + 4 - i, cy - 2 + i});
      break;
    }
    case ControlFace::GroupFrame:
      setNoBrush();
      setPen(kShadow);
      drawRect({box.left, box.top, box.right - 1, box.bottom - 1});
      setPen(kLight);
      drawRect({box.left + 1, box.top + 1, box.right, box.bottom});
      break;
  }
}

}  // namespace ui
