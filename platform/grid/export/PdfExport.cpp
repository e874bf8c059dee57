#include "platform/grid/export/PdfExport.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <memory>

#include "platform/base/Cp1252.h"
#include "platform/grid/export/ExportCells.h"
#include "platform/grid/export/PagePlan.h"

namespace grid {
namespace {

constexpr double kPointsPerPixel = 0.75;
constexpr double kPadding = 2.0;       // points between a cell's edge and its text
constexpr double kPageTextSize = 9.0;  // points, header and footer
constexpr double kHeaderGray = 0.88;

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextFree {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void setRgb(cairo_t* cr, std::uint32_t rgb) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                       (rgb & 0xFF) / 255.0);
}

enum class Align { Left, Center, Right };

// One drawn box: a single cell or a whole span, in page coordinates.
struct Box {
  int col = 0, row = 0;  // the cell whose contents and format it shows
  double x = 0, y = 0, w = 0, h = 0;
};

class PdfPainter {
 public:
  PdfPainter(const Sheet& sheet, const PrintLayout& layout, cairo_t* cr)
      : sheet_(sheet), layout_(layout), cr_(cr) {}

  void paint(const PagePlan& plan, const PageMeasures& m) {
    int pages = plan.pageCount();
    for (int page = 0; page < pages; ++page) {
      auto [colBand, rowBand] = plan.bandsOf(page);
      paintPageTexts(plan, page + 1, pages);
      cairo_save(cr_);
      cairo_translate(cr_, plan.left, plan.top);
      cairo_scale(cr_, plan.scale, plan.scale);
      paintGrid(m, plan.colBands[static_cast<std::size_t>(colBand)],
                plan.rowBands[static_cast<std::size_t>(rowBand)]);
      cairo_restore(cr_);
      cairo_show_page(cr_);
    }
  }

 private:
  void paintPageTexts(const PagePlan& plan, int page, int pages) {
    usePageTextFont();
    cairo_set_source_rgb(cr_, 0, 0, 0);
    double width = plan.pageWidth - plan.left - layout_.marginRight * kPointsPerMm;
    if (!layout_.header.empty()) {
      double y = layout_.marginTop * kPointsPerMm;
      text(base::cp1252ToUtf8(fillPageText(layout_.header, layout_, page, pages)), plan.left, y,
           width, kPageTextSize * 1.4, Align::Center);
    }
    if (!layout_.footer.empty()) {
      double y = plan.pageHeight - layout_.marginBottom * kPointsPerMm - kPageTextSize * 1.4;
      text(base::cp1252ToUtf8(fillPageText(layout_.footer, layout_, page, pages)), plan.left, y,
           width, kPageTextSize * 1.4, Align::Center);
    }
  }

  // Positions of the band's columns (and rows) from 0, with the header's size first.
  static std::vector<double> edges(const std::vector<double>& sizes, std::pair<int, int> band,
                                   double header) {
    std::vector<double> at{header};
    for (int i = band.first; i <= band.second; ++i)
      at.push_back(at.back() + sizes[static_cast<std::size_t>(i)]);
    return at;
  }

