#pragma once
// A picture that the programs paint into or fill from memory: 16-bit RGB565 (little-endian words,
// rows padded to 4 bytes, as video conversion writes them) or 32-bit ARGB.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Image.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui::gfx {

enum class PixelFormat { Rgb565, Argb32 };

class Bitmap {
 public:
  // Sizes below 1 are taken as 1. All pixels start black (RGB565) or transparent (ARGB). A size
  // that cairo refuses (over 32767 pixels a side, or too big for memory) gives a bitmap of 0 x 0
  // that takes no pixels and draws nothing.
  Bitmap(int width, int height, PixelFormat format);
  ~Bitmap();
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  // A picture file (PNG, JPEG or BMP) at a GBK path, as an ARGB bitmap; nullptr when it cannot be
  // read or is too big for a bitmap.
  static std::unique_ptr<Bitmap> FromFile(const std::string& path);
  static std::unique_ptr<Bitmap> FromImage(const Image& image);  // nullptr when too big

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  PixelFormat Format() const { return m_format; }
  int Stride() const;  // bytes per row

  // Copies pixels in the bitmap's own format into the area (x, y, width, height); source rows lie
  // `stride` bytes apart. The parts of the area outside the bitmap are left out.
  void WritePixels(int x, int y, int width, int height, const void* pixels, int stride);
  // Straight ARGB colour of the pixel at (x, y); 0 outside the bitmap.
  DWORD ColorAt(int x, int y) const;

  // For the renderer.
  cairo_surface_t* Surface() const { return m_surface; }

 private:
  int m_width;
  int m_height;
  PixelFormat m_format;
  cairo_surface_t* m_surface;
};

}  // namespace ui::gfx
