#include "sim/SceneRenderer.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace camsim {
namespace {

constexpr const char* kFontFamily = "Noto Sans CJK SC";
constexpr double kHorizon = 0.30;  // of the height

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// The text is made smaller when it would be wider than `maxWidth`.
void CentredText(cairo_t* cr, double cx, double cy, double size, double maxWidth, const std::string& text) {
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  if (extents.width > maxWidth && extents.width > 0) {
    cairo_set_font_size(cr, size * maxWidth / extents.width);
    cairo_text_extents(cr, text.c_str(), &extents);
  }
  cairo_move_to(cr, cx - extents.width / 2 - extents.x_bearing, cy - extents.height / 2 - extents.y_bearing);
  cairo_show_text(cr, text.c_str());
}

}  // namespace

SceneRenderer::SceneRenderer(int width, int height)
    : m_width(std::max(width, 2)),
      m_height(std::max(height, 2)),
      m_road(cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height)),
      m_frame(cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height)) {
  cairo_t* cr = cairo_create(m_road);
  DrawRoad(cr);
  cairo_destroy(cr);
  cairo_surface_flush(m_road);
}

SceneRenderer::~SceneRenderer() {
  cairo_surface_destroy(m_frame);
  cairo_surface_destroy(m_road);
}

const std::uint8_t* SceneRenderer::Pixels() const { return cairo_image_surface_get_data(m_frame); }

int SceneRenderer::Stride() const { return cairo_image_surface_get_stride(m_frame); }

void SceneRenderer::Render(double passProgress, const std::string& plate, PlateColour colour,
                           const std::string& caption) {
  cairo_t* cr = cairo_create(m_frame);
  cairo_set_source_surface(cr, m_road, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  DrawCar(cr, passProgress, plate, colour);
  DrawCaption(cr, caption);
  cairo_destroy(cr);
  cairo_surface_flush(m_frame);
}

void SceneRenderer::DrawRoad(cairo_t* cr) const {
  const double w = m_width;
  const double h = m_height;
  const double horizon = h * kHorizon;
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, horizon);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.55, 0.70, 0.85);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.80, 0.86, 0.90);
  cairo_set_source(cr, sky);
  cairo_rectangle(cr, 0, 0, w, horizon);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);

  cairo_set_source_rgb(cr, 0.35, 0.50, 0.30);  // verge
  cairo_rectangle(cr, 0, horizon, w, h - horizon);
  cairo_fill(cr);

  // The road narrows towards a vanishing point in the middle of the horizon.
  cairo_set_source_rgb(cr, 0.30, 0.30, 0.32);
  cairo_move_to(cr, w * 0.46, horizon);
  cairo_line_to(cr, w * 0.54, horizon);
  cairo_line_to(cr, w * 1.05, h);
  cairo_line_to(cr, w * -0.05, h);
  cairo_close_path(cr);
  cairo_fill(cr);

  cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
  for (int i = 0; i < 12; ++i) {
    const double t0 = i / 12.0;
    const double t1 = t0 + 1 / 24.0;
    const double y0 = horizon + (h - horizon) * t0 * t0;
    const double y1 = horizon + (h - horizon) * t1 * t1;
    const double half0 = w * 0.002 + w * 0.006 * t0;
    const double half1 = w * 0.002 + w * 0.006 * t1;
    cairo_move_to(cr, w / 2 - half0, y0);
    cairo_line_to(cr, w / 2 + half0, y0);
    cairo_line_to(cr, w / 2 + half1, y1);
    cairo_line_to(cr, w / 2 - half1, y1);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
}

SceneRenderer::CarGeometry SceneRenderer::CarAt(double progress) const {
  const double w = m_width;
  const double h = m_height;
  const double horizon = h * kHorizon;
  progress = std::clamp(progress, 0.0, 1.0);
  const double scale = 0.08 + 0.92 * progress * progress;
  CarGeometry car{};
  car.width = w * 0.42 * scale;
  car.height = car.width * 0.78;
  const double bottom = horizon + (h * 1.25 - horizon) * progress * progress + car.height * 0.1;
  car.left = w * 0.30 - car.width / 2 + w * 0.02 * progress;
  car.top = bottom - car.height;
  car.plateCentreX = car.left + car.width * 0.5;
  car.plateCentreY = car.top + car.height * 0.68;
  car.plateWidth = car.width * 0.40;
  return car;
}

