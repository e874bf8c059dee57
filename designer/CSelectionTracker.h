#pragma once
#include <vector>

#include "designer/CControlRect.h"

namespace ui {
class Dialog;
class PaintContext;
}  // namespace ui

// The selection of a design's on-screen controls and the mouse gestures of
// the designer: a press selects (Shift adds, Ctrl toggles), a drag inside a
// selected control moves the whole selection, a drag on a handle resizes
// that control, and a drag from empty space draws a rubber band. A gesture
// runs from the press to the release; the dialog forwards the moves between.
class CSelectionTracker {
 public:
  enum class Gesture { None, Move, Resize, Band };

  explicit CSelectionTracker(ui::Dialog* dialog = nullptr) : dialog_(dialog) {}
  void setDialog(ui::Dialog* dialog) { dialog_ = dialog; }

  void registerControl(CControlRect* control);
  void unregisterControl(int id);
  const std::vector<CControlRect*>& registered() const { return registered_; }

  void select(int id, bool exclusive);
  void addToSelection(CControlRect* control);
  void toggle(CControlRect* control);
  void removeFromSelection(CControlRect* control);
  void clearSelection();
  std::vector<int> selectedIds() const;
  int currentId() const;
  const std::vector<CControlRect*>& selected() const { return selected_; }

  // The control the point hits as the window stacks them: a handle of the
  // selection first, then the last registered, group frames last.
  CControlRect* hitTest(ui::Point p, Nx_TrackerHit* where = nullptr) const;
  // The smallest rectangle holding every selected control.
  ui::Rect selectionBounds() const;

  // Mouse. The press answers whether anything was hit or selected; the
  // release answers whether a control moved or changed size.
  bool mouseDown(ui::Point p, bool shift, bool control, bool allowBand = true);
  void mouseMove(ui::Point p);
  bool mouseUp(ui::Point p);
  Gesture gesture() const { return gesture_; }
  ui::Cursor cursorAt(ui::Point p) const;

  // Moves the selection by a distance (arrow keys); false when nothing is selected.
  bool nudge(int dx, int dy);

  void paint(ui::PaintContext& dc) const;

  // Pixels handed to partial repaints since the count was last reset.
  long long repaintedArea() const { return repaintedArea_; }
  void resetRepaintedArea() { repaintedArea_ = 0; }

 private:
  void select(CControlRect* control);
  void invalidate(const ui::Rect& area);
  void invalidateSelection();
  // Puts every selected control at its starting place moved by the distance.
  void moveSelection(int dx, int dy);

  ui::Dialog* dialog_ = nullptr;
  std::vector<CControlRect*> registered_;
  std::vector<CControlRect*> selected_;

  Gesture gesture_ = Gesture::None;
  ui::Point start_;
  ui::Point last_;
  Nx_TrackerHit handle_ = Nx_TrackerHit::None;
  CControlRect* resizing_ = nullptr;
  std::vector<ui::Rect> startRects_;
  ui::Rect band_;
  long long repaintedArea_ = 0;
};
