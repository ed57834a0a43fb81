#include "VideoPlaceholder.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "Picture.h"

namespace skinimages {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

void DrawCamera(cairo_t* cr, double cx, double cy) {
  const Rgba line = Hex(0x6F8FB5);
  // Body, lens and the small window above the lens.
  RoundedRectPath(cr, cx - 46, cy - 28, 92, 58, 9);
  SetColor(cr, line);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  RoundedRectPath(cr, cx - 20, cy - 38, 40, 12, 4);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy + 1, 17, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy + 1, 7, 0, 2 * M_PI);
  SetColor(cr, Hex(0x4F7199));
  cairo_fill(cr);
}

void DrawCaption(cairo_t* cr, const char* text, double cy) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Noto Sans CJK SC 20px");
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, text, -1);
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  cairo_move_to(cr, (kWidth - width) / 2.0, cy - height / 2.0);
  SetColor(cr, Hex(0x8FA9C8));
  pango_cairo_show_layout(cr, layout);
  pango_font_description_free(font);
  g_object_unref(layout);
}

}  // namespace

bool WriteVideoPlaceholder(const std::string& folder) {
  Picture picture(kWidth, kHeight);
  cairo_t* cr = picture.Cairo();
  cairo_pattern_t* gradient = cairo_pattern_create_radial(kWidth / 2.0, kHeight / 2.0, 20, kWidth / 2.0,
                                                          kHeight / 2.0, kWidth * 0.7);
  cairo_pattern_add_color_stop_rgb(gradient, 0, 0x24 / 255.0, 0x33 / 255.0, 0x48 / 255.0);
  cairo_pattern_add_color_stop_rgb(gradient, 1, 0x12 / 255.0, 0x1A / 255.0, 0x26 / 255.0);
  cairo_rectangle(cr, 0, 0, kWidth, kHeight);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  DrawCamera(cr, kWidth / 2.0, kHeight / 2.0 - 24);
  DrawCaption(cr, "未打开设备", kHeight / 2.0 + 42);
  return picture.Save(folder, "video_idle.png");
}

}  // namespace skinimages
