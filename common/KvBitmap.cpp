#include "common/KvBitmap.h"

#include <strings.h>

#include <map>
#include <sstream>

#include "common/ModuleResources.h"

namespace {
constexpr int kMaxSide = 4096;
constexpr int kMaxColours = 65536;

bool fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// XPM colour values: "#RGB", "#RRGGBB", "None" (transparent), black, white.
bool parseColour(const std::string& value, std::uint32_t& argb) {
  if (strcasecmp(value.c_str(), "None") == 0) {
    argb = 0;
    return true;
  }
  if (strcasecmp(value.c_str(), "black") == 0) {
    argb = 0xFF000000u;
    return true;
  }
  if (strcasecmp(value.c_str(), "white") == 0) {
    argb = 0xFFFFFFFFu;
    return true;
  }
  if ((value.size() != 4 && value.size() != 7) || value[0] != '#') return false;
  std::uint32_t rgb = 0;
  for (size_t i = 1; i < value.size(); ++i) {
    int d = hexDigit(value[i]);
    if (d < 0) return false;
    // A short form repeats each digit: #F80 is #FF8800.
    rgb = value.size() == 4 ? rgb << 8 | static_cast<std::uint32_t>(d * 17)
                            : rgb << 4 | static_cast<std::uint32_t>(d);
  }
  argb = 0xFF000000u | rgb;
  return true;
}

// The value of the colour-visual key "c" in the rest of a colour line.
bool colourOfLine(const std::string& rest, std::uint32_t& argb) {
  std::istringstream words(rest);
  std::string key, value;
  while (words >> key >> value)
    if (key == "c") return parseColour(value, argb);
  return false;
}
}  // namespace

bool KvBitmap::loadResource(int id) {
  std::span<const char* const> rows = findBitmapResource(id);
  if (rows.empty()) {
    release();
    return false;
  }
  return loadXpm(rows);
}

bool KvBitmap::loadXpm(std::span<const char* const> rows, std::string* error) {
  if (rows.empty() || !rows[0]) return fail(error, "no XPM header");
  int w = 0, h = 0, colours = 0, cpp = 0;
  std::istringstream header(rows[0]);
  if (!(header >> w >> h >> colours >> cpp)) return fail(error, "malformed XPM header");
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
    return fail(error, "bitmap size out of range");
  if (colours <= 0 || colours > kMaxColours || cpp < 1 || cpp > 4)
    return fail(error, "colour count or characters per pixel out of range");
  if (rows.size() < static_cast<size_t>(1 + colours + h))
    return fail(error, "fewer rows than the header announces");

  std::map<std::string, std::uint32_t> palette;
  for (int i = 1; i <= colours; ++i) {
    const char* line = rows[static_cast<size_t>(i)];
    std::string text = line ? line : "";
    std::uint32_t argb = 0;
    if (text.size() < static_cast<size_t>(cpp) ||
        !colourOfLine(text.substr(static_cast<size_t>(cpp)), argb))
      return fail(error, "malformed colour line " + std::to_string(i + 1));
    palette[text.substr(0, static_cast<size_t>(cpp))] = argb;
  }

  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    const char* line = rows[static_cast<size_t>(1 + colours + y)];
    std::string_view text = line ? line : "";
    if (text.size() != static_cast<size_t>(w) * static_cast<size_t>(cpp))
      return fail(error, "pixel row " + std::to_string(y + 1) + " has the wrong length");
    for (int x = 0; x < w; ++x) {
      auto it = palette.find(
          std::string(text.substr(static_cast<size_t>(x * cpp), static_cast<size_t>(cpp))));
      if (it == palette.end())
        return fail(error, "pixel row " + std::to_string(y + 1) + " uses an undefined colour");
      pixels.push_back(it->second);
    }
  }
  width_ = w;
  height_ = h;
  pixels_ = std::move(pixels);
  return true;
}

void KvBitmap::release() {
  width_ = height_ = 0;
  pixels_.clear();
}

std::uint32_t KvBitmap::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}
