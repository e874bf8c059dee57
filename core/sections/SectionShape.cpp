#include "core/sections/SectionShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr int kArcChords = 24;      // per quarter circle
constexpr int kCircleChords = 192;  // per full circle

struct Corner {
  double x;
  double y;
  double radius = 0;  // fillet tangent to both edges (right-angled corners)
};

void addArc(std::vector<SectionPoint>& out, SectionPoint centre, double radius, double from,
            double to, int chords) {
  for (int i = 0; i <= chords; ++i) {
    double a = from + (to - from) * i / chords;
    out.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
  }
}

// A polygon whose corners may be rounded. Each rounded corner is replaced by
// an arc from the tangent point on the incoming edge to the one on the
// outgoing edge, convex and concave alike.
SectionContour rounded(const std::vector<Corner>& corners, bool hole = false) {
  SectionContour c;
  c.hole = hole;
  const size_t n = corners.size();
  for (size_t i = 0; i < n; ++i) {
    const Corner& p = corners[i];
    if (p.radius <= 0) {
      c.points.push_back({p.x, p.y});
      continue;
    }
    const Corner& prev = corners[(i + n - 1) % n];
    const Corner& next = corners[(i + 1) % n];
    double ux = prev.x - p.x, uy = prev.y - p.y;
    double vx = next.x - p.x, vy = next.y - p.y;
    double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu <= 0 || lv <= 0) {
      c.points.push_back({p.x, p.y});
      continue;
    }
    ux /= lu, uy /= lu, vx /= lv, vy /= lv;
    SectionPoint centre{p.x + (ux + vx) * p.radius, p.y + (uy + vy) * p.radius};
    double from = std::atan2(uy * p.radius + p.y - centre.y, ux * p.radius + p.x - centre.x);
    double to = std::atan2(vy * p.radius + p.y - centre.y, vx * p.radius + p.x - centre.x);
    double sweep = to - from;
    while (sweep > kPi) sweep -= 2 * kPi;
    while (sweep < -kPi) sweep += 2 * kPi;
    addArc(c.points, centre, p.radius, from, from + sweep, kArcChords);
  }
  return c;
}

