#include "platform/ui/render/TextLayout.h"

#include <algorithm>

#include "platform/ui/render/FontWarmUp.h"

namespace ui {
namespace {

class ThreadContext {
 public:
  ThreadContext() : m_fontMap(TakeWarmFontMap()) {
    if (m_fontMap == nullptr) m_fontMap = PANGO_FONT_MAP(g_object_ref(pango_cairo_font_map_get_default()));
    m_context = pango_font_map_create_context(m_fontMap);
    SetTextFontOptions(m_context);
  }
  ~ThreadContext() {
    g_object_unref(m_context);
    g_object_unref(m_fontMap);
  }
  ThreadContext(const ThreadContext&) = delete;
  ThreadContext& operator=(const ThreadContext&) = delete;
  PangoContext* Get() const { return m_context; }

 private:
  PangoFontMap* m_fontMap;
  PangoContext* m_context;
};

}  // namespace

void SetTextFontOptions(PangoContext* context) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  // Whole-pixel advances keep caret stops and measured widths exact.
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

PangoContext* ThreadPangoContext() {
  thread_local ThreadContext context;
  return context.Get();
}

std::string FlattenLineBreaks(std::string utf8) {
  std::replace(utf8.begin(), utf8.end(), '\r', ' ');
  std::replace(utf8.begin(), utf8.end(), '\n', ' ');
  return utf8;
}

TextLayout::TextLayout(const Font& font, const std::string& utf8, bool singleLine, bool wordBreak, bool ellipsis,
                       int width, int height)
    : m_layout(pango_layout_new(ThreadPangoContext())) {
  pango_layout_set_font_description(m_layout, font.Description());
  if (font.Spec().underline) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(m_layout, attributes);
    pango_attr_list_unref(attributes);
  }
  pango_layout_set_single_paragraph_mode(m_layout, singleLine);
  pango_layout_set_text(m_layout, utf8.data(), static_cast<int>(utf8.size()));
  const bool wraps = wordBreak && !singleLine;
  if (width > 0 && (wraps || ellipsis)) {
    m_hasWidth = true;
    pango_layout_set_width(m_layout, width * PANGO_SCALE);
    pango_layout_set_wrap(m_layout, PANGO_WRAP_WORD_CHAR);
    if (ellipsis) {
      pango_layout_set_ellipsize(m_layout, PANGO_ELLIPSIZE_END);
      // Wrapped text keeps the lines that fit, the last one cut; unwrapped text stays one line.
      pango_layout_set_height(m_layout, wraps && height > 0 ? height * PANGO_SCALE : -1);
    }
  }
}

TextLayout::~TextLayout() { g_object_unref(m_layout); }

SIZE TextLayout::Size() const {
  PangoRectangle logical;
  pango_layout_get_pixel_extents(m_layout, nullptr, &logical);
  return SIZE{logical.width, logical.height};
}

}  // namespace ui
