#pragma once
// Conversions between straight ARGB colours and premultiplied ARGB32 pixel words (internal).

#include <cstdint>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Image.h"

namespace ui {

inline std::uint32_t PremultipliedPixel(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  if (a == 255) return 0xFF000000u | (r << 16) | (g << 8) | b;
  auto premultiply = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (premultiply(r) << 16) | (premultiply(g) << 8) | premultiply(b);
}

inline std::uint32_t PremultipliedFromColor(DWORD argb) {
  return PremultipliedPixel(argb >> 24, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

inline DWORD ColorFromPremultiplied(std::uint32_t p) {
  const std::uint32_t a = p >> 24;
  if (a == 0) return 0;
  if (a == 255) return p;
  auto channel = [a](std::uint32_t c) {
    const std::uint32_t v = (c * 255 + a / 2) / a;
    return v > 255 ? 255u : v;
  };
  return (a << 24) | (channel((p >> 16) & 0xFF) << 16) | (channel((p >> 8) & 0xFF) << 8) | channel(p & 0xFF);
}

// Turns straight-alpha ARGB words into premultiplied ones.
void PremultiplyInPlace(Image& image);

}  // namespace ui
