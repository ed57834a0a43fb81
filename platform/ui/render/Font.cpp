#include "platform/ui/render/Font.h"

#include <pango/pangocairo.h>

#include <algorithm>

#include "platform/ui/render/FontFamilyMap.h"
#include "platform/ui/render/TextLayout.h"

namespace ui {
namespace {

// Latin and CJK sample characters: the line height covers both.
constexpr const char* kMetricsSample = "Ay\xE4\xB8\xAD";

}  // namespace

Font::Font(const FontSpec& spec, PangoFontDescription* description) : m_spec(spec), m_description(description) {}

int Font::Height() const {
  std::call_once(m_measured, [this] { Measure(); });
  return m_height;
}

int Font::Ascent() const {
  std::call_once(m_measured, [this] { Measure(); });
  return m_ascent;
}

void Font::Measure() const {
  PangoLayout* layout = pango_layout_new(ThreadPangoContext());
  pango_layout_set_font_description(layout, m_description);
  pango_layout_set_text(layout, kMetricsSample, -1);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  m_height = logical.height;
  m_ascent = PANGO_PIXELS(pango_layout_get_baseline(layout));
  g_object_unref(layout);
}

Font::~Font() { pango_font_description_free(m_description); }

std::shared_ptr<const Font> Font::Create(const FontSpec& spec) {
  FontSpec resolved = spec;
  resolved.size = std::clamp(spec.size, 1, 1000);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, MapFontFamily(resolved.family).c_str());
  pango_font_description_set_absolute_size(description, resolved.size * PANGO_SCALE);
  pango_font_description_set_weight(description, resolved.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, resolved.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return std::shared_ptr<const Font>(new Font(resolved, description));
}

std::shared_ptr<const Font> Font::Default() {
  static const std::shared_ptr<const Font> font = Create(FontSpec{});
  return font;
}

}  // namespace ui
