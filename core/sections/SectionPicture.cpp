#include "core/sections/SectionPicture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/FileHelpers.h"
#include "core/sections/SectionProperties.h"

namespace {
struct Rgb {
  std::uint8_t r, g, b;
};
constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kSteel{176, 190, 208};
constexpr Rgb kEdge{32, 48, 64};
constexpr Rgb kAxis{200, 40, 40};
constexpr int kSubSamples = 4;  // per pixel and direction, for smooth edges

// Coverage of each pixel, 0 to 1, blended into the picture in one colour.
class Layer {
 public:
  Layer(int w, int h) : w_(w), h_(h), a_(static_cast<size_t>(w) * h, 0.0) {}
  void cover(int x, int y, double a) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    double& v = a_[static_cast<size_t>(y) * w_ + x];
    v = std::min(1.0, std::max(v, a));
  }
  void add(int x, int y, double a) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    double& v = a_[static_cast<size_t>(y) * w_ + x];
    v = std::min(1.0, v + a);
  }
  void blendInto(SectionImage& image, Rgb c) const {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        double a = a_[static_cast<size_t>(y) * w_ + x];
        if (a <= 0) continue;
        std::uint8_t* p = image.pixel(x, y);
        p[0] = static_cast<std::uint8_t>(std::lround(p[0] * (1 - a) + c.r * a));
        p[1] = static_cast<std::uint8_t>(std::lround(p[1] * (1 - a) + c.g * a));
        p[2] = static_cast<std::uint8_t>(std::lround(p[2] * (1 - a) + c.b * a));
      }
  }

 private:
  int w_, h_;
  std::vector<double> a_;
};

SectionImage blank(int size) {
  SectionImage image;
  image.width = image.height = size;
  image.rgb.assign(static_cast<size_t>(size) * size * 3, 0);
  for (size_t i = 0; i < image.rgb.size(); i += 3) {
    image.rgb[i] = kBackground.r;
    image.rgb[i + 1] = kBackground.g;
    image.rgb[i + 2] = kBackground.b;
  }
  return image;
}

// Even-odd fill of the contours (pixel coordinates), sampled kSubSamples
// times per pixel in each direction.
void fill(Layer& layer, const std::vector<std::vector<SectionPoint>>& contours, int size) {
  const double share = 1.0 / (kSubSamples * kSubSamples);
  std::vector<double> xs;
  for (int sy = 0; sy < size * kSubSamples; ++sy) {
    double y = (sy + 0.5) / kSubSamples;
    xs.clear();
    for (const auto& c : contours)
      for (size_t i = 0; i < c.size(); ++i) {
        const SectionPoint& a = c[i];
        const SectionPoint& b = c[(i + 1) % c.size()];
        if ((a.y <= y) != (b.y <= y)) xs.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
      }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      int from = std::max(0, static_cast<int>(std::ceil(xs[k] * kSubSamples - 0.5)));
      int to = std::min(size * kSubSamples - 1,
                        static_cast<int>(std::floor(xs[k + 1] * kSubSamples - 0.5)));
      for (int sx = from; sx <= to; ++sx) layer.add(sx / kSubSamples, sy / kSubSamples, share);
    }
  }
}

void strokeSegment(Layer& layer, SectionPoint a, SectionPoint b, double width) {
  double half = width / 2;
  int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - half - 1));
  int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + half + 1));
  int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - half - 1));
  int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + half + 1));
  double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double t = len2 > 0 ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / len2, 0.0, 1.0) : 0;
      double d = std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
      layer.cover(x, y, std::clamp(half + 0.5 - d, 0.0, 1.0));
    }
}

void strokeClosed(Layer& layer, const std::vector<SectionPoint>& c, double width) {
  for (size_t i = 0; i < c.size(); ++i) strokeSegment(layer, c[i], c[(i + 1) % c.size()], width);
}

// Dash-dotted line, pixel by pixel along a row or a column.
void dashDot(Layer& layer, int fixed, int from, int to, bool horizontal) {
  for (int i = from; i <= to; ++i) {
    int phase = (i - from) % 18;
    if (phase < 10 || phase == 13 || phase == 14) {
      if (horizontal)
        layer.cover(i, fixed, 1);
      else
        layer.cover(fixed, i, 1);
    }
  }
}

bool writeBmp(const Nx_String& path, const SectionImage& image, Nx_StringArray& errors) {
  Nx_String error;
  if (writeTextFile(path, encodeBmp(image), &error)) return true;
  errors.append(error);
  return false;
}
}  // namespace