SectionContour ellipse(double cx, double cy, double rx, double ry, bool hole = false) {
  SectionContour c;
  c.hole = hole;
  for (int i = 0; i < kCircleChords; ++i) {
    double a = 2 * kPi * i / kCircleChords;
    c.points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return c;
}

// A wall of thickness t along a centre line: the left side forward, the
// right side back, corners mitred.
SectionContour wall(const std::vector<SectionPoint>& line, double t) {
  const size_t n = line.size();
  std::vector<SectionPoint> left, right;
  for (size_t i = 0; i < n; ++i) {
    auto normal = [&](size_t a, size_t b) {
      double dx = line[b].x - line[a].x, dy = line[b].y - line[a].y;
      double l = std::hypot(dx, dy);
      return SectionPoint{-dy / l, dx / l};
    };
    SectionPoint nIn = i > 0 ? normal(i - 1, i) : normal(0, 1);
    SectionPoint nOut = i + 1 < n ? normal(i, i + 1) : nIn;
    SectionPoint m{nIn.x + nOut.x, nIn.y + nOut.y};
    double dot = m.x * nIn.x + m.y * nIn.y;
    double scale = dot > 1e-9 ? t / 2 / dot : t / 2;
    left.push_back({line[i].x + m.x * scale, line[i].y + m.y * scale});
    right.push_back({line[i].x - m.x * scale, line[i].y - m.y * scale});
  }
  SectionContour c;
  c.points = left;
  c.points.insert(c.points.end(), right.rbegin(), right.rend());
  return c;
}

SectionOutline one(SectionContour c) {
  SectionOutline o;
  o.contours.push_back(std::move(c));
  return o;
}

bool positive(const std::vector<double>& dims, size_t count) {
  if (dims.size() < count) return false;
  for (size_t i = 0; i < count; ++i)
    if (!(dims[i] > 0)) return false;
  return true;
}

SectionOutline iSection(double h, double b, double tw, double tf, double r) {
  if (2 * tf >= h || tw >= b) return {};
  r = std::min(r, std::min((b - tw) / 2, h / 2 - tf));
  double x = b / 2, y = h / 2, w = tw / 2, f = y - tf;
  return one(rounded({{-x, -y},
                      {x, -y},
                      {x, -f},
                      {w, -f, r},
                      {w, f, r},
                      {x, f},
                      {x, y},
                      {-x, y},
                      {-x, f},
                      {-w, f, r},
                      {-w, -f, r},
                      {-x, -f}}));
}

SectionOutline channel(double h, double b, double tw, double tf, double r) {
  if (2 * tf >= h || tw >= b) return {};
  r = std::min(r, std::min(b - tw, h / 2 - tf));
  double y = h / 2, f = y - tf;
  return one(rounded({{0, -y}, {b, -y}, {b, -f}, {tw, -f, r}, {tw, f, r}, {b, f}, {b, y}, {0, y}}));
}

SectionOutline tee(double h, double b, double tw, double tf, double r) {
  if (tf >= h || tw >= b) return {};
  r = std::min(r, std::min((b - tw) / 2, h - tf));
  double x = b / 2, w = tw / 2, f = h - tf;
  return one(rounded({{-w, 0}, {w, 0}, {w, f, r}, {x, f}, {x, h}, {-x, h}, {-x, f}, {-w, f, r}}));
}

SectionOutline angle(double h, double b, double t, double r) {
  if (t >= h || t >= b) return {};
  r = std::min(r, std::min(b - t, h - t));
  return one(rounded({{0, 0}, {b, 0}, {b, t}, {t, t, r}, {t, h}, {0, h}}));
}

SectionOutline rectTube(double h, double b, double t, double r) {
  if (2 * t >= h || 2 * t >= b) return {};
  // Without a corner radius, that of hot-finished tubes.
  double ro = r > 0 ? std::min(r, std::min(h, b) / 2) : 0;
  double ri = std::max(ro - t, 0.0);
  double x = b / 2, y = h / 2;
  SectionOutline o;
  o.contours.push_back(rounded({{-x, -y, ro}, {x, -y, ro}, {x, y, ro}, {-x, y, ro}}));
  x -= t, y -= t;
  o.contours.push_back(rounded({{-x, -y, ri}, {x, -y, ri}, {x, y, ri}, {-x, y, ri}}, true));
  return o;
}

SectionOutline lippedWall(int shape, double h, double b, double c, double t) {
  double y = h / 2;
  std::vector<SectionPoint> line;
  switch (shape) {
    case 12:  // lipped channel
      line = {{b, y - c}, {b, y}, {0, y}, {0, -y}, {b, -y}, {b, -y + c}};
      break;
    case 21:  // lipped channel with returns
      line = {{b - c / 2, y - c}, {b, y - c},         {b, y}, {0, y}, {0, -y}, {b, -y},
              {b, -y + c},        {b - c / 2, -y + c}};
      break;
    case 13:  // Z
      line = {{-b, y - c}, {-b, y}, {0, y}, {0, -y}, {b, -y}, {b, -y + c}};
      break;
    case 18:
    case 19: {  // sigma: the web folds in twice
      double s = b / 4;
      line = {{b, y}, {0, y}, {0, y / 2}, {s, y / 4}, {s, -y / 4}, {0, -y / 2}, {0, -y}, {b, -y}};
      line.insert(line.begin(), {b, y - c});
      line.push_back({b, -y + c});
      if (shape == 19) {
        line.insert(line.begin(), {b - c / 2, y - c});
        line.push_back({b - c / 2, -y + c});
      }
      break;
    }
    case 20: {  // sigma sleeve: fits over the folded web
      double s = b / 4;
      line = {{-b / 2, y}, {0, y},      {0, y / 2}, {s, y / 4},
              {s, -y / 4}, {0, -y / 2}, {0, -y},    {-b / 2, -y}};
      break;
    }
    case 22:  // channel sleeve: flanges turned away
      line = {{-b / 2, y}, {0, y}, {0, -y}, {-b / 2, -y}};
      break;
    case 14:  // V
      line = {{-b / 2, y}, {0, -y}, {b / 2, y}};
      break;
    case 3:  // cold-formed angle
      line = {{0, h}, {0, 0}, {b, 0}};
      break;
    default:
      return {};
  }
  return one(wall(line, t));
}

std::string lower(const Nx_String& s) {
  std::string out = s.str();
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return out;
}
}  // namespace

void SectionOutline::bounds(double& minX, double& minY, double& maxX, double& maxY) const {
  minX = minY = maxX = maxY = 0;
  bool first = true;
  for (const SectionContour& c : contours)
    for (const SectionPoint& p : c.points) {
      if (first || p.x < minX) minX = p.x;
      if (first || p.x > maxX) maxX = p.x;
      if (first || p.y < minY) minY = p.y;
      if (first || p.y > maxY) maxY = p.y;
      first = false;
    }
}

