#include "PlateGlyphSheet.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Picture.h"

namespace skinimages {
namespace {

constexpr int kCellWidth = 28;
constexpr int kCellHeight = 50;
constexpr int kCellsPerRow = 8;
constexpr int kSheetWidth = 224;
constexpr int kSheetHeight = 550;
// The glyph's box inside its cell.
constexpr double kBoxWidth = 24;
constexpr double kBoxHeight = 44;

// UTF-8, one entry per cell, in the viewer's table order.
std::vector<std::string> SheetCharacters() {
  const std::string text =
      "藏川鄂甘赣贵桂黑沪吉冀津晋京辽鲁蒙闽宁青琼陕苏皖湘新渝豫粤云浙"
      "学警领使港澳"
      "0123456789"
      "ABCDEFGHJKLMNPQRSTUVWXYZ"
      "武民航"
      "0123456789";
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

// Chinese characters are stretched into the tall box, as plate lettering is; letters and digits
// keep their own proportions within it.
void DrawGlyph(cairo_t* cr, PangoFontDescription* font, const std::string& character, int cell) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, character.c_str(), -1);
  PangoRectangle ink;
  pango_layout_get_pixel_extents(layout, &ink, nullptr);
  if (ink.width > 0 && ink.height > 0) {
    const bool wide = static_cast<unsigned char>(character[0]) >= 0x80;
    const double sy = kBoxHeight / ink.height;
    const double sx = wide ? kBoxWidth / ink.width : std::min(sy, kBoxWidth / ink.width);
    const double left = (cell % kCellsPerRow) * kCellWidth + (kCellWidth - ink.width * sx) / 2;
    const double top = (cell / kCellsPerRow) * kCellHeight + (kCellHeight - kBoxHeight) / 2;
    cairo_save(cr);
    cairo_translate(cr, left, top);
    cairo_scale(cr, sx, sy);
    cairo_move_to(cr, -ink.x, -ink.y);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
  }
  g_object_unref(layout);
}

}  // namespace

bool WritePlateGlyphSheet(const std::string& folder) {
  Picture sheet(kSheetWidth, kSheetHeight);
  cairo_t* cr = sheet.Cairo();
  PangoFontDescription* font = pango_font_description_from_string("Noto Sans CJK SC Bold 60px");
  const std::vector<std::string> characters = SheetCharacters();
  for (std::size_t cell = 0; cell < characters.size(); ++cell) DrawGlyph(cr, font, characters[cell], static_cast<int>(cell));
  pango_font_description_free(font);
  return characters.size() == 84 && sheet.Save(folder, "plate_glyphs.png");
}

}  // namespace skinimages
