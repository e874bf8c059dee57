#include "core/bill/BillImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/bill/Nx_Bill.h"
#include "core/sections/Nx_SectionTableManager.h"
#include "platform/arx/acutil.h"

namespace {

constexpr int kDefaultWidth = 240;
constexpr int kDefaultHeight = 72;
constexpr std::uint32_t kWhite = 0xFFFFFF, kOutline = 0x1F3F7F, kFill = 0xDCE6F2,
                        kDimension = 0x404040;

// 5 by 7 pixel digits for the dimension texts; bit 4 is the left column.
constexpr std::uint8_t kDigits[11][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}};

class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), pixels_(static_cast<size_t>(w * h), kWhite) {}
  void dot(int x, int y, std::uint32_t c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) pixels_[static_cast<size_t>(y * w_ + x)] = c;
  }
  void hline(int x1, int x2, int y, std::uint32_t c) {
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) dot(x, y, c);
  }
  void vline(int x, int y1, int y2, std::uint32_t c) {
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) dot(x, y, c);
  }
  void fill(int x1, int y1, int x2, int y2, std::uint32_t c) {
    for (int y = y1; y <= y2; ++y) hline(x1, x2, y, c);
  }
  // Digits and points; other characters leave a gap.
  int textWidth(const std::string& t) const { return static_cast<int>(t.size()) * 6 - 1; }
  void text(int x, int y, const std::string& t, std::uint32_t c) {
    for (char ch : t) {
      int g = ch == '.' ? 10 : (ch >= '0' && ch <= '9' ? ch - '0' : -1);
      if (g >= 0)
        for (int r = 0; r < 7; ++r)
          for (int b = 0; b < 5; ++b)
            if (kDigits[g][r] & (0x10 >> b)) dot(x + b, y + r, c);
      x += 6;
    }
  }
  // A 24-bit BMP, rows from the bottom, each padded to 4 bytes.
  Nx_String bmp() const {
    int stride = (w_ * 3 + 3) & ~3;
    std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * h_);
    std::string out;
    auto u16 = [&](std::uint32_t v) {
      out += static_cast<char>(v & 0xFF);
      out += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::uint32_t v) {
      u16(v & 0xFFFF);
      u16(v >> 16);
    };
    out += "BM";
    u32(size);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(w_));
    u32(static_cast<std::uint32_t>(h_));
    u16(1);
    u16(24);
    u32(0);
    u32(static_cast<std::uint32_t>(stride * h_));
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = h_ - 1; y >= 0; --y) {
      for (int x = 0; x < w_; ++x) {
        std::uint32_t c = pixels_[static_cast<size_t>(y * w_ + x)];
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>((c >> 16) & 0xFF);
      }
      out.append(static_cast<size_t>(stride - w_ * 3), '\0');
    }
    return Nx_String(std::move(out));
  }

 private:
  int w_, h_;
  std::vector<std::uint32_t> pixels_;
};

Nx_String number(double v) {
  return Nx_String(v, 1, false);
}

// A section's dimension by its column name ("h", "tf"), or 0.
double sectionDimension(const Nx_String& section, const char* name) {
  Nx_StringArray names;
  if (getSectionColumnNames(section, names) != Acad::eOk) return 0;
  int index = names.find(name, true);
  Nx_String value;
  if (index < 0 || getSectionValue(section, index, value) != Acad::eOk) return 0;
  return value.toDouble();
}

