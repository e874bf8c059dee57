#include "core/sections/SectionProperties.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kSteelKgPerCm2M = 0.785;  // 7850 kg/m3 times 1 cm2 times 1 m

// Area and first moments of a contour (counter-clockwise positive), by
// Green's theorem.
struct Moments {
  double a = 0, sx = 0, sy = 0, ixx = 0, iyy = 0;  // sx = integral of y, ixx of y^2
  void add(const Moments& m, double sign) {
    a += sign * m.a, sx += sign * m.sx, sy += sign * m.sy, ixx += sign * m.ixx, iyy += sign * m.iyy;
  }
};

Moments polygonMoments(const std::vector<SectionPoint>& p) {
  Moments m;
  const size_t n = p.size();
  for (size_t i = 0; i < n; ++i) {
    const SectionPoint& a = p[i];
    const SectionPoint& b = p[(i + 1) % n];
    double cross = a.x * b.y - b.x * a.y;
    m.a += cross / 2;
    m.sy += (a.x + b.x) * cross / 6;
    m.sx += (a.y + b.y) * cross / 6;
    m.ixx += (a.y * a.y + a.y * b.y + b.y * b.y) * cross / 12;
    m.iyy += (a.x * a.x + a.x * b.x + b.x * b.x) * cross / 12;
  }
  return m;
}

// Moments of the contours, each counted positive, holes negative, whatever
// the direction their points run in.
Moments outlineMoments(const SectionOutline& o) {
  Moments total;
  for (const SectionContour& c : o.contours) {
    Moments m = polygonMoments(c.points);
    double sign = (m.a < 0 ? -1.0 : 1.0) * (c.hole ? -1.0 : 1.0);
    total.add(m, sign);
  }
  return total;
}

// The part of a contour on the side y >= level (axis 0) or x >= level
// (axis 1): clipping a polygon at a line keeps its area integrals exact even
// when it is not convex.
std::vector<SectionPoint> clip(const std::vector<SectionPoint>& p, int axis, double level) {
  std::vector<SectionPoint> out;
  const size_t n = p.size();
  auto coord = [axis](const SectionPoint& q) { return axis == 0 ? q.y : q.x; };
  for (size_t i = 0; i < n; ++i) {
    const SectionPoint& a = p[i];
    const SectionPoint& b = p[(i + 1) % n];
    bool ina = coord(a) >= level, inb = coord(b) >= level;
    if (ina) out.push_back(a);
    if (ina != inb) {
      double t = (level - coord(a)) / (coord(b) - coord(a));
      out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    }
  }
  return out;
}

// Area and first moment (about 0) of the outline's part beyond the level.
void partBeyond(const SectionOutline& o, int axis, double level, double& area, double& moment) {
  area = moment = 0;
  for (const SectionContour& c : o.contours) {
    Moments whole = polygonMoments(c.points);
    double sign = (whole.a < 0 ? -1.0 : 1.0) * (c.hole ? -1.0 : 1.0);
    Moments m = polygonMoments(clip(c.points, axis, level));
    area += sign * m.a;
    moment += sign * (axis == 0 ? m.sx : m.sy);
  }
}

// Plastic modulus about the axis that halves the area.
double plasticModulus(const SectionOutline& o, int axis, double area, double firstMoment,
                      double low, double high) {
  for (int i = 0; i < 80; ++i) {
    double mid = (low + high) / 2;
    double a = 0, s = 0;
    partBeyond(o, axis, mid, a, s);
    (a > area / 2 ? low : high) = mid;
  }
  double level = (low + high) / 2, a = 0, s = 0;
  partBeyond(o, axis, level, a, s);
  double above = s - level * a;                           // beyond the axis
  double below = level * (area - a) - (firstMoment - s);  // on the other side
  return above + below;
}

double perimeter(const SectionContour& c) {
  double l = 0;
  for (size_t i = 0; i < c.points.size(); ++i) {
    const SectionPoint& a = c.points[i];
    const SectionPoint& b = c.points[(i + 1) % c.points.size()];
    l += std::hypot(b.x - a.x, b.y - a.y);
  }
  return l;
}

