#pragma once
// The framework's painting functions: what controls use to draw colours, borders, images and text.
// Rectangles are client pixels, right and bottom exclusive. Colours are ARGB: an alpha below 255
// blends, an alpha of 0 draws nothing (except for text colours; see DrawText).
// Texts are GBK, as CDuiString holds them; they are converted to UTF-8 only to be drawn.

#include <string_view>
#include <vector>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/Font.h"
#include "platform/ui/render/Image.h"
#include "platform/ui/render/ImageCache.h"
#include "platform/ui/render/ImageDescription.h"
#include "platform/ui/render/TextStyle.h"

namespace ui {

enum class LineStyle { Solid, Dash, Dot };

// One place between characters of a text: its byte offset in the GBK text and its x position
// (pixels from the text's start).
struct CaretStop {
  int byteOffset = 0;
  int x = 0;
};

class CRenderEngine {
 public:
  CRenderEngine() = delete;

  // --- Colours and shapes ---
  static void DrawColor(HDC hDC, const RECT& rc, DWORD color);
  // Fills `rc` with a linear gradient from `first` to `second`, top to bottom or left to right.
  static void DrawGradient(HDC hDC, const RECT& rc, DWORD first, DWORD second, bool vertical);
  // A line from (rc.left, rc.top) to (rc.right, rc.bottom), `size` pixels wide.
  static void DrawLine(HDC hDC, const RECT& rc, int size, DWORD color, LineStyle style = LineStyle::Solid);
  // A border of `size` pixels drawn inside `rc`.
  static void DrawRect(HDC hDC, const RECT& rc, int size, DWORD color, LineStyle style = LineStyle::Solid);
  // A border of `size` pixels inside `rc` with rounded corners of the given ellipse width and height.
  static void DrawRoundRect(HDC hDC, const RECT& rc, int size, int roundWidth, int roundHeight, DWORD color);
  // Fills `rc` with rounded corners of the given ellipse width and height.
  static void DrawRoundColor(HDC hDC, const RECT& rc, int roundWidth, int roundHeight, DWORD color);

  // --- Images ---
  // Draws an image description (ImageDescription.h) into the control rectangle `rcItem`, clipped
  // to `rcPaint`; `modify` is applied over `description` (for example a dest of a check box's box).
  // False when the description names no file or the picture cannot be loaded; true otherwise,
  // even when nothing of it lies inside `rcPaint` or its source lies outside the picture.
  static bool DrawImageString(HDC hDC, ImageCache& cache, const RECT& rcItem, const RECT& rcPaint,
                              std::string_view description, std::string_view modify = {});
  // Draws a parsed description with its picture (already masked) into `rcItem`, clipped to `rcPaint`.
  static void DrawImage(HDC hDC, const Image& image, const RECT& rcItem, const RECT& rcPaint,
                        const ImageDescription& description);
  // Draws the part `source` of a picture stretched into `dest`, with nine-patch `corner` insets.
  static void DrawImage(HDC hDC, const Image& image, const RECT& dest, const RECT& rcPaint, const RECT& source,
                        const RECT& corner, BYTE fade = 255);

  // --- Text ---
  // Draws `text` (GBK) into `rc` with the DT_* flags of TextStyle.h, clipped to `rc` unless
  // DT_NOCLIP. A null font is Font::Default(). Text colours ignore alpha 0 (drawn opaque, as the
  // original platform draws text colours). With DT_CALCRECT nothing is drawn: rc.right and
  // rc.bottom are set to the size the text needs (wrapped at rc's width with DT_WORDBREAK).
  static void DrawText(HDC hDC, const Font* font, RECT& rc, std::string_view text, DWORD color, UINT style);
  // Width and height of `text` as DrawText lays it out; `maxWidth` > 0 wraps (with DT_WORDBREAK)
  // or cuts (with an ellipsis flag) at that width.
  static SIZE MeasureText(const Font* font, std::string_view text, UINT style = DT_SINGLELINE, int maxWidth = 0);
  // The caret stops of a single-line text: one per character boundary, the first at byte 0 and x 0,
  // the last at the text's end; in increasing order of byte offset.
  static std::vector<CaretStop> GetCaretStops(const Font* font, std::string_view text);
};

}  // namespace ui