SectionKind sectionKind(int shape) {
  switch (shape) {
    case 1:
    case 6:
      return SectionKind::RolledI;
    case 2:
    case 3:
    case 23:
      return SectionKind::Angle;
    case 4:
    case 7:
      return SectionKind::Channel;
    case 5:
    case 17:
      return SectionKind::Tee;
    case 8:
      return SectionKind::Plate;
    case 9:
      return SectionKind::RoundBar;
    case 10:
      return SectionKind::RectTube;
    case 11:
      return SectionKind::RoundTube;
    case 12:
    case 13:
    case 14:
    case 18:
    case 19:
    case 20:
    case 21:
    case 22:
      return SectionKind::ThinWalled;
    case 15:
      return SectionKind::OvalTube;
    case 16:
      return SectionKind::SquareBar;
    case 24:
      return SectionKind::DoubleAngle;
    default:
      return SectionKind::Unknown;
  }
}

const char* sectionShapeName(int shape) {
  static const char* const names[] = {"I",
                                      "CL",
                                      "HL",
                                      "CU",
                                      "T",
                                      "OI",
                                      "OU",
                                      "Rect",
                                      "Round",
                                      "RectTube",
                                      "RoundTube",
                                      "C",
                                      "Z",
                                      "V",
                                      "O",
                                      "Q",
                                      "CuttedI",
                                      "Sigma",
                                      "Sigma+",
                                      "Sigma Sleeve",
                                      "C+",
                                      "C Sleeve",
                                      "Single Cleat",
                                      "Double Cleat"};
  return shape >= 1 && shape <= 24 ? names[shape - 1] : "";
}

const std::vector<std::string>& shapeDimensionNames(int shape) {
  static const std::vector<std::string> none;
  static const std::vector<std::string> rolled{"h", "b", "tw", "tf", "r"};
  static const std::vector<std::string> angleNames{"h", "b", "t", "r"};
  static const std::vector<std::string> plate{"b", "t"};
  static const std::vector<std::string> bar{"d"};
  static const std::vector<std::string> tube{"h", "b", "t", "r"};
  static const std::vector<std::string> roundTube{"d", "t"};
  static const std::vector<std::string> lipped{"h", "b", "c", "t"};
  static const std::vector<std::string> plain{"h", "b", "t"};
  static const std::vector<std::string> square{"a"};
  static const std::vector<std::string> cleats{"h", "b", "t", "s"};
  switch (shape) {
    case 1:
    case 4:
    case 5:
    case 6:
    case 7:
    case 17:
      return rolled;
    case 2:
      return angleNames;
    case 8:
      return plate;
    case 9:
      return bar;
    case 10:
      return tube;
    case 11:
      return roundTube;
    case 12:
    case 13:
    case 18:
    case 19:
    case 21:
      return lipped;
    case 3:
    case 14:
    case 15:
    case 20:
    case 22:
    case 23:
      return plain;
    case 16:
      return square;
    case 24:
      return cleats;
    default:
      return none;
  }
}

std::vector<double> shapeDimensions(int shape, const Nx_StringArray& columnNames,
                                    const Nx_StringArray& values) {
  const std::vector<std::string>& names = shapeDimensionNames(shape);
  std::vector<double> dims(names.size(), 0.0);
  auto column = [&](const std::string& name) {
    for (int i = 0; i < columnNames.length() && i < values.length(); ++i)
      if (lower(columnNames[i]) == name) return i;
    return -1;
  };
  auto read = [&](int i) {
    double v = 0;
    return i >= 0 && i < values.length() && values[i].toDouble(v) ? v : 0.0;
  };
  bool anyNamed = false;
  for (size_t k = 0; k < names.size(); ++k) {
    int i = column(names[k]);
    if (i < 0 && names[k] == "t") i = column("tw");
    if (i < 0 && names[k] == "tw") i = column("t");
    if (i < 0 && names[k] == "d") i = column("h");
    if (i >= 0) {
      dims[k] = read(i);
      anyNamed = true;
    }
  }
  if (!anyNamed)
    for (size_t k = 0; k < names.size(); ++k) dims[k] = read(static_cast<int>(k));
  return dims;
}

