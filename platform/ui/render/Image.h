#pragma once
// A decoded picture: 32-bit pixels in Cairo's ARGB32 layout (premultiplied alpha, native-endian
// 0xAARRGGBB words, B G R A bytes in memory on little-endian machines), rows of Width() words.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/os/WinTypes.h"

namespace ui {

class Image {
 public:
  // An image of the given size, all pixels transparent. Sizes below 1 give nullptr.
  static std::shared_ptr<Image> Create(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Stride() const { return m_width * 4; }  // bytes per row
  // True when some pixel is not fully opaque.
  bool HasAlpha() const;

  std::uint32_t* Pixels() { return m_pixels.data(); }
  const std::uint32_t* Pixels() const { return m_pixels.data(); }
  // Premultiplied pixel word at (x, y); the caller keeps x and y inside the image.
  std::uint32_t At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }
  // The same pixel as straight (not premultiplied) ARGB, as a colour value.
  DWORD ColorAt(int x, int y) const;
  // Stores a straight ARGB colour at (x, y).
  void SetColorAt(int x, int y, DWORD argb);

  // Makes every opaque pixel whose red, green and blue equal those of `maskColor` fully transparent.
  void ApplyMask(DWORD maskColor);

 private:
  Image(int width, int height);

  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t> m_pixels;
};

}  // namespace ui