SectionImage drawSectionPicture(const SectionOutline& outline, int size, bool axes) {
  SectionImage image = blank(size);
  if (outline.isEmpty()) return image;
  double minX, minY, maxX, maxY;
  outline.bounds(minX, minY, maxX, maxY);
  double margin = axes ? size * 0.09 : size * 0.08;
  double scale = (size - 2 * margin) / std::max(maxX - minX, maxY - minY);
  double midX = (minX + maxX) / 2, midY = (minY + maxY) / 2;
  auto toPixel = [&](SectionPoint p) {
    return SectionPoint{size / 2.0 + (p.x - midX) * scale, size / 2.0 - (p.y - midY) * scale};
  };
  std::vector<std::vector<SectionPoint>> contours;
  for (const SectionContour& c : outline.contours) {
    std::vector<SectionPoint> points;
    for (const SectionPoint& p : c.points) points.push_back(toPixel(p));
    contours.push_back(std::move(points));
  }
  Layer steel(size, size), edge(size, size), axis(size, size);
  fill(steel, contours, size);
  steel.blendInto(image, kSteel);
  double width = size >= kBigPictureSize ? 1.6 : 1.0;
  for (const auto& c : contours) strokeClosed(edge, c, width);
  edge.blendInto(image, kEdge);
  if (axes) {
    SectionPoint centre{0, 0};
    sectionCentroid(outline, centre.x, centre.y);
    SectionPoint c = toPixel(centre);
    int reach = static_cast<int>(margin / 2);
    int left = static_cast<int>(toPixel({minX, 0}).x) - reach;
    int right = static_cast<int>(toPixel({maxX, 0}).x) + reach;
    int top = static_cast<int>(toPixel({0, maxY}).y) - reach;
    int bottom = static_cast<int>(toPixel({0, minY}).y) + reach;
    dashDot(axis, static_cast<int>(c.y), left, right, true);
    dashDot(axis, static_cast<int>(c.x), top, bottom, false);
    axis.blendInto(image, kAxis);
  }
  return image;
}

SectionImage drawUnknownPicture(int size) {
  SectionImage image = blank(size);
  Layer edge(size, size);
  double s = size, w = std::max(1.0, s / 20);
  double m = s * 0.1;
  strokeClosed(edge, {{m, m}, {s - m, m}, {s - m, s - m}, {m, s - m}}, w);
  // The question mark: a hook, its stem and the dot.
  std::vector<SectionPoint> hook;
  const double pi = std::numbers::pi;
  double r = s * 0.16, cx = s * 0.5, cy = s * 0.38;
  for (int i = 0; i <= 24; ++i) {
    double a = pi + (pi * 1.5) * i / 24;  // from the left, over the top, down the right
    hook.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  hook.push_back({cx, s * 0.64});
  for (size_t i = 0; i + 1 < hook.size(); ++i) strokeSegment(edge, hook[i], hook[i + 1], 2 * w);
  strokeSegment(edge, {cx, s * 0.75}, {cx, s * 0.76}, 2.4 * w);
  edge.blendInto(image, kEdge);
  return image;
}

Nx_String encodeBmp(const SectionImage& image) {
  const int rowBytes = (image.width * 3 + 3) / 4 * 4;
  const int dataBytes = rowBytes * image.height;
  std::string out(54 + static_cast<size_t>(dataBytes), '\0');
  auto put = [&](size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
  };
  out[0] = 'B';
  out[1] = 'M';
  put(2, 54 + dataBytes, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, image.width, 4);
  put(22, image.height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, dataBytes, 4);
  put(38, 2835, 4);  // 72 dots per inch
  put(42, 2835, 4);
  for (int y = 0; y < image.height; ++y) {
    size_t row = 54 + static_cast<size_t>(image.height - 1 - y) * rowBytes;
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &image.rgb[3 * (static_cast<size_t>(y) * image.width + x)];
      out[row + 3 * x] = static_cast<char>(p[2]);
      out[row + 3 * x + 1] = static_cast<char>(p[1]);
      out[row + 3 * x + 2] = static_cast<char>(p[0]);
    }
  }
  return Nx_String(std::move(out));
}

std::vector<SectionPoint> hatchSegments(const SectionOutline& outline, double spacing) {
  std::vector<SectionPoint> out;
  if (outline.isEmpty() || !(spacing > 0)) return out;
  const double k = std::numbers::sqrt2 / 2;
  // Turned by -45 degrees the hatch lines run level.
  std::vector<std::vector<SectionPoint>> turned;
  double low = 1e300, high = -1e300;
  for (const SectionContour& c : outline.contours) {
    std::vector<SectionPoint> points;
    for (const SectionPoint& p : c.points) {
      SectionPoint q{(p.x + p.y) * k, (p.y - p.x) * k};
      low = std::min(low, q.y), high = std::max(high, q.y);
      points.push_back(q);
    }
    turned.push_back(std::move(points));
  }
  std::vector<double> xs;
  for (double y = std::ceil(low / spacing) * spacing; y <= high; y += spacing) {
    xs.clear();
    for (const auto& c : turned)
      for (size_t i = 0; i < c.size(); ++i) {
        const SectionPoint& a = c[i];
        const SectionPoint& b = c[(i + 1) % c.size()];
        if ((a.y <= y) != (b.y <= y)) xs.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
      }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      out.push_back({(xs[i] - y) * k, (xs[i] + y) * k});
      out.push_back({(xs[i + 1] - y) * k, (xs[i + 1] + y) * k});
    }
  }
  return out;
}

int writeShapePictures(const Nx_String& folder, Nx_StringArray& errors) {
  Nx_String dir = folder;
  if (!dir.isEmpty() && dir[dir.length() - 1] != '/') dir += "/";
  int written = 0;
  for (int shape = 1; shape <= 24; ++shape) {
    SectionOutline outline = sectionOutline(shape, typicalDimensions(shape));
    Nx_String base = dir + "ProfSection" + sectionShapeName(shape);
    written += writeBmp(base + "-small.bmp", drawSectionPicture(outline, kSmallPictureSize, false),
                        errors);
    written +=
        writeBmp(base + "-big.bmp", drawSectionPicture(outline, kBigPictureSize, true), errors);
  }
  written += writeBmp(dir + "Unknown-small.bmp", drawUnknownPicture(kSmallPictureSize), errors);
  written += writeBmp(dir + "Unknown-big.bmp", drawUnknownPicture(kBigPictureSize), errors);
  return written;
}
