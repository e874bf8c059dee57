#include "sections/KvSectionView.h"

#include <algorithm>
#include <cmath>

#include "core/sections/SectionPicture.h"
#include "core/sections/SectionProperties.h"
#include "platform/ui/PaintContext.h"

namespace {
constexpr ui::Color kPaper{255, 255, 255};
constexpr ui::Color kHatch{150, 170, 200};
constexpr ui::Color kEdge{20, 30, 45};
constexpr ui::Color kAxis{200, 40, 40};
constexpr ui::Color kMeasure{0, 90, 160};
constexpr ui::Color kText{0, 0, 0};
// Room around the drawing for the dimensions, in pixels.
constexpr int kLeftRoom = 86, kTopRoom = 52, kRightRoom = 92, kBottomRoom = 14;
constexpr int kTitleHeight = 18;
constexpr double kHatchPixels = 7;
// Where a 45-degree chord meets a fillet: r (1 - 1/sqrt 2) from both edges.
constexpr double kFilletMiddle = 0.2929;

Nx_String valueText(const char* name, double value) {
  return Nx_String(name) + " = " + Nx_String(value, 1, false);
}
}  // namespace

KvSectionView::KvSectionView() : Window("KvSectionView") {}

bool KvSectionView::attachToItem(ui::Window* dialog, int itemId) {
  ui::Window* placeholder = dialog ? dialog->findChild(itemId) : nullptr;
  if (!placeholder || !placeholder->parent()) return false;
  ui::Window* container = placeholder->parent();
  ui::Rect rect = placeholder->rect();
  container->destroyChild(placeholder);
  setId(itemId);
  setRect(rect);
  container->attachChild(*this);
  return true;
}

void KvSectionView::setSection(int shape, const std::vector<double>& dims, const Nx_String& title) {
  shape_ = shape;
  dims_ = dims;
  title_ = title;
  outline_ = sectionOutline(shape, dims);
  reason_ = outline_.isEmpty()
                ? Nx_String("These dimensions make no section of shape ") + Nx_String(shape) + "."
                : Nx_String();
  buildDimensions();
  invalidate();
}

void KvSectionView::clear(const Nx_String& reason) {
  shape_ = 0;
  dims_.clear();
  title_.setEmpty();
  outline_ = {};
  dimensions_.clear();
  hasRadius_ = false;
  reason_ = reason;
  invalidate();
}

void KvSectionView::buildDimensions() {
  dimensions_.clear();
  hasRadius_ = false;
  if (outline_.isEmpty()) return;
  double minX, minY, maxX, maxY;
  outline_.bounds(minX, minY, maxX, maxY);
  const std::vector<std::string>& names = shapeDimensionNames(shape_);
  auto value = [&](const char* name) {
    for (size_t i = 0; i < names.size() && i < dims_.size(); ++i)
      if (names[i] == name) return dims_[i];
    return 0.0;
  };
  auto add = [&](SectionPoint a, SectionPoint b, double offset, bool vertical, const char* name,
                 double v) {
    dimensions_.push_back({a, b, offset, vertical, valueText(name, v)});
  };
  SectionKind kind = sectionKind(shape_);
  bool round = kind == SectionKind::RoundBar || kind == SectionKind::RoundTube;
  if (round) {
    add({minX, maxY}, {maxX, maxY}, -22, false, "d", value("d"));
  } else if (kind == SectionKind::SquareBar) {
    add({minX, maxY}, {maxX, maxY}, -22, false, "a", value("a"));
  } else {
    if (value("h") > 0) add({minX, minY}, {minX, maxY}, -34, true, "h", value("h"));
    if (value("b") > 0) add({minX, maxY}, {maxX, maxY}, -22, false, "b", value("b"));
  }
  double h = value("h"), tw = value("tw"), tf = value("tf"), t = value("t"), r = value("r");
  switch (kind) {
    case SectionKind::RolledI:
    case SectionKind::Channel:
    case SectionKind::Tee: {
      double webLeft = kind == SectionKind::Channel ? 0 : -tw / 2;
      // Half way between the centre line and the flange, clear of the axis.
      double webY = kind == SectionKind::Tee ? (h - tf) / 2 : -(h / 2 - tf) / 2;
      double top = kind == SectionKind::Tee ? h : h / 2;
      add({webLeft, webY}, {webLeft + tw, webY}, 0, false, "tw", tw);
      add({maxX, top - tf}, {maxX, top}, 18, true, "tf", tf);
      if (r > 0 && shape_ != 6 && shape_ != 7) {
        hasRadius_ = true;
        radiusAt_ = {webLeft + tw + kFilletMiddle * r, top - tf - kFilletMiddle * r};
      }
      break;
    }
    case SectionKind::Angle:
      add({maxX, 0}, {maxX, t}, 18, true, "t", t);
      if (r > 0 && shape_ == 2) {
        hasRadius_ = true;
        radiusAt_ = {t + kFilletMiddle * r, t + kFilletMiddle * r};
      }
      break;
    case SectionKind::RectTube:
      add({maxX - t, 0}, {maxX, 0}, 0, false, "t", t);
      if (r > 0) {
        hasRadius_ = true;
        radiusAt_ = {maxX - kFilletMiddle * r, maxY - kFilletMiddle * r};
      }
      break;
    case SectionKind::RoundTube:
      add({maxX - t, 0}, {maxX, 0}, 0, false, "t", t);
      break;
    case SectionKind::Plate:
      add({maxX, minY}, {maxX, maxY}, 18, true, "t", t);
      break;
    default:
      if (t > 0) add({maxX, 0}, {maxX, 0}, 0, false, "t", t);
      break;
  }
  if (hasRadius_) dimensions_.push_back({radiusAt_, radiusAt_, 0, false, valueText("r", r)});
}

