#pragma once
#include <string_view>

#include "platform/ui/Events.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Styles.h"

namespace ui {
class Dialog;
class PaintContext;
class Window;
}  // namespace ui

// Where a point lies on a control's tracker: one of the eight handles
// (outside the rectangle), inside it, or nowhere.
enum class Nx_TrackerHit {
  None = -1,
  TopLeft = 0,
  TopRight,
  BottomRight,
  BottomLeft,
  Top,
  Right,
  Bottom,
  Left,
  Inside,
};

// One on-screen control of a design: the child window on the dialog and the
// rectangle tracker that selects, moves and resizes it in the designer.
class CControlRect {
 public:
  static constexpr int kHandleSize = 5;

  CControlRect() = default;
  ~CControlRect();
  CControlRect(const CControlRect&) = delete;
  CControlRect& operator=(const CControlRect&) = delete;

  // Creates the window of the class kind on the parent at the rectangle.
  bool create(int kind, ui::Style exStyle, ui::Style style, std::string_view text,
              ui::Dialog& parent, const ui::Rect& rect, int id);
  ui::Window* window() const { return window_; }
  int id() const;

  const ui::Rect& rect() const { return rect_; }
  // Moves the tracker and the window.
  void setRect(const ui::Rect& rect);
  // The rectangle with its handles and outline: what a repaint must cover.
  ui::Rect trackerBounds() const;

  bool isSelected() const { return selected_; }
  void setSelected(bool on) { selected_ = on; }

  // Handles count only while the control is selected (they are not drawn otherwise).
  Nx_TrackerHit hitTest(ui::Point p) const;
  // The quick test before hitTest: false when the point cannot hit the control.
  bool mayHit(ui::Point p) const {
    return selected_ ? p.x >= rect_.left - kHandleSize && p.x < rect_.right + kHandleSize &&
                           p.y >= rect_.top - kHandleSize && p.y < rect_.bottom + kHandleSize
                     : rect_.contains(p);
  }
  ui::Rect handleRect(Nx_TrackerHit handle) const;
  // The rectangle after dragging the handle by (dx, dy), normalised.
  ui::Rect resized(Nx_TrackerHit handle, const ui::Rect& from, int dx, int dy) const;
  static ui::Cursor cursorFor(Nx_TrackerHit hit);
  // Outline and handles, drawn only for a selected control.
  void draw(ui::PaintContext& dc) const;

 private:
  ui::Dialog* parent_ = nullptr;
  ui::Window* window_ = nullptr;
  ui::Rect rect_;
  bool selected_ = false;
};
