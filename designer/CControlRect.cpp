#include "designer/CControlRect.h"

#include "designer/Nx_ControlType.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PaintContext.h"
#include "platform/ui/WindowClasses.h"

using ui::Rect;

CControlRect::~CControlRect() {
  if (parent_ && window_) parent_->destroyChild(window_);
}

bool CControlRect::create(int kind, ui::Style exStyle, ui::Style style, std::string_view text,
                          ui::Dialog& parent, const Rect& rect, int id) {
  auto window = ui::WindowClasses::create(windowClassName(kind), style);
  window->setExStyle(exStyle);
  window->setText(text);
  window->setId(id);
  window->setRect(rect);
  window->setFont(parent.font());
  parent_ = &parent;
  window_ = parent.addChild(std::move(window));
  rect_ = rect;
  return window_ != nullptr;
}

int CControlRect::id() const {
  return window_ ? window_->id() : 0;
}

void CControlRect::setRect(const Rect& rect) {
  rect_ = rect;
  if (window_) window_->setRect(rect);
}

Rect CControlRect::trackerBounds() const {
  return {rect_.left - kHandleSize, rect_.top - kHandleSize, rect_.right + kHandleSize,
          rect_.bottom + kHandleSize};
}

Rect CControlRect::handleRect(Nx_TrackerHit h) const {
  const int s = kHandleSize;
  const Rect& r = rect_;
  const int cx = (r.left + r.right) / 2 - s / 2;
  const int cy = (r.top + r.bottom) / 2 - s / 2;
  switch (h) {
    case Nx_TrackerHit::TopLeft:
      return {r.left - s, r.top - s, r.left, r.top};
    case Nx_TrackerHit::TopRight:
      return {r.right, r.top - s, r.right + s, r.top};
    case Nx_TrackerHit::BottomRight:
      return {r.right, r.bottom, r.right + s, r.bottom + s};
    case Nx_TrackerHit::BottomLeft:
      return {r.left - s, r.bottom, r.left, r.bottom + s};
    case Nx_TrackerHit::Top:
      return {cx, r.top - s, cx + s, r.top};
    case Nx_TrackerHit::Right:
      return {r.right, cy, r.right + s, cy + s};
    case Nx_TrackerHit::Bottom:
      return {cx, r.bottom, cx + s, r.bottom + s};
    case Nx_TrackerHit::Left:
      return {r.left - s, cy, r.left, cy + s};
    default:
      return {};
  }
}

Nx_TrackerHit CControlRect::hitTest(ui::Point p) const {
  if (selected_ && trackerBounds().contains(p) && !rect_.contains(p)) {
    for (int h = 0; h < 8; ++h)
      if (handleRect(static_cast<Nx_TrackerHit>(h)).contains(p))
        return static_cast<Nx_TrackerHit>(h);
  }
  return rect_.contains(p) ? Nx_TrackerHit::Inside : Nx_TrackerHit::None;
}

Rect CControlRect::resized(Nx_TrackerHit h, const Rect& from, int dx, int dy) const {
  Rect r = from;
  switch (h) {
    case Nx_TrackerHit::TopLeft:
      r.left += dx, r.top += dy;
      break;
    case Nx_TrackerHit::TopRight:
      r.right += dx, r.top += dy;
      break;
    case Nx_TrackerHit::BottomRight:
      r.right += dx, r.bottom += dy;
      break;
    case Nx_TrackerHit::BottomLeft:
      r.left += dx, r.bottom += dy;
      break;
    case Nx_TrackerHit::Top:
      r.top += dy;
      break;
    case Nx_TrackerHit::Right:
      r.right += dx;
      break;
    case Nx_TrackerHit::Bottom:
      r.bottom += dy;
      break;
    case Nx_TrackerHit::Left:
      r.left += dx;
      break;
    default:
      break;
  }
  return r.normalized();
}

ui::Cursor CControlRect::cursorFor(Nx_TrackerHit hit) {
  switch (hit) {
    case Nx_TrackerHit::TopLeft:
    case Nx_TrackerHit::BottomRight:
      return ui::Cursor::SizeNWSE;
    case Nx_TrackerHit::TopRight:
    case Nx_TrackerHit::BottomLeft:
      return ui::Cursor::SizeNESW;
    case Nx_TrackerHit::Top:
    case Nx_TrackerHit::Bottom:
      return ui::Cursor::SizeNS;
    case Nx_TrackerHit::Left:
    case Nx_TrackerHit::Right:
      return ui::Cursor::SizeWE;
    case Nx_TrackerHit::Inside:
      return ui::Cursor::SizeAll;
    default:
      return ui::Cursor::Arrow;
  }
}

void CControlRect::draw(ui::PaintContext& dc) const {
  if (!selected_) return;
  // The outline lies just outside the window, which covers its own rectangle.
  dc.setPen({0, 0, 0}, 1);
  dc.setNoBrush();
  dc.drawRect({rect_.left - 1, rect_.top - 1, rect_.right + 1, rect_.bottom + 1});
  dc.setBrush({0, 0, 0});
  for (int h = 0; h < 8; ++h) dc.drawRect(handleRect(static_cast<Nx_TrackerHit>(h)));
}
