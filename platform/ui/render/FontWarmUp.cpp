#include "platform/ui/render/FontWarmUp.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/os/Charset.h"
#include "platform/ui/render/TextLayout.h"

namespace ui {
namespace {

// Wide enough that a window's texts lie on a few lines; every glyph is drawn, none clipped away.
constexpr int kLineWidth = 1024;
constexpr int kMaxHeight = 4096;

struct WarmUp {
  std::mutex mutex;
  bool started = false;
  std::thread thread;
  PangoFontMap* fontMap = nullptr;  // the thread's until it is taken

  // A warm-up nobody took ends with the process.
  ~WarmUp() {
    if (thread.joinable()) thread.join();
    if (fontMap != nullptr) g_object_unref(fontMap);
  }
};

WarmUp& TheWarmUp() {
  static WarmUp warmUp;
  return warmUp;
}

// Shapes the text in the font and draws it, so that the glyphs are rendered into the font's cache.
void Draw(PangoContext* context, const FontText& entry) {
  const std::string utf8 = os::GbkToUtf8(entry.text);
  if (utf8.empty()) return;
  const std::shared_ptr<const Font> font = Font::Create(entry.font);
  PangoLayout* layout = pango_layout_new(context);
  pango_layout_set_font_description(layout, font->Description());
  pango_layout_set_width(layout, kLineWidth * PANGO_SCALE);
  pango_layout_set_wrap(layout, PANGO_WRAP_CHAR);
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::clamp(logical.width, 1, kLineWidth),
                                                        std::clamp(logical.height, 1, kMaxHeight));
  cairo_t* cr = cairo_create(surface);
  pango_cairo_show_layout(cr, layout);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  g_object_unref(layout);
}

void Warm(PangoFontMap* fontMap, const std::function<std::vector<FontText>()>& texts) {
  PangoContext* context = pango_font_map_create_context(fontMap);
  SetTextFontOptions(context);
  for (const FontText& entry : texts()) Draw(context, entry);
  g_object_unref(context);
}

}  // namespace

void StartFontWarmUp(std::function<std::vector<FontText>()> texts) {
  WarmUp& warmUp = TheWarmUp();
  std::lock_guard lock(warmUp.mutex);
  if (warmUp.started) return;
  warmUp.started = true;
  PangoFontMap* fontMap = pango_cairo_font_map_new();
  warmUp.fontMap = fontMap;
  warmUp.thread = std::thread([fontMap, texts = std::move(texts)] { Warm(fontMap, texts); });
}

PangoFontMap* TakeWarmFontMap() {
  WarmUp& warmUp = TheWarmUp();
  std::thread thread;
  PangoFontMap* fontMap = nullptr;
  {
    std::lock_guard lock(warmUp.mutex);
    fontMap = std::exchange(warmUp.fontMap, nullptr);
    thread = std::move(warmUp.thread);
  }
  // The font map is the thread's until it ends.
  if (thread.joinable()) thread.join();
  return fontMap;
}

}  // namespace ui
