// CRenderEngine: GBK text drawn and measured with Pango.

#include <pango/pangocairo.h>

#include "platform/os/Charset.h"
#include "platform/ui/render/CairoColor.h"
#include "platform/ui/render/CairoShapes.h"
#include "platform/ui/render/RenderEngine.h"
#include "platform/ui/render/TextLayout.h"

namespace ui {
namespace {

constexpr UINT kEllipsisFlags = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;

// Font::Default() keeps its font alive for the whole process.
const Font& FontOrDefault(const Font* font) { return font != nullptr ? *font : *Font::Default(); }

std::string TextForLayout(std::string_view gbk, UINT style) {
  std::string utf8 = os::GbkToUtf8(gbk);
  return (style & DT_SINGLELINE) != 0 ? FlattenLineBreaks(std::move(utf8)) : utf8;
}

TextLayout MakeLayout(const Font* font, const std::string& utf8, UINT style, int width, int height) {
  return TextLayout(FontOrDefault(font), utf8, (style & DT_SINGLELINE) != 0, (style & DT_WORDBREAK) != 0,
                    (style & kEllipsisFlags) != 0, width, height);
}

PangoAlignment Alignment(UINT style) {
  if ((style & DT_CENTER) != 0) return PANGO_ALIGN_CENTER;
  if ((style & DT_RIGHT) != 0) return PANGO_ALIGN_RIGHT;
  return PANGO_ALIGN_LEFT;
}

// Where the layout's top-left goes inside rc.
POINT LayoutOrigin(const TextLayout& layout, const RECT& rc, UINT style) {
  const SIZE size = layout.Size();
  POINT origin{rc.left, rc.top};
  if (!layout.HasWidth()) {
    if ((style & DT_CENTER) != 0)
      origin.x = rc.left + (RectWidth(rc) - size.cx) / 2;
    else if ((style & DT_RIGHT) != 0)
      origin.x = rc.right - size.cx;
  }
  if ((style & DT_VCENTER) != 0)
    origin.y = rc.top + (RectHeight(rc) - size.cy) / 2;
  else if ((style & DT_BOTTOM) != 0)
    origin.y = rc.bottom - size.cy;
  return origin;
}

}  // namespace

void CRenderEngine::DrawText(HDC hDC, const Font* font, RECT& rc, std::string_view text, DWORD color, UINT style) {
  if (text.empty()) {
    if ((style & DT_CALCRECT) != 0) {
      rc.right = rc.left;
      rc.bottom = rc.top;
    }
    return;
  }
  const std::string utf8 = TextForLayout(text, style);
  TextLayout layout = MakeLayout(font, utf8, style, RectWidth(rc), RectHeight(rc));
  if ((style & DT_CALCRECT) != 0) {
    const SIZE size = layout.Size();
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    return;
  }
  if (hDC == nullptr || rc.right <= rc.left || rc.bottom <= rc.top) return;
  pango_layout_set_alignment(layout.Get(), Alignment(style));
  const POINT origin = LayoutOrigin(layout, rc, style);

  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  if ((style & DT_NOCLIP) == 0) {
    AddRectPath(cr, rc);
    cairo_clip(cr);
  }
  // Text colours carry no alpha on the original platform: 0 there means opaque.
  SetSourceColor(cr, ColorAlpha(color) == 0 ? (color | 0xFF000000u) : color);
  cairo_move_to(cr, origin.x, origin.y);
  pango_cairo_show_layout(cr, layout.Get());
  cairo_restore(cr);
}

SIZE CRenderEngine::MeasureText(const Font* font, std::string_view text, UINT style, int maxWidth) {
  if (text.empty()) return SIZE{0, 0};
  const std::string utf8 = TextForLayout(text, style);
  return MakeLayout(font, utf8, style, maxWidth, 0).Size();
}

std::vector<CaretStop> CRenderEngine::GetCaretStops(const Font* font, std::string_view text) {
  // Convert character by character so that every GBK boundary has its UTF-8 counterpart.
  std::vector<std::pair<int, int>> boundaries{{0, 0}};  // GBK offset, UTF-8 offset
  std::string utf8;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length =
        (os::IsGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size()) ? 2 : 1;
    utf8 += FlattenLineBreaks(os::GbkToUtf8(text.substr(at, length)));
    at += length;
    boundaries.emplace_back(static_cast<int>(at), static_cast<int>(utf8.size()));
  }
  TextLayout layout(FontOrDefault(font), utf8, true, false, false, 0, 0);
  std::vector<CaretStop> stops;
  stops.reserve(boundaries.size());
  for (const auto& [gbkOffset, utf8Offset] : boundaries) {
    PangoRectangle position;
    pango_layout_index_to_pos(layout.Get(), utf8Offset, &position);
    stops.push_back(CaretStop{gbkOffset, PANGO_PIXELS(position.x)});
  }
  return stops;
}

}  // namespace ui
