#include "Picture.h"

#include <cmath>
#include <cstdio>

namespace skinimages {

Rgba Hex(std::uint32_t rgb, double alpha) {
  return Rgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Picture::Picture(int width, int height)
    : m_width(width),
      m_height(height),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cr(cairo_create(m_surface)) {
  cairo_set_antialias(m_cr, CAIRO_ANTIALIAS_BEST);
}

Picture::~Picture() {
  cairo_destroy(m_cr);
  cairo_surface_destroy(m_surface);
}

bool Picture::Save(const std::string& folder, const std::string& name) {
  cairo_surface_flush(m_surface);
  const std::string path = folder + "/" + name;
  if (cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS) return true;
  std::fprintf(stderr, "skinimages: cannot write %s\n", path.c_str());
  return false;
}

void SetColor(cairo_t* cr, const Rgba& color) { cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a); }

void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius) {
  const double r = std::fmin(radius, std::fmin(width, height) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + width - r, y + height - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + height - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void FillRoundedGradient(cairo_t* cr, double x, double y, double width, double height, double radius, const Rgba& top,
                         const Rgba& bottom) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y, 0, y + height);
  cairo_pattern_add_color_stop_rgba(gradient, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(gradient, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  RoundedRectPath(cr, x, y, width, height, radius);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
}

void StrokeRoundedBorder(cairo_t* cr, double x, double y, double width, double height, double radius,
                         const Rgba& color, double lineWidth) {
  const double half = lineWidth / 2;
  RoundedRectPath(cr, x + half, y + half, width - lineWidth, height - lineWidth, radius);
  SetColor(cr, color);
  cairo_set_line_width(cr, lineWidth);
  cairo_stroke(cr);
}

}  // namespace skinimages
