#include "platform/ui/render/Image.h"

#include <algorithm>
#include <bit>

#include "platform/ui/render/PixelConversion.h"

namespace ui {

// The decoders write B G R A bytes that must read as 0xAARRGGBB words.
static_assert(std::endian::native == std::endian::little);

Image::Image(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, 0u) {}

std::shared_ptr<Image> Image::Create(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  return std::shared_ptr<Image>(new Image(width, height));
}

bool Image::HasAlpha() const {
  return std::any_of(m_pixels.begin(), m_pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0xFF; });
}

DWORD Image::ColorAt(int x, int y) const { return ColorFromPremultiplied(At(x, y)); }

void Image::SetColorAt(int x, int y, DWORD argb) {
  m_pixels[static_cast<std::size_t>(y) * m_width + x] = PremultipliedFromColor(argb);
}

void Image::ApplyMask(DWORD maskColor) {
  const std::uint32_t masked = 0xFF000000u | (maskColor & 0x00FFFFFFu);
  std::replace(m_pixels.begin(), m_pixels.end(), masked, 0u);
}

}  // namespace ui
