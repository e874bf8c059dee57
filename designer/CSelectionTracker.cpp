#include "designer/CSelectionTracker.h"

#include <algorithm>

#include "platform/ui/Dialog.h"
#include "platform/ui/PaintContext.h"

using ui::Point;
using ui::Rect;

void CSelectionTracker::registerControl(CControlRect* control) {
  if (!control) return;
  registered_.push_back(control);
  // The control drawn last lies on top: every earlier one goes behind it,
  // which the kit's sibling order already gives.
  for (CControlRect* c : registered_)
    if (c->window()) c->window()->show(true);
}

void CSelectionTracker::unregisterControl(int id) {
  clearSelection();
  std::erase_if(registered_, [id](CControlRect* c) { return c->id() == id; });
  if (resizing_ && resizing_->id() == id) resizing_ = nullptr;
  gesture_ = Gesture::None;
}

void CSelectionTracker::select(CControlRect* control) {
  selected_.push_back(control);
  control->setSelected(true);
  invalidate(control->trackerBounds());
}

void CSelectionTracker::select(int id, bool exclusive) {
  if (exclusive) clearSelection();
  for (CControlRect* c : registered_)
    if (c->id() == id) {
      addToSelection(c);
      return;
    }
}

void CSelectionTracker::addToSelection(CControlRect* control) {
  if (control && std::find(selected_.begin(), selected_.end(), control) == selected_.end())
    select(control);
}

void CSelectionTracker::toggle(CControlRect* control) {
  if (!control) return;
  if (control->isSelected())
    removeFromSelection(control);
  else
    addToSelection(control);
}

void CSelectionTracker::removeFromSelection(CControlRect* control) {
  if (std::erase(selected_, control)) invalidate(control->trackerBounds());
  control->setSelected(false);
}

void CSelectionTracker::clearSelection() {
  invalidateSelection();  // the handles go
  for (CControlRect* c : registered_) c->setSelected(false);
  selected_.clear();
}

std::vector<int> CSelectionTracker::selectedIds() const {
  std::vector<int> ids;
  ids.reserve(selected_.size());
  for (const CControlRect* c : selected_) ids.push_back(c->id());
  return ids;
}

int CSelectionTracker::currentId() const {
  return selected_.size() == 1 ? selected_.front()->id() : -1;
}

CControlRect* CSelectionTracker::hitTest(Point p, Nx_TrackerHit* where) const {
  // As the window stacks them: the handles of the selection on top, then later
  // controls over earlier ones, group frames beneath the rest.
  for (CControlRect* c : selected_) {
    const Nx_TrackerHit hit = c->mayHit(p) ? c->hitTest(p) : Nx_TrackerHit::None;
    if (hit != Nx_TrackerHit::None && hit != Nx_TrackerHit::Inside) {
      if (where) *where = hit;
      return c;
    }
  }
  CControlRect* beneath = nullptr;
  for (auto it = registered_.rbegin(); it != registered_.rend(); ++it) {
    CControlRect* c = *it;
    if (!c->rect().contains(p)) continue;
    if (c->window() && c->window()->liesBeneath()) {
      if (!beneath) beneath = c;
      continue;
    }
    if (where) *where = Nx_TrackerHit::Inside;
    return c;
  }
  if (where) *where = beneath ? Nx_TrackerHit::Inside : Nx_TrackerHit::None;
  return beneath;
}

Rect CSelectionTracker::selectionBounds() const {
  if (selected_.empty()) return {};
  Rect r = selected_.front()->rect();
  for (const CControlRect* c : selected_) {
    const Rect& o = c->rect();
    r = {std::min(r.left, o.left), std::min(r.top, o.top), std::max(r.right, o.right),
         std::max(r.bottom, o.bottom)};
  }
  return r;
}

void CSelectionTracker::invalidate(const Rect& area) {
  Rect r = area.normalized();
  if (r.isEmpty()) return;
  repaintedArea_ += static_cast<long long>(r.width()) * r.height();
  if (dialog_) dialog_->invalidate(r);
}

