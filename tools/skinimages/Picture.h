#pragma once
// A picture being drawn with Cairo, saved as PNG, and the few drawing helpers the skin images share.

#include <cairo.h>

#include <cstdint>
#include <string>

namespace skinimages {

struct Rgba {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;
};

// From 0xRRGGBB and an opacity.
Rgba Hex(std::uint32_t rgb, double alpha = 1.0);

class Picture {
 public:
  Picture(int width, int height);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  cairo_t* Cairo() const { return m_cr; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Writes "<folder>/<name>"; false (with a line on stderr) when it could not be written.
  bool Save(const std::string& folder, const std::string& name);

 private:
  int m_width;
  int m_height;
  cairo_surface_t* m_surface;
  cairo_t* m_cr;
};

void SetColor(cairo_t* cr, const Rgba& color);
// A rectangle with rounded corners as the current path.
void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius);
// Fills the rounded rectangle with a vertical gradient from `top` to `bottom`.
void FillRoundedGradient(cairo_t* cr, double x, double y, double width, double height, double radius, const Rgba& top,
                         const Rgba& bottom);
// A one-pixel border along the inside of the rounded rectangle.
void StrokeRoundedBorder(cairo_t* cr, double x, double y, double width, double height, double radius,
                         const Rgba& color, double lineWidth = 1.0);

}  // namespace skinimages
