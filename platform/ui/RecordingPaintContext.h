#pragma once
#include <string>
#include <vector>

#include "platform/ui/PaintContext.h"

namespace ui {

// A paint context that draws nothing and writes down every call, one line
// each ("rect 0 0 10 10", "text 2 2 Label",
// "face 3 0 0 40 20 1": kind, box and state, ...), for tests of onPaint.
class UI_API RecordingPaintContext : public PaintContext {
 public:
  void setPen(Color color, int width, bool dotted) override;
  void setNoPen() override;
  void setBrush(Color color) override;
  void setNoBrush() override;
  void setTextColor(Color color) override;
  void setTransparentText(bool on) override;
  void setFont(const Font& font) override;
  void drawLine(Point from, Point to) override;
  void drawRect(const Rect& rect) override;
  void drawText(std::string_view text, const Rect& box, unsigned align) override;
  bool drawImage(const std::string& file, const Rect& box) override;
  bool drawIcon(int iconId, const Rect& box) override;
  bool drawPixels(std::span<const std::uint32_t> argb, Size size, Point at) override;
  Size textExtent(std::string_view text) override;
  void drawControlFace(ControlFace face, const Rect& box, unsigned state) override;

  const std::vector<std::string>& calls() const { return calls_; }
  // Lines starting with the word ("rect", "text", ...).
  std::vector<std::string> calls(std::string_view word) const;

 private:
  void add(std::string line) { calls_.push_back(std::move(line)); }
  Font font_;
  std::vector<std::string> calls_;
};

}  // namespace ui