// The side view: the part as long as the line says and as high as its
// section, the flanges as lines inside, the length below, the height left.
bool drawPart(const Nx_String& section, double length, int w, int h, Nx_String& picture) {
  double height = sectionDimension(section, "h");
  if (height <= 0 || length <= 0) return false;
  double flange = sectionDimension(section, "tf");
  Canvas c(w, h);
  std::string heightText = number(height).str(), lengthText = number(length).str();
  int left = c.textWidth(heightText) + 10, right = w - 6, top = 5, bottom = h - 19;
  // Long parts would be a line at scale: the drawing keeps a readable height.
  double scaleX = (right - left) / length;
  int drawnHeight = std::clamp(static_cast<int>(height * scaleX), 12, bottom - top);
  int y1 = top + (bottom - top - drawnHeight) / 2, y2 = y1 + drawnHeight;
  c.fill(left, y1, right, y2, kFill);
  c.hline(left, right, y1, kOutline);
  c.hline(left, right, y2, kOutline);
  c.vline(left, y1, y2, kOutline);
  c.vline(right, y1, y2, kOutline);
  if (flange > 0) {
    int f = std::max(2, static_cast<int>(drawnHeight * flange / height));
    c.hline(left, right, y1 + f, kOutline);
    c.hline(left, right, y2 - f, kOutline);
  }
  int dimY = h - 15;
  c.hline(left, right, dimY, kDimension);
  c.vline(left, dimY - 3, dimY + 3, kDimension);
  c.vline(right, dimY - 3, dimY + 3, kDimension);
  c.text((left + right - c.textWidth(lengthText)) / 2, h - 11, lengthText, kDimension);
  int dimX = left - 5;
  c.vline(dimX, y1, y2, kDimension);
  c.hline(dimX - 2, dimX + 2, y1, kDimension);
  c.hline(dimX - 2, dimX + 2, y2, kDimension);
  c.text(1, (y1 + y2) / 2 - 3, heightText, kDimension);
  picture = c.bmp();
  return true;
}

bool isPicture(const Nx_String& content) {
  const std::string& s = content.str();
  return s.rfind("BM", 0) == 0 || s.rfind("\x89PNG", 0) == 0 || s.rfind("GIF8", 0) == 0 ||
         s.rfind("\xFF\xD8\xFF", 0) == 0;
}

int gOpenProgress = 0;

bool readPicture(const Nx_String& path, Nx_String& content) {
  return readTextFile(path, content) && isPicture(content);
}

}  // namespace

bool createImage(const Nx_StringArray& line, Nx_String& file, int& width, int& height, int& param,
                 bool& flag1, bool& flag2, Nx_Bill* bill, AcTransaction* transaction) {
  file.setEmpty();
  if (!bill || bill->pictureFolder.isEmpty()) return false;
  int index = bill->currentLine;
  const Nx_Bill::Line* source =
      index >= 0 && index < static_cast<int>(bill->lines.size()) ? &bill->lines[index] : nullptr;
  Nx_String name =
      bill->pictureFolder + "line-" + Nx_String(source ? source->lineNumber : index + 1);
  Nx_String content;
  if (source && !source->picture.isEmpty()) {
    if (!readPicture(source->picture, content)) {
      acutPrintf("*Error* %s:%d: the picture %s cannot be read.\n", bill->listFile.c_str(),
                 source->lineNumber, source->picture.c_str());
      return false;
    }
    name += "." + getExtension(source->picture).lower();
  } else {
    if (bill->sectionColumn < 0 || bill->lengthColumn < 0 || !line.isValid(bill->sectionColumn) ||
        !line.isValid(bill->lengthColumn))
      return false;
    int w = width > 0 ? width : kDefaultWidth, h = height > 0 ? height : kDefaultHeight;
    if (!drawPart(line[bill->sectionColumn], line[bill->lengthColumn].toDouble(), w, h, content))
      return false;
    name += ".bmp";
  }
  if (!createFolder(bill->pictureFolder) || !writeTextFile(name, content)) return false;
  file = name;
  return true;
}

bool isPictureFile(const Nx_String& path) {
  Nx_String content;
  return readPicture(path, content);
}

bool initBMPDialog(int) {
  ++gOpenProgress;
  return true;
}

void closeBMPDialog() {
  if (gOpenProgress > 0) --gOpenProgress;
}

bool isBMPDialogOpen() {
  return gOpenProgress > 0;
}