SceneRenderer::Bounds SceneRenderer::PlateBounds(double passProgress) const {
  const CarGeometry car = CarAt(passProgress);
  const double height = car.plateWidth * 0.32;
  return Bounds{static_cast<int>(car.plateCentreX - car.plateWidth / 2), static_cast<int>(car.plateCentreY - height / 2),
                static_cast<int>(car.plateCentreX + car.plateWidth / 2), static_cast<int>(car.plateCentreY + height / 2)};
}

void SceneRenderer::DrawCar(cairo_t* cr, double progress, const std::string& plate, PlateColour colour) const {
  const CarGeometry car = CarAt(progress);
  const double left = car.left;
  const double top = car.top;
  const double carWidth = car.width;
  const double carHeight = car.height;
  const double bottom = top + carHeight;

  cairo_set_source_rgb(cr, 0.08, 0.08, 0.08);  // wheels
  RoundedRectangle(cr, left + carWidth * 0.06, bottom - carHeight * 0.14, carWidth * 0.16, carHeight * 0.16,
                   carWidth * 0.03);
  RoundedRectangle(cr, left + carWidth * 0.78, bottom - carHeight * 0.14, carWidth * 0.16, carHeight * 0.16,
                   carWidth * 0.03);
  cairo_fill(cr);

  cairo_set_source_rgb(cr, 0.72, 0.12, 0.10);  // body
  RoundedRectangle(cr, left, top + carHeight * 0.30, carWidth, carHeight * 0.60, carWidth * 0.08);
  cairo_fill(cr);
  cairo_move_to(cr, left + carWidth * 0.12, top + carHeight * 0.32);
  cairo_line_to(cr, left + carWidth * 0.22, top);
  cairo_line_to(cr, left + carWidth * 0.78, top);
  cairo_line_to(cr, left + carWidth * 0.88, top + carHeight * 0.32);
  cairo_close_path(cr);
  cairo_fill(cr);

  cairo_set_source_rgb(cr, 0.55, 0.70, 0.82);  // windscreen
  cairo_move_to(cr, left + carWidth * 0.17, top + carHeight * 0.30);
  cairo_line_to(cr, left + carWidth * 0.25, top + carHeight * 0.05);
  cairo_line_to(cr, left + carWidth * 0.75, top + carHeight * 0.05);
  cairo_line_to(cr, left + carWidth * 0.83, top + carHeight * 0.30);
  cairo_close_path(cr);
  cairo_fill(cr);

  cairo_set_source_rgb(cr, 1.0, 0.95, 0.70);  // lamps
  RoundedRectangle(cr, left + carWidth * 0.05, top + carHeight * 0.42, carWidth * 0.16, carHeight * 0.08,
                   carWidth * 0.02);
  RoundedRectangle(cr, left + carWidth * 0.79, top + carHeight * 0.42, carWidth * 0.16, carHeight * 0.08,
                   carWidth * 0.02);
  cairo_fill(cr);

  DrawPlate(cr, car.plateCentreX, car.plateCentreY, car.plateWidth, plate, colour);
}

void SceneRenderer::DrawPlate(cairo_t* cr, double cx, double cy, double width, const std::string& plate,
                              PlateColour colour) const {
  const double height = width * 0.32;
  cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
  RoundedRectangle(cr, cx - width / 2, cy - height / 2, width, height, height * 0.12);
  cairo_fill(cr);
  switch (colour) {
    case PlateColour::Blue: cairo_set_source_rgb(cr, 0.05, 0.25, 0.75); break;
    case PlateColour::Yellow: cairo_set_source_rgb(cr, 0.95, 0.75, 0.05); break;
    case PlateColour::Green: cairo_set_source_rgb(cr, 0.45, 0.85, 0.50); break;
  }
  RoundedRectangle(cr, cx - width / 2 + height * 0.06, cy - height / 2 + height * 0.06, width - height * 0.12,
                   height * 0.88, height * 0.10);
  cairo_fill(cr);
  if (colour == PlateColour::Blue) {
    cairo_set_source_rgb(cr, 1, 1, 1);
  } else {
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
  }
  CentredText(cr, cx, cy, height * 0.62, width * 0.86, plate);
}

void SceneRenderer::DrawCaption(cairo_t* cr, const std::string& caption) const {
  if (caption.empty()) return;
  const double size = std::max(10.0, m_height / 28.0);
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_move_to(cr, size * 0.6, size * 1.4);
  cairo_show_text(cr, caption.c_str());
}

}  // namespace camsim
