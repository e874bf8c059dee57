#include "platform/ui/Resizer.h"

namespace ui {
namespace {
int edgeOf(const Rect& r, Resizer::Edge e) {
  switch (e) {
    case Resizer::Edge::Left:
      return r.left;
    case Resizer::Edge::Top:
      return r.top;
    case Resizer::Edge::Right:
      return r.right;
    case Resizer::Edge::Bottom:
      return r.bottom;
  }
  return 0;
}
bool isHorizontal(Resizer::Edge e) {
  return e == Resizer::Edge::Left || e == Resizer::Edge::Right;
}
}  // namespace

int Resizer::reference(const Anchor& a, bool horizontal) const {
  Rect client = host_.clientRect();
  switch (a.kind) {
    case Anchor::Kind::DialogEdge:
      return edgeOf(client, a.edge);
    case Anchor::Kind::Middle:
      return horizontal ? client.width() / 2 : client.height() / 2;
    case Anchor::Kind::Control: {
      Window* w = host_.findChild(a.control);
      return w ? edgeOf(w->rect(), a.edge) : 0;
    }
    default:
      return 0;
  }
}

bool Resizer::add(int id, Anchor left, Anchor top, Anchor right, Anchor bottom) {
  Window* w = host_.findChild(id);
  if (!w) return false;
  const Anchor anchors[4] = {left, top, right, bottom};
  const Edge edges[4] = {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom};
  Rule rule;
  rule.id = id;
  rule.size = w->rect().size();
  for (int i = 0; i < 4; ++i) {
    const Anchor& a = anchors[i];
    bool horizontal = isHorizontal(edges[i]);
    if (a.kind == Anchor::Kind::KeepWidth && !horizontal) return false;
    if (a.kind == Anchor::Kind::KeepHeight && horizontal) return false;
    if ((a.kind == Anchor::Kind::DialogEdge || a.kind == Anchor::Kind::Control) &&
        isHorizontal(a.edge) != horizontal)
      return false;
    if (a.kind == Anchor::Kind::Control && !host_.findChild(a.control)) return false;
    rule.side[i].anchor = a;
    rule.side[i].offset = edgeOf(w->rect(), edges[i]) - reference(a, horizontal);
  }
  // Both edges keeping the size would leave the control nowhere.
  auto keeps = [&](int i) {
    auto k = rule.side[i].anchor.kind;
    return k == Anchor::Kind::KeepWidth || k == Anchor::Kind::KeepHeight;
  };
  if ((keeps(0) && keeps(2)) || (keeps(1) && keeps(3))) return false;
  for (auto& r : rules_)
    if (r.id == id) {
      r = rule;
      return true;
    }
  rules_.push_back(rule);
  return true;
}

int Resizer::add(const std::vector<int>& ids, Anchor left, Anchor top, Anchor right,
                 Anchor bottom) {
  int n = 0;
  for (int id : ids) n += add(id, left, top, right, bottom) ? 1 : 0;
  return n;
}

void Resizer::apply() {
  for (const Rule& rule : rules_) {
    Window* w = host_.findChild(rule.id);
    if (!w) continue;
    int v[4];
    const bool horizontal[4] = {true, false, true, false};
    for (int i = 0; i < 4; ++i) {
      const Side& s = rule.side[i];
      auto k = s.anchor.kind;
      if (k != Anchor::Kind::KeepWidth && k != Anchor::Kind::KeepHeight)
        v[i] = reference(s.anchor, horizontal[i]) + s.offset;
    }
    for (int i = 0; i < 4; ++i) {
      auto k = rule.side[i].anchor.kind;
      if (k == Anchor::Kind::KeepWidth)
        v[i] = i == 0 ? v[2] - rule.size.width : v[0] + rule.size.width;
      if (k == Anchor::Kind::KeepHeight)
        v[i] = i == 1 ? v[3] - rule.size.height : v[1] + rule.size.height;
    }
    w->setRect({v[0], v[1], std::max(v[0], v[2]), std::max(v[1], v[3])});
  }
}

}  // namespace ui