void CSelectionTracker::invalidateSelection() {
  for (const CControlRect* c : selected_) invalidate(c->trackerBounds());
}

bool CSelectionTracker::mouseDown(Point p, bool shift, bool control, bool allowBand) {
  gesture_ = Gesture::None;
  start_ = last_ = p;
  Nx_TrackerHit where = Nx_TrackerHit::None;
  CControlRect* hit = hitTest(p, &where);
  if (hit) {
    if (control) {
      toggle(hit);
    } else if (shift) {
      addToSelection(hit);
    } else {
      if (!hit->isSelected()) clearSelection();
      addToSelection(hit);
      if (where != Nx_TrackerHit::Inside) {
        gesture_ = Gesture::Resize;
        resizing_ = hit;
        handle_ = where;
        startRects_ = {hit->rect()};
      } else {
        gesture_ = Gesture::Move;
        startRects_.clear();
        for (const CControlRect* c : selected_) startRects_.push_back(c->rect());
      }
    }
    if (dialog_) dialog_->invalidate();
    return true;
  }
  if (shift || control || !allowBand) return false;
  clearSelection();
  gesture_ = Gesture::Band;
  band_ = {p.x, p.y, p.x, p.y};
  if (dialog_) dialog_->invalidate();
  return true;
}

void CSelectionTracker::moveSelection(int dx, int dy) {
  for (size_t i = 0; i < selected_.size() && i < startRects_.size(); ++i)
    selected_[i]->setRect(startRects_[i].offset(dx, dy));
}

void CSelectionTracker::mouseMove(Point p) {
  if (gesture_ == Gesture::None || p == last_) return;
  last_ = p;
  const int dx = p.x - start_.x, dy = p.y - start_.y;
  switch (gesture_) {
    case Gesture::Move:
      invalidateSelection();
      moveSelection(dx, dy);
      invalidateSelection();
      break;
    case Gesture::Resize:
      if (!resizing_) break;
      invalidate(resizing_->trackerBounds());
      resizing_->setRect(resizing_->resized(handle_, startRects_.front(), dx, dy));
      invalidate(resizing_->trackerBounds());
      break;
    case Gesture::Band: {
      auto outline = [](const Rect& b) {
        Rect n = b.normalized();
        return Rect{n.left - 1, n.top - 1, n.right + 2, n.bottom + 2};
      };
      invalidate(outline(band_));
      band_.right = p.x;
      band_.bottom = p.y;
      invalidate(outline(band_));
      break;
    }
    default:
      break;
  }
}

bool CSelectionTracker::mouseUp(Point p) {
  mouseMove(p);
  const Gesture done = gesture_;
  gesture_ = Gesture::None;
  resizing_ = nullptr;
  if (done == Gesture::Band) {
    Rect band = band_.normalized();
    for (CControlRect* c : registered_)
      if (band.contains(c->rect())) addToSelection(c);
    if (dialog_) dialog_->invalidate();
    return false;
  }
  return (done == Gesture::Move || done == Gesture::Resize) && p != start_;
}

ui::Cursor CSelectionTracker::cursorAt(Point p) const {
  Nx_TrackerHit where = Nx_TrackerHit::None;
  hitTest(p, &where);
  return CControlRect::cursorFor(where);
}

bool CSelectionTracker::nudge(int dx, int dy) {
  if (selected_.empty()) return false;
  startRects_.clear();
  for (const CControlRect* c : selected_) startRects_.push_back(c->rect());
  invalidateSelection();
  moveSelection(dx, dy);
  invalidateSelection();
  return true;
}

void CSelectionTracker::paint(ui::PaintContext& dc) const {
  for (const CControlRect* c : selected_) c->draw(dc);
  if (gesture_ == Gesture::Band) {
    dc.setPen({0, 0, 0}, 1, true);
    dc.setNoBrush();
    dc.drawRect(band_.normalized());
  }
}