  void paintGrid(const PageMeasures& m, std::pair<int, int> cols, std::pair<int, int> rows) {
    double headerW = layout_.rowHeader ? m.colWidths[0] : 0;
    double headerH = layout_.colHeader ? m.rowHeights[0] : 0;
    std::vector<double> xs = edges(m.colWidths, cols, headerW);
    std::vector<double> ys = edges(m.rowHeights, rows, headerH);
    // Offset of any column or row edge from the band's start, also for the
    // spans that begin before the band or end after it.
    auto offset = [](const std::vector<double>& at, const std::vector<double>& sizes,
                     std::pair<int, int> band, int i) {
      i = std::min(i, static_cast<int>(sizes.size()));
      if (i < band.first) {
        double v = at.front();
        for (int k = i; k < band.first; ++k) v -= sizes[static_cast<std::size_t>(k)];
        return v;
      }
      if (i > band.second + 1) {
        double v = at.back();
        for (int k = band.second + 1; k < i; ++k) v += sizes[static_cast<std::size_t>(k)];
        return v;
      }
      return at[static_cast<std::size_t>(i - band.first)];
    };
    auto xOf = [&](int col) { return offset(xs, m.colWidths, cols, col); };
    auto yOf = [&](int row) { return offset(ys, m.rowHeights, rows, row); };
    std::vector<Box> boxes = boxesOf(cols, rows, xOf, yOf, xs, ys);
    double right = xs.back(), bottom = ys.back();

    cairo_save(cr_);
    cairo_rectangle(cr_, 0, 0, right, bottom);
    cairo_clip(cr_);
    if (layout_.colors)
      for (const Box& b : boxes) paintBackground(b);
    if (layout_.colHeader || layout_.rowHeader) paintHeaders(m, cols, rows, xs, ys);
    if (layout_.cellSeparators) {
      cairo_set_source_rgb(cr_, 0.75, 0.75, 0.75);
      cairo_set_line_width(cr_, 0.5);
      for (const Box& b : boxes) cairo_rectangle(cr_, b.x, b.y, b.w, b.h);
      cairo_stroke(cr_);
    }
    for (const Box& b : boxes) paintBorder(b);
    for (const Box& b : boxes) paintContents(b);
    cairo_restore(cr_);
    if (layout_.border) {
      cairo_set_source_rgb(cr_, 0, 0, 0);
      cairo_set_line_width(cr_, 1.0);
      cairo_rectangle(cr_, 0, 0, right, bottom);
      cairo_stroke(cr_);
    }
  }

  template <class XOf, class YOf>
  std::vector<Box> boxesOf(std::pair<int, int> cols, std::pair<int, int> rows, XOf xOf, YOf yOf,
                           const std::vector<double>& xs, const std::vector<double>& ys) const {
    std::vector<Box> boxes;
    const SpanTable& spans = sheet_.content().spans;
    for (int row = rows.first; row <= rows.second; ++row) {
      for (int col = cols.first; col <= cols.second; ++col) {
        std::optional<Area> span = spans.find(col, row);
        if (!span) {
          auto i = static_cast<std::size_t>(col - cols.first);
          auto j = static_cast<std::size_t>(row - rows.first);
          boxes.push_back({col, row, xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]});
          continue;
        }
        // A span is drawn whole from its first cell on this page.
        if (col != std::max(span->col1, cols.first) || row != std::max(span->row1, rows.first))
          continue;
        double x = xOf(span->col1), y = yOf(span->row1);
        double x2 = xOf(span->col2 + 1), y2 = yOf(span->row2 + 1);
        boxes.push_back({span->col1, span->row1, x, y, x2 - x, y2 - y});
      }
    }
    return boxes;
  }

  void paintBackground(const Box& b) {
    if (auto rgb = rgbOf(sheet_.format(b.col, b.row).background)) {
      setRgb(cr_, *rgb);
      cairo_rectangle(cr_, b.x, b.y, b.w, b.h);
      cairo_fill(cr_);
    }
  }

  void paintBorder(const Box& b) {
    const Border& border = sheet_.format(b.col, b.row).border;
    unsigned sides = borderSides(border);
    if (!sides) return;
    auto rgb = layout_.colors ? rgbOf(border.color) : std::nullopt;
    if (rgb)
      setRgb(cr_, *rgb);
    else
      cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_set_line_width(cr_, 0.8);
    auto line = [&](double x1, double y1, double x2, double y2) {
      cairo_move_to(cr_, x1, y1);
      cairo_line_to(cr_, x2, y2);
    };
    if (sides & 1) line(b.x, b.y, b.x, b.y + b.h);
    if (sides & 2) line(b.x + b.w, b.y, b.x + b.w, b.y + b.h);
    if (sides & 4) line(b.x, b.y, b.x + b.w, b.y);
    if (sides & 8) line(b.x, b.y + b.h, b.x + b.w, b.y + b.h);
    cairo_stroke(cr_);
  }

