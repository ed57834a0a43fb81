// CRenderEngine: pictures from image descriptions, stretched or as nine-patches, faded or recoloured.

#include <cairo.h>

#include <algorithm>
#include <array>

#include "platform/ui/render/CairoColor.h"
#include "platform/ui/render/CairoShapes.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

// How a patch reaches the target: painted with an opacity, or used as a mask for a colour.
struct Paint {
  double opacity = 1.0;
  bool recolour = false;
  DWORD color = 0;
};

class ImageSurface {
 public:
  explicit ImageSurface(const Image& image)
      : m_surface(cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.Pixels())), CAIRO_FORMAT_ARGB32,
            image.Width(), image.Height(), image.Stride())) {}
  ~ImageSurface() { cairo_surface_destroy(m_surface); }
  ImageSurface(const ImageSurface&) = delete;
  ImageSurface& operator=(const ImageSurface&) = delete;
  cairo_surface_t* Get() const { return m_surface; }

 private:
  cairo_surface_t* m_surface;
};

// Draws the source part of the picture stretched into dest. The part is cut out as a sub-surface
// with padded edges, so that filtering never pulls in pixels of the neighbouring patch.
void DrawPatch(cairo_t* cr, cairo_surface_t* picture, const RECT& source, const RECT& dest, const Paint& paint) {
  if (IsEmpty(source) || IsEmpty(dest)) return;
  cairo_surface_t* part =
      cairo_surface_create_for_rectangle(picture, source.left, source.top, RectWidth(source), RectHeight(source));
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(part);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  const bool unscaled = RectWidth(source) == RectWidth(dest) && RectHeight(source) == RectHeight(dest);
  cairo_pattern_set_filter(pattern, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, static_cast<double>(RectWidth(source)) / RectWidth(dest),
                          static_cast<double>(RectHeight(source)) / RectHeight(dest));
  cairo_matrix_translate(&matrix, -dest.left, -dest.top);
  cairo_pattern_set_matrix(pattern, &matrix);

  cairo_save(cr);
  AddRectPath(cr, dest);
  cairo_clip(cr);
  if (paint.recolour) {
    SetSourceColor(cr, paint.color, paint.opacity);
    cairo_mask(cr, pattern);
  } else {
    cairo_set_source(cr, pattern);
    cairo_paint_with_alpha(cr, paint.opacity);
  }
  cairo_restore(cr);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(part);
}

// Corner insets that fit both rectangles: a side's two insets never exceed its length.
RECT FitCorners(RECT corner, const RECT& source, const RECT& dest) {
  auto fit = [](long& a, long& b, long length) {
    a = std::max(0L, a);
    b = std::max(0L, b);
    if (a + b > length) {
      const long total = a + b;
      a = length * a / total;
      b = length - a;
    }
  };
  fit(corner.left, corner.right, std::min(RectWidth(source), RectWidth(dest)));
  fit(corner.top, corner.bottom, std::min(RectHeight(source), RectHeight(dest)));
  return corner;
}

// The three columns (or rows) of a nine-patch: start edge, stretched middle, end edge.
std::array<long, 4> Cuts(long from, long to, long first, long last) { return {from, from + first, to - last, to}; }

void DrawNinePatch(cairo_t* cr, cairo_surface_t* picture, const RECT& source, const RECT& dest, const RECT& corner,
                   const Paint& paint) {
  const RECT c = FitCorners(corner, source, dest);
  const auto sx = Cuts(source.left, source.right, c.left, c.right);
  const auto sy = Cuts(source.top, source.bottom, c.top, c.bottom);
  const auto dx = Cuts(dest.left, dest.right, c.left, c.right);
  const auto dy = Cuts(dest.top, dest.bottom, c.top, c.bottom);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      DrawPatch(cr, picture, RECT{sx[column], sy[row], sx[column + 1], sy[row + 1]},
                RECT{dx[column], dy[row], dx[column + 1], dy[row + 1]}, paint);
    }
  }
}

void DrawPicture(HDC hDC, const Image& image, const RECT& dest, const RECT& rcPaint, const RECT& source,
                 const RECT& corner, const Paint& paint) {
  const RECT visibleSource = Intersect(source, RECT{0, 0, image.Width(), image.Height()});
  const RECT visibleDest = Intersect(dest, rcPaint);
  if (IsEmpty(visibleSource) || IsEmpty(visibleDest) || paint.opacity <= 0) return;
  cairo_t* cr = hDC->Cairo();
  cairo_save(cr);
  AddRectPath(cr, rcPaint);
  cairo_clip(cr);
  ImageSurface picture(image);
  DrawNinePatch(cr, picture.Get(), visibleSource, dest, corner, paint);
  cairo_restore(cr);
}

}  // namespace

bool CRenderEngine::DrawImageString(HDC hDC, ImageCache& cache, const RECT& rcItem, const RECT& rcPaint,
                                    std::string_view description, std::string_view modify) {
  std::optional<ImageDescription> parsed = ParseImageDescription(description);
  if (parsed && !modify.empty()) parsed = ParseImageDescription(modify, *parsed);
  if (!parsed) return false;
  const std::shared_ptr<const Image> image = cache.Get(parsed->file, parsed->mask);
  if (!image) return false;
  DrawImage(hDC, *image, rcItem, rcPaint, *parsed);
  return true;
}

void CRenderEngine::DrawImage(HDC hDC, const Image& image, const RECT& rcItem, const RECT& rcPaint,
                              const ImageDescription& description) {
  RECT dest = rcItem;
  if (description.dest) {
    const RECT& d = *description.dest;
    dest =
        Intersect(RECT{rcItem.left + d.left, rcItem.top + d.top, rcItem.left + d.right, rcItem.top + d.bottom}, rcItem);
  }
  const RECT source = description.source.value_or(RECT{0, 0, image.Width(), image.Height()});
  Paint paint;
  paint.opacity = description.fade / 255.0;
  paint.recolour = description.font;
  paint.color = description.fontColor;
  DrawPicture(hDC, image, dest, rcPaint, source, description.corner, paint);
}

void CRenderEngine::DrawImage(HDC hDC, const Image& image, const RECT& dest, const RECT& rcPaint, const RECT& source,
                              const RECT& corner, BYTE fade) {
  Paint paint;
  paint.opacity = fade / 255.0;
  DrawPicture(hDC, image, dest, rcPaint, source, corner, paint);
}

}  // namespace ui
