#include "platform/ui/render/Canvas.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/os/File.h"
#include "platform/ui/render/CairoColor.h"
#include "platform/ui/render/PixelConversion.h"

namespace ui {
namespace {

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : m_width(std::max(1, width)),
      m_height(std::max(1, height)),
      m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height)) {}

Canvas::~Canvas() { cairo_surface_destroy(m_surface); }

int Canvas::Stride() const { return cairo_image_surface_get_stride(m_surface); }

const std::uint8_t* Canvas::Data() const {
  cairo_surface_flush(m_surface);
  return cairo_image_surface_get_data(m_surface);
}

std::shared_ptr<Image> Canvas::ToImage() const {
  auto image = Image::Create(m_width, m_height);
  if (image == nullptr) return nullptr;
  const std::uint8_t* data = Data();
  for (int y = 0; y < m_height; ++y) {
    std::memcpy(image->Pixels() + static_cast<std::size_t>(y) * m_width, data + static_cast<std::size_t>(y) * Stride(),
                static_cast<std::size_t>(m_width) * 4);
  }
  return image;
}

void Canvas::Clear(DWORD argb) {
  cairo_t* cr = cairo_create(m_surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSourceColor(cr, argb);
  cairo_paint(cr);
  cairo_destroy(cr);
}

DWORD Canvas::ColorAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  const std::uint8_t* row = Data() + static_cast<std::size_t>(y) * Stride();
  std::uint32_t p = 0;
  std::copy_n(row + static_cast<std::size_t>(x) * 4, 4, reinterpret_cast<std::uint8_t*>(&p));
  return ColorFromPremultiplied(p);
}

std::optional<std::string> Canvas::EncodePng() const {
  std::string png;
  cairo_surface_flush(m_surface);
  if (cairo_surface_write_to_png_stream(m_surface, AppendToString, &png) != CAIRO_STATUS_SUCCESS) {
    return std::nullopt;
  }
  return png;
}

bool Canvas::SavePng(const std::string& path) const {
  const std::optional<std::string> png = EncodePng();
  return png && os::WriteWholeFile(path, *png);
}

}  // namespace ui