  void paintHeaders(const PageMeasures& m, std::pair<int, int> cols, std::pair<int, int> rows,
                    const std::vector<double>& xs, const std::vector<double>& ys) {
    useFont(Font{});
    auto cell = [&](const std::string& caption, double x, double y, double w, double h) {
      cairo_set_source_rgb(cr_, kHeaderGray, kHeaderGray, kHeaderGray);
      cairo_rectangle(cr_, x, y, w, h);
      cairo_fill_preserve(cr_);
      cairo_set_source_rgb(cr_, 0.5, 0.5, 0.5);
      cairo_set_line_width(cr_, 0.5);
      cairo_stroke(cr_);
      cairo_set_source_rgb(cr_, 0, 0, 0);
      text(caption, x, y, w, h, Align::Center);
    };
    if (layout_.colHeader) {
      for (int col = cols.first; col <= cols.second; ++col) {
        auto i = static_cast<std::size_t>(col - cols.first);
        cell(colCaption(sheet_, col), xs[i], 0, xs[i + 1] - xs[i], ys[0]);
      }
    }
    if (layout_.rowHeader) {
      for (int row = rows.first; row <= rows.second; ++row) {
        auto j = static_cast<std::size_t>(row - rows.first);
        cell(rowCaption(sheet_, row), 0, ys[j], xs[0], ys[j + 1] - ys[j]);
      }
      if (layout_.colHeader) cell("", 0, 0, xs[0], ys[0]);
    }
  }

  void paintContents(const Box& b) {
    const CellFormat& f = sheet_.format(b.col, b.row);
    std::string shown = sheet_.displayText(b.col, b.row);
    if (f.type.kind == CellKind::CheckBox) {
      bool checked = sheet_.getValue(b.col, b.row) == "1";
      shown = (checked ? "[x] " : "[  ] ") + shown;
    }
    if (shown.empty()) return;
    useFont(sheet_.getFont(b.col, b.row));
    auto rgb = layout_.colors ? rgbOf(f.foreground) : std::nullopt;
    if (rgb)
      setRgb(cr_, *rgb);
    else
      cairo_set_source_rgb(cr_, 0, 0, 0);
    const Value& v = sheet_.value(b.col, b.row);
    Align align = f.type.kind == CellKind::Button                     ? Align::Center
                  : v.isNumber() && f.type.kind != CellKind::CheckBox ? Align::Right
                  : v.isBool() || v.isError()                         ? Align::Center
                                                                      : Align::Left;
    text(base::cp1252ToUtf8(shown), b.x, b.y, b.w, b.h, align, f.font.underline);
  }

  // Selecting a face looks it up in the font configuration: only on a change.
  void useFont(const Font& font) {
    Font f = font;
    if (f.face.empty()) f.face = sheet_.settings().defaultFont.face;
    if (f.height <= 0) f.height = sheet_.settings().defaultFont.height;
    if (f.height <= 0) f.height = 13;
    if (haveFont_ && f == font_) return;
    std::string face = base::cp1252ToUtf8(f.face);
    cairo_select_font_face(cr_, face.empty() ? "Sans" : face.c_str(),
                           f.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           f.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, f.height * kPointsPerPixel);
    cairo_font_extents(cr_, &extents_);
    font_ = f;
    haveFont_ = true;
  }

  void usePageTextFont() {
    cairo_select_font_face(cr_, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, kPageTextSize);
    cairo_font_extents(cr_, &extents_);
    haveFont_ = false;
  }

