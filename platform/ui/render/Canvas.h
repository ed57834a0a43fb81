#pragma once
// An off-screen picture that a window or a test draws into (through a DrawContext) and that can be
// read back pixel by pixel or saved as PNG. Pixels are Cairo ARGB32 (premultiplied).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Image.h"

typedef struct _cairo_surface cairo_surface_t;

namespace ui {

class Canvas {
 public:
  // Sizes below 1 are taken as 1.
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Stride() const;
  const std::uint8_t* Data() const;
  // Fills every pixel with a straight ARGB colour.
  void Clear(DWORD argb);
  // Straight ARGB of the pixel at (x, y); 0 outside the canvas.
  DWORD ColorAt(int x, int y) const;

  // A copy of the picture as an image (nullptr without the memory for it).
  std::shared_ptr<Image> ToImage() const;

  // PNG bytes of the picture, or nullopt when encoding failed.
  std::optional<std::string> EncodePng() const;
  // Writes the PNG to a GBK path; false on failure.
  bool SavePng(const std::string& path) const;

  // For the renderer and the hosts.
  cairo_surface_t* Surface() const { return m_surface; }

 private:
  int m_width;
  int m_height;
  cairo_surface_t* m_surface;
};

}  // namespace ui