const SectionProperty* find(const std::vector<SectionProperty>& list, const std::string& name) {
  for (const SectionProperty& p : list)
    if (p.name == name) return &p;
  return nullptr;
}
}  // namespace

bool sectionCentroid(const SectionOutline& outline, double& x, double& y) {
  Moments m = outlineMoments(outline);
  if (!(m.a > 0)) return false;
  x = m.sy / m.a;
  y = m.sx / m.a;
  return true;
}

std::vector<SectionProperty> computeSectionProperties(const SectionOutline& outline) {
  Moments m = outlineMoments(outline);
  if (!(m.a > 0)) return {};
  double minX, minY, maxX, maxY;
  outline.bounds(minX, minY, maxX, maxY);
  double cx = m.sy / m.a, cy = m.sx / m.a;
  double iy = m.ixx - m.a * cy * cy;  // about the axis parallel to x
  double iz = m.iyy - m.a * cx * cx;
  double wely = iy / std::max(maxY - cy, cy - minY);
  double welz = iz / std::max(maxX - cx, cx - minX);
  double wply = plasticModulus(outline, 0, m.a, m.sx, minY, maxY);
  double wplz = plasticModulus(outline, 1, m.a, m.sy, minX, maxX);
  double surface = 0;
  for (const SectionContour& c : outline.contours)
    if (!c.hole) surface += perimeter(c);
  return {
      {"A", m.a / 1e2},      {"G", m.a / 1e2 * kSteelKgPerCm2M},
      {"Iy", iy / 1e4},      {"Wely", wely / 1e3},
      {"Wply", wply / 1e3},  {"iy", std::sqrt(iy / m.a) / 10},
      {"Iz", iz / 1e4},      {"Welz", welz / 1e3},
      {"Wplz", wplz / 1e3},  {"iz", std::sqrt(iz / m.a) / 10},
      {"AL", surface / 1e3},
  };
}

std::vector<SectionProperty> computeShapeProperties(int shape, const std::vector<double>& dims) {
  std::vector<SectionProperty> props = computeSectionProperties(sectionOutline(shape, dims));
  if (props.empty()) return props;
  SectionKind kind = sectionKind(shape);
  if ((kind == SectionKind::RolledI || kind == SectionKind::Channel) && dims.size() >= 5) {
    double h = dims[0], b = dims[1], tw = dims[2], tf = dims[3],
           r = shape == 1 || shape == 4 ? dims[4] : 0;
    double a = find(props, "A")->value * 1e2;
    double hi = h - 2 * tf;
    // Shear area parallel to the web (rolled sections, load along h).
    double avz = kind == SectionKind::RolledI ? a - 2 * b * tf + (tw + 2 * r) * tf
                                              : a - 2 * b * tf + (tw + r) * tf;
    props.push_back({"hi", hi});
    props.push_back({"d", hi - 2 * r});
    props.push_back({"Avz", avz / 1e2});
  }
  return props;
}

double SectionPropertyCheck::deviation() const {
  if (computed == 0) return table == 0 ? 0 : 1;
  return std::fabs(table - computed) / std::fabs(computed);
}

std::vector<SectionPropertyCheck> checkSectionProperties(int shape,
                                                         const Nx_StringArray& columnNames,
                                                         const Nx_StringArray& values) {
  std::vector<SectionPropertyCheck> checks;
  std::vector<SectionProperty> props =
      computeShapeProperties(shape, shapeDimensions(shape, columnNames, values));
  for (const SectionProperty& p : props) {
    for (int i = 0; i < columnNames.length(); ++i) {
      if (!columnNames[i].equal(p.name.c_str(), true)) continue;
      SectionPropertyCheck c;
      c.name = p.name;
      c.column = i;
      c.computed = p.value;
      c.readable = i < values.length() && values[i].toDouble(c.table);
      checks.push_back(c);
      break;
    }
  }
  return checks;
}