void KvSectionView::fit() {
  double minX, minY, maxX, maxY;
  outline_.bounds(minX, minY, maxX, maxY);
  ui::Rect c = clientRect();
  double w = std::max(1, c.width() - kLeftRoom - kRightRoom);
  double h = std::max(1, c.height() - kTopRoom - kBottomRoom);
  scale_ = std::min(w / std::max(maxX - minX, 1e-9), h / std::max(maxY - minY, 1e-9));
  originX_ = kLeftRoom + w / 2 - (minX + maxX) / 2 * scale_;
  originY_ = kTopRoom + h / 2 + (minY + maxY) / 2 * scale_;
}

ui::Point KvSectionView::toPixel(SectionPoint p) const {
  return {static_cast<int>(std::lround(originX_ + p.x * scale_)),
          static_cast<int>(std::lround(originY_ - p.y * scale_))};
}

void KvSectionView::paintDimension(ui::PaintContext& dc, const Dimension& d) const {
  ui::Point a = toPixel(d.from), b = toPixel(d.to);
  dc.setPen(kMeasure, 1);
  ui::Size extent = dc.textExtent(d.text.str());
  auto tick = [&](ui::Point p) { dc.drawLine({p.x - 4, p.y + 4}, {p.x + 4, p.y - 4}); };
  if (d.from.x == d.to.x && d.from.y == d.to.y) {
    // A leader from the fillet down into the free room beside the wall.
    ui::Point end{a.x + 26, a.y + 24};
    dc.drawLine(a, end);
    dc.drawLine(end, {end.x + extent.width + 4, end.y});
    dc.drawText(d.text.str(), ui::Rect::fromSize({end.x + 2, end.y - extent.height}, extent));
    return;
  }
  int off = static_cast<int>(d.offset);
  if (d.vertical) {
    int x = (off < 0 ? std::min(a.x, b.x) : std::max(a.x, b.x)) + off;
    dc.drawLine({a.x, a.y}, {x + (off < 0 ? -4 : 4), a.y});
    dc.drawLine({b.x, b.y}, {x + (off < 0 ? -4 : 4), b.y});
    dc.drawLine({x, a.y}, {x, b.y});
    tick({x, a.y});
    tick({x, b.y});
    int ty = (a.y + b.y) / 2 - extent.height / 2;
    int tx = off < 0 ? x - extent.width - 6 : x + 6;
    dc.drawText(d.text.str(), ui::Rect::fromSize({tx, ty}, extent));
    return;
  }
  if (off == 0) {
    // Across a wall: the line on the section, the value beside it.
    dc.drawLine({a.x - 10, a.y}, {b.x + 10, b.y});
    tick(a);
    tick(b);
    dc.drawText(d.text.str(), ui::Rect::fromSize({b.x + 12, b.y - extent.height / 2}, extent));
    return;
  }
  int y = std::min(a.y, b.y) + off;
  dc.drawLine({a.x, a.y}, {a.x, y - 4});
  dc.drawLine({b.x, b.y}, {b.x, y - 4});
  dc.drawLine({a.x, y}, {b.x, y});
  tick({a.x, y});
  tick({b.x, y});
  dc.drawText(
      d.text.str(),
      ui::Rect::fromSize({(a.x + b.x) / 2 - extent.width / 2, y - extent.height - 3}, extent));
}

void KvSectionView::onPaint(ui::PaintContext& dc) {
  ui::Rect c = clientRect();
  dc.setPen(kEdge, 1);
  dc.setBrush(kPaper);
  dc.drawRect(c);
  dc.setTransparentText(true);
  dc.setTextColor(kText);
  if (!title_.isEmpty())
    dc.drawText(title_.str(), {c.left + 6, c.top + 4, c.right - 6, c.top + 4 + kTitleHeight});
  if (outline_.isEmpty()) {
    dc.drawText(reason_.str(), {c.left + 6, c.top + 30, c.right - 6, c.bottom - 6},
                ui::DT_CENTER | ui::DT_VCENTER);
    return;
  }
  fit();
  // Hatching first, then the edges over it.
  dc.setPen(kHatch, 1);
  std::vector<SectionPoint> hatch = hatchSegments(outline_, kHatchPixels / scale_);
  for (size_t i = 0; i + 1 < hatch.size(); i += 2)
    dc.drawLine(toPixel(hatch[i]), toPixel(hatch[i + 1]));
  dc.setPen(kEdge, 2);
  for (const SectionContour& contour : outline_.contours)
    for (size_t i = 0; i < contour.points.size(); ++i)
      dc.drawLine(toPixel(contour.points[i]),
                  toPixel(contour.points[(i + 1) % contour.points.size()]));
  double cx = 0, cy = 0, minX, minY, maxX, maxY;
  sectionCentroid(outline_, cx, cy);
  outline_.bounds(minX, minY, maxX, maxY);
  dc.setPen(kAxis, 1, true);
  ui::Point centre = toPixel({cx, cy});
  dc.drawLine({toPixel({minX, 0}).x - 10, centre.y}, {toPixel({maxX, 0}).x + 10, centre.y});
  dc.drawLine({centre.x, toPixel({0, maxY}).y - 10}, {centre.x, toPixel({0, minY}).y + 10});
  dc.setTextColor(kMeasure);
  for (const Dimension& d : dimensions_) paintDimension(dc, d);
}
