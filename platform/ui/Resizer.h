#pragma once
#include <vector>

#include "platform/ui/Window.h"

namespace ui {

// Layout rules of a resizable dialog. Each edge of a control keeps the
// distance it had, when the rule was added, from what it is attached to: an
// edge of the dialog's client area, the middle of the dialog, or an edge of
// another control (laid out by an earlier rule); or the control keeps its
// width or height.
class UI_API Resizer {
 public:
  enum class Edge { Left, Top, Right, Bottom };
  struct Anchor {
    enum class Kind { DialogEdge, Middle, Control, KeepWidth, KeepHeight };
    Kind kind = Kind::DialogEdge;
    Edge edge = Edge::Left;
    int control = 0;
  };
  static Anchor dialog(Edge edge) { return {Anchor::Kind::DialogEdge, edge, 0}; }
  static Anchor middle() { return {Anchor::Kind::Middle, Edge::Left, 0}; }
  static Anchor control(int id, Edge edge) { return {Anchor::Kind::Control, edge, id}; }
  static Anchor keepWidth() { return {Anchor::Kind::KeepWidth, Edge::Left, 0}; }
  static Anchor keepHeight() { return {Anchor::Kind::KeepHeight, Edge::Top, 0}; }

  explicit Resizer(Window& host) : host_(host) {}

  // Records the rule with the control's present distances; false when the
  // control is missing or an anchor does not fit its edge.
  bool add(int id, Anchor left, Anchor top, Anchor right, Anchor bottom);
  // The same rule for several controls.
  int add(const std::vector<int>& ids, Anchor left, Anchor top, Anchor right, Anchor bottom);
  void clear() { rules_.clear(); }
  int count() const { return static_cast<int>(rules_.size()); }
  // Places every control for the host's current client size.
  void apply();

 private:
  struct Side {
    Anchor anchor;
    int offset = 0;
  };
  struct Rule {
    int id = 0;
    Side side[4];
    Size size;
  };
  int reference(const Anchor& a, bool horizontal) const;
  Window& host_;
  std::vector<Rule> rules_;
};

}  // namespace ui