  // UTF-8 text in a box, each line on its own, clipped to the box and
  // centred vertically as a block.
  void text(const std::string& utf8, double x, double y, double w, double h, Align align,
            bool underline = false) {
    if (utf8.empty()) return;
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
      std::size_t end = utf8.find('\n', start);
      std::string line = utf8.substr(start, end == std::string::npos ? end : end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    const cairo_font_extents_t& fe = extents_;
    double blockHeight = fe.height * static_cast<double>(lines.size());
    double blockTop = y + (h - blockHeight) / 2;
    std::vector<double> advances(lines.size());
    double widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      cairo_text_extents_t te;
      cairo_text_extents(cr_, lines[i].c_str(), &te);
      advances[i] = te.x_advance;
      widest = std::max(widest, te.x_advance);
    }
    // Clipping costs a graphics state in the file: only for text that overflows.
    bool clip = widest + 2 * kPadding > w || blockHeight > h;
    if (clip) {
      cairo_save(cr_);
      cairo_rectangle(cr_, x, y, w, h);
      cairo_clip(cr_);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
      double tx = align == Align::Left    ? x + kPadding
                  : align == Align::Right ? x + w - kPadding - advances[i]
                                          : x + (w - advances[i]) / 2;
      double baseline = blockTop + fe.ascent + fe.height * static_cast<double>(i);
      cairo_move_to(cr_, tx, baseline);
      cairo_show_text(cr_, lines[i].c_str());
      if (underline) {
        cairo_set_line_width(cr_, 0.5);
        cairo_move_to(cr_, tx, baseline + 1.5);
        cairo_line_to(cr_, tx + advances[i], baseline + 1.5);
        cairo_stroke(cr_);
      }
    }
    if (clip) cairo_restore(cr_);
  }

  const Sheet& sheet_;
  const PrintLayout& layout_;
  cairo_t* cr_;
  Font font_;
  bool haveFont_ = false;
  cairo_font_extents_t extents_{};
};

PageMeasures measuresOf(const Sheet& sheet, const PrintLayout& layout, const UsedRange& used) {
  PageMeasures m;
  m.colWidths.resize(static_cast<std::size_t>(used.cols) + 1);
  m.rowHeights.resize(static_cast<std::size_t>(used.rows) + 1);
  for (int c = 0; c <= used.cols; ++c)
    m.colWidths[static_cast<std::size_t>(c)] = sheet.colWidthInPixels(c) * kPointsPerPixel;
  for (int r = 0; r <= used.rows; ++r)
    m.rowHeights[static_cast<std::size_t>(r)] = sheet.rowHeight(r) * kPointsPerPixel;
  if (!layout.rowHeader) m.colWidths[0] = 0;
  if (!layout.colHeader) m.rowHeights[0] = 0;
  double band = kPageTextSize * 2;
  if (!layout.header.empty()) m.headerBand = band;
  if (!layout.footer.empty()) m.footerBand = band;
  return m;
}

}  // namespace

bool renderPdf(const Sheet& sheet, const PrintLayout& layout, std::string& pdf,
               std::string& error) {
  UsedRange used = usedRange(sheet);
  PageMeasures m = measuresOf(sheet, layout, used);
  PagePlan plan = planPages(layout, m, used.cols, used.rows);
  pdf.clear();
  std::unique_ptr<cairo_surface_t, SurfaceFree> surface(
      cairo_pdf_surface_create_for_stream(appendBytes, &pdf, plan.pageWidth, plan.pageHeight));
  std::unique_ptr<cairo_t, ContextFree> cr(cairo_create(surface.get()));
  PdfPainter(sheet, layout, cr.get()).paint(plan, m);
  cairo_status_t status = cairo_status(cr.get());
  cr.reset();
  cairo_surface_finish(surface.get());
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface.get());
  if (status != CAIRO_STATUS_SUCCESS) {
    error = std::string("cannot draw the pages: ") + cairo_status_to_string(status);
    return false;
  }
  return true;
}

}  // namespace grid
