#include "platform/ui/render/gfx/Bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

#include "platform/os/File.h"
#include "platform/ui/render/ImageDecoder.h"
#include "platform/ui/render/PixelConversion.h"

namespace ui::gfx {
namespace {

cairo_format_t CairoFormat(PixelFormat format) {
  return format == PixelFormat::Rgb565 ? CAIRO_FORMAT_RGB16_565 : CAIRO_FORMAT_ARGB32;
}

int BytesPerPixel(PixelFormat format) { return format == PixelFormat::Rgb565 ? 2 : 4; }

DWORD ColorFromRgb565(std::uint16_t v) {
  const DWORD r = ((v >> 11) & 0x1F) * 255 / 31;
  const DWORD g = ((v >> 5) & 0x3F) * 255 / 63;
  const DWORD b = (v & 0x1F) * 255 / 31;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format)
    : m_width(std::max(1, width)),
      m_height(std::max(1, height)),
      m_format(format),
      m_surface(cairo_image_surface_create(CairoFormat(format), m_width, m_height)) {
  // Cairo's answer to a size it cannot hold is a surface without pixels.
  if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
    m_width = 0;
    m_height = 0;
  }
}

Bitmap::~Bitmap() { cairo_surface_destroy(m_surface); }

std::unique_ptr<Bitmap> Bitmap::FromFile(const std::string& path) {
  const std::optional<std::string> bytes = os::ReadWholeFile(path);
  if (!bytes) return nullptr;
  const std::shared_ptr<Image> image = DecodeImage(*bytes);
  if (!image) return nullptr;
  return FromImage(*image);
}

std::unique_ptr<Bitmap> Bitmap::FromImage(const Image& image) {
  auto bitmap = std::make_unique<Bitmap>(image.Width(), image.Height(), PixelFormat::Argb32);
  if (bitmap->Width() == 0) return nullptr;
  bitmap->WritePixels(0, 0, image.Width(), image.Height(), image.Pixels(), image.Stride());
  return bitmap;
}

int Bitmap::Stride() const { return cairo_image_surface_get_stride(m_surface); }

void Bitmap::WritePixels(int x, int y, int width, int height, const void* pixels, int stride) {
  if (pixels == nullptr) return;
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(m_width, x + width);
  const int bottom = std::min(m_height, y + height);
  if (left >= right || top >= bottom) return;
  cairo_surface_flush(m_surface);
  unsigned char* target = cairo_image_surface_get_data(m_surface);
  const int pixelBytes = BytesPerPixel(m_format);
  const auto* source = static_cast<const unsigned char*>(pixels);
  for (int row = top; row < bottom; ++row) {
    const unsigned char* from =
        source + static_cast<std::ptrdiff_t>(row - y) * stride + static_cast<std::ptrdiff_t>(left - x) * pixelBytes;
    std::memcpy(target + static_cast<std::ptrdiff_t>(row) * Stride() + left * pixelBytes, from,
                static_cast<std::size_t>(right - left) * pixelBytes);
  }
  cairo_surface_mark_dirty_rectangle(m_surface, left, top, right - left, bottom - top);
}

DWORD Bitmap::ColorAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  cairo_surface_flush(m_surface);
  const unsigned char* row = cairo_image_surface_get_data(m_surface) + static_cast<std::ptrdiff_t>(y) * Stride();
  if (m_format == PixelFormat::Rgb565) {
    std::uint16_t v = 0;
    std::memcpy(&v, row + x * 2, 2);
    return ColorFromRgb565(v);
  }
  std::uint32_t p = 0;
  std::memcpy(&p, row + x * 4, 4);
  return ColorFromPremultiplied(p);
}

}  // namespace ui::gfx