std::vector<double> typicalDimensions(int shape) {
  switch (sectionKind(shape)) {
    case SectionKind::RolledI:
      return {200, 150, 9, 14, 14};
    case SectionKind::Channel:
      return {200, 80, 8.5, 11.5, 11.5};
    case SectionKind::Tee:
      return {150, 160, 10, 15, 12};
    case SectionKind::Angle:
      return shape == 2 ? std::vector<double>{150, 150, 16, 16} : std::vector<double>{150, 150, 10};
    case SectionKind::Plate:
      return {200, 40};
    case SectionKind::RoundBar:
      return {150};
    case SectionKind::RectTube:
      return {200, 150, 14, 28};
    case SectionKind::RoundTube:
      return {180, 14};
    case SectionKind::OvalTube:
      return {200, 120, 12};
    case SectionKind::SquareBar:
      return {150};
    case SectionKind::DoubleAngle:
      return {150, 100, 12, 12};
    case SectionKind::ThinWalled:
      if (shape == 14) return {150, 170, 10};
      if (shape == 20 || shape == 22) return {200, 120, 10};
      return {200, 100, 25, 9};
    case SectionKind::Unknown:
      break;
  }
  return {};
}

SectionOutline sectionOutline(int shape, const std::vector<double>& dims) {
  const size_t count = shapeDimensionNames(shape).size();
  if (dims.size() < count) return {};
  auto at = [&](size_t i) { return dims[i]; };
  switch (shape) {
    case 1:
    case 6:
      if (!positive(dims, 4)) return {};
      return iSection(at(0), at(1), at(2), at(3), shape == 6 ? 0 : std::max(at(4), 0.0));
    case 4:
    case 7:
      if (!positive(dims, 4)) return {};
      return channel(at(0), at(1), at(2), at(3), shape == 7 ? 0 : std::max(at(4), 0.0));
    case 5:
    case 17:
      if (!positive(dims, 4)) return {};
      return tee(at(0), at(1), at(2), at(3), std::max(at(4), 0.0));
    case 2:
      if (!positive(dims, 3)) return {};
      return angle(at(0), at(1), at(2), std::max(at(3), 0.0));
    case 23:
      if (!positive(dims, 3)) return {};
      return angle(at(0), at(1), at(2), at(2));
    case 24: {
      if (!positive(dims, 3)) return {};
      SectionOutline right = angle(at(0), at(1), at(2), at(2));
      if (right.isEmpty()) return {};
      double gap = std::max(at(3), 0.0) / 2;
      SectionOutline o;
      for (SectionContour c : right.contours) {
        SectionContour mirrored = c;
        for (SectionPoint& p : c.points) p.x += gap;
        for (SectionPoint& p : mirrored.points) p.x = -p.x - gap;
        o.contours.push_back(std::move(c));
        o.contours.push_back(std::move(mirrored));
      }
      return o;
    }
    case 8:
      if (!positive(dims, 2)) return {};
      return one(rounded({{-at(0) / 2, -at(1) / 2},
                          {at(0) / 2, -at(1) / 2},
                          {at(0) / 2, at(1) / 2},
                          {-at(0) / 2, at(1) / 2}}));
    case 16:
      if (!positive(dims, 1)) return {};
      return one(rounded({{-at(0) / 2, -at(0) / 2},
                          {at(0) / 2, -at(0) / 2},
                          {at(0) / 2, at(0) / 2},
                          {-at(0) / 2, at(0) / 2}}));
    case 9:
      if (!positive(dims, 1)) return {};
      return one(ellipse(0, 0, at(0) / 2, at(0) / 2));
    case 10:
      if (!positive(dims, 3)) return {};
      return rectTube(at(0), at(1), at(2), std::max(at(3), 0.0));
    case 11: {
      if (!positive(dims, 2) || 2 * at(1) >= at(0)) return {};
      SectionOutline o = one(ellipse(0, 0, at(0) / 2, at(0) / 2));
      o.contours.push_back(ellipse(0, 0, at(0) / 2 - at(1), at(0) / 2 - at(1), true));
      return o;
    }
    case 15: {
      if (!positive(dims, 3) || 2 * at(2) >= std::min(at(0), at(1))) return {};
      SectionOutline o = one(ellipse(0, 0, at(1) / 2, at(0) / 2));
      o.contours.push_back(ellipse(0, 0, at(1) / 2 - at(2), at(0) / 2 - at(2), true));
      return o;
    }
    case 3:
    case 12:
    case 13:
    case 14:
    case 18:
    case 19:
    case 20:
    case 21:
    case 22: {
      bool lips = count == 4;
      if (!positive(dims, count)) return {};
      double t = lips ? at(3) : at(2);
      if (2 * t >= std::min(at(0), at(1))) return {};
      return lippedWall(shape, at(0), at(1), lips ? at(2) : 0, t);
    }
    default:
      return {};
  }
}
