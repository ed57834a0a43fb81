#include "PlateSizeHint.h"

#include <pango/pangocairo.h>

#include "Picture.h"

namespace skinimages {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 38;

void DrawLettering(cairo_t* cr) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Noto Sans CJK SC Bold 15px");
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, "京A·12345", -1);
  PangoRectangle ink;
  pango_layout_get_pixel_extents(layout, &ink, nullptr);
  cairo_move_to(cr, (kWidth - ink.width) / 2.0 - ink.x, (kHeight - ink.height) / 2.0 - ink.y);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
  pango_cairo_show_layout(cr, layout);
  pango_font_description_free(font);
  g_object_unref(layout);
}

}  // namespace

bool WritePlateSizeHint(const std::string& folder) {
  Picture plate(kWidth, kHeight);
  cairo_t* cr = plate.Cairo();
  // Slightly see-through, so that the road under it stays visible.
  FillRoundedGradient(cr, 0, 0, kWidth, kHeight, 4, Hex(0x2A63D4, 0.85), Hex(0x1646A8, 0.85));
  StrokeRoundedBorder(cr, 2, 2, kWidth - 4, kHeight - 4, 3, Hex(0xFFFFFF, 0.95), 1.5);
  DrawLettering(cr);
  return plate.Save(folder, "blue_plate.png");
}

}  // namespace skinimages
