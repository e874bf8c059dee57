#pragma once
#include <orcus/spreadsheet/import_interface.hpp>

#include <string>

#include "platform/grid/file/NumberFormats.h"

namespace grid {

namespace ss = orcus::spreadsheet;

// The number formats of an OpenDocument workbook as its reader hands them over.
class WorkbookStyles : public ss::iface::import_styles {
 public:
  const NumberFormats& formats() const { return formats_; }

  void set_number_format_count(size_t) override {}
  void set_number_format_identifier(size_t id) override { pendingId_ = id; }
  void set_number_format_code(std::string_view s) override { pendingCode_ = s; }
  size_t commit_number_format() override;
  void set_xf_number_format(size_t index) override { pendingXf_ = index; }
  size_t commit_cell_xf() override {
    formats_.addCellFormat(pendingXf_);
    pendingXf_ = 0;
    return cellXfs_++;
  }

  // Read past.
  void set_font_count(size_t) override {}
  void set_font_bold(bool) override {}
  void set_font_italic(bool) override {}
  void set_font_name(std::string_view) override {}
  void set_font_size(double) override {}
  void set_font_underline(ss::underline_t) override {}
  void set_font_underline_width(ss::underline_width_t) override {}
  void set_font_underline_mode(ss::underline_mode_t) override {}
  void set_font_underline_type(ss::underline_type_t) override {}
  void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
  void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                      ss::color_elem_t) override {}
  void set_strikethrough_style(ss::strikethrough_style_t) override {}
  void set_strikethrough_type(ss::strikethrough_type_t) override {}
  void set_strikethrough_width(ss::strikethrough_width_t) override {}
  void set_strikethrough_text(ss::strikethrough_text_t) override {}
  size_t commit_font() override { return fonts_++; }
  void set_fill_count(size_t) override {}
  void set_fill_pattern_type(ss::fill_pattern_t) override {}
  void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                         ss::color_elem_t) override {}
  void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                         ss::color_elem_t) override {}
  size_t commit_fill() override { return fills_++; }
  void set_border_count(size_t) override {}
  void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
  void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t,
                        ss::color_elem_t, ss::color_elem_t) override {}
  void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
  size_t commit_border() override { return borders_++; }
  void set_cell_hidden(bool) override {}
  void set_cell_locked(bool) override {}
  void set_cell_print_content(bool) override {}
  void set_cell_formula_hidden(bool) override {}
  size_t commit_cell_protection() override { return protections_++; }
  void set_cell_xf_count(size_t) override {}
  void set_cell_style_xf_count(size_t) override {}
  void set_dxf_count(size_t) override {}
  void set_xf_font(size_t) override {}
  void set_xf_fill(size_t) override {}
  void set_xf_border(size_t) override {}
  void set_xf_protection(size_t) override {}
  void set_xf_style_xf(size_t) override {}
  void set_xf_apply_alignment(bool) override {}
  void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
  void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
  size_t commit_cell_style_xf() override {
    pendingXf_ = 0;
    return styleXfs_++;
  }
  size_t commit_dxf() override {
    pendingXf_ = 0;
    return dxfs_++;
  }
  void set_cell_style_count(size_t) override {}
  void set_cell_style_name(std::string_view) override {}
  void set_cell_style_xf(size_t) override {}
  void set_cell_style_builtin(size_t) override {}
  void set_cell_style_parent_name(std::string_view) override {}
  size_t commit_cell_style() override { return cellStyles_++; }

 private:
  NumberFormats formats_;
  std::size_t cellXfs_ = 0;
  std::size_t pendingId_ = 0, pendingXf_ = 0, numberFormats_ = 0;
  std::string pendingCode_;
  std::size_t fonts_ = 0, fills_ = 0, borders_ = 0, protections_ = 0, styleXfs_ = 0, dxfs_ = 0,
              cellStyles_ = 0;
};

}  // namespace grid
