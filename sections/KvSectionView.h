#pragma once
#include <vector>

#include "core/Nx_String.h"
#include "core/sections/SectionShape.h"
#include "platform/ui/Window.h"

// The cross-section of one size drawn to scale: the hatched section with its
// centre lines, and the dimensions h, b, tw, tf and r (or those the shape
// has) with their values. It takes the place of a placeholder item of its
// dialog, as the sheets do.
class KvSectionView : public ui::Window {
 public:
  KvSectionView();
  bool attachToItem(ui::Window* dialog, int itemId);
  // Shows the size; a shape without an outline shows the reason instead.
  void setSection(int shape, const std::vector<double>& dims, const Nx_String& title);
  void clear(const Nx_String& reason);
  const SectionOutline& outline() const { return outline_; }

 protected:
  void onPaint(ui::PaintContext& dc) override;

 private:
  struct Dimension {
    SectionPoint from, to;  // measured points, in millimetres
    double offset;          // of the dimension line, in pixels, outward
    bool vertical;
    Nx_String text;
  };
  void buildDimensions();
  void paintDimension(ui::PaintContext& dc, const Dimension& d) const;
  ui::Point toPixel(SectionPoint p) const;
  void fit();

  int shape_ = 0;
  std::vector<double> dims_;
  Nx_String title_;
  Nx_String reason_;
  SectionOutline outline_;
  std::vector<Dimension> dimensions_;
  SectionPoint radiusAt_{};  // the fillet that r labels
  bool hasRadius_ = false;
  double scale_ = 1, originX_ = 0, originY_ = 0;
};
