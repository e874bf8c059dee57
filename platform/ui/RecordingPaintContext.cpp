#include "platform/ui/RecordingPaintContext.h"

#include <sys/stat.h>

#include "platform/ui/Backend.h"

namespace ui {
namespace {
std::string color(Color c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}
std::string rect(const Rect& r) {
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
         " " + std::to_string(r.bottom);
}
}  // namespace

void RecordingPaintContext::setPen(Color c, int width, bool dotted) {
  add("pen " + color(c) + " " + std::to_string(width) + (dotted ? " dotted" : ""));
}
void RecordingPaintContext::setNoPen() {
  add("pen none");
}
void RecordingPaintContext::setBrush(Color c) {
  add("brush " + color(c));
}
void RecordingPaintContext::setNoBrush() {
  add("brush none");
}
void RecordingPaintContext::setTextColor(Color c) {
  add("textcolor " + color(c));
}
void RecordingPaintContext::setTransparentText(bool on) {
  add(std::string("transparent ") + (on ? "on" : "off"));
}
void RecordingPaintContext::setFont(const Font& font) {
  font_ = font;
  add("font " + font.face + " " + std::to_string(font.pointSize));
}
void RecordingPaintContext::drawLine(Point a, Point b) {
  add("line " + std::to_string(a.x) + " " + std::to_string(a.y) + " " + std::to_string(b.x) + " " +
      std::to_string(b.y));
}
void RecordingPaintContext::drawRect(const Rect& r) {
  add("rect " + rect(r));
}
void RecordingPaintContext::drawText(std::string_view text, const Rect& box, unsigned align) {
  add("text " + rect(box) + " " + std::to_string(align) + " " + std::string(text));
}
void RecordingPaintContext::drawControlFace(ControlFace face, const Rect& box, unsigned state) {
  add("face " + std::to_string(static_cast<int>(face)) + " " + rect(box) + " " +
      std::to_string(state));
}
bool RecordingPaintContext::drawImage(const std::string& file, const Rect& box) {
  struct stat st {};
  bool exists = ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  add("image " + rect(box) + " " + file + (exists ? "" : " (missing)"));
  return exists;
}
bool RecordingPaintContext::drawIcon(int iconId, const Rect& box) {
  add("icon " + rect(box) + " " + std::to_string(iconId));
  return true;
}
bool RecordingPaintContext::drawPixels(std::span<const std::uint32_t> argb, Size size, Point at) {
  bool whole = size.width >= 0 && size.height >= 0 &&
               argb.size() >= static_cast<size_t>(size.width) * static_cast<size_t>(size.height);
  add("pixels " + rect(Rect::fromSize(at, size)) + (whole ? "" : " (short)"));
  return whole;
}
Size RecordingPaintContext::textExtent(std::string_view text) {
  return backend().textExtent(font_, text);
}

std::vector<std::string> RecordingPaintContext::calls(std::string_view word) const {
  std::vector<std::string> out;
  for (const auto& c : calls_)
    if (c.compare(0, word.size(), word) == 0 && (c.size() == word.size() || c[word.size()] == ' '))
      out.push_back(c);
  return out;
}

}  // namespace ui
