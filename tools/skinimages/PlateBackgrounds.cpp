#include "PlateBackgrounds.h"

#include <cmath>

#include "Picture.h"

namespace skinimages {
namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 140;
constexpr double kRadius = 14;
constexpr double kRimInset = 7;

struct PlateStyle {
  const char* file;
  Rgba top;
  Rgba bottom;
  Rgba rim;
  // Where the dot between the province and the rest of the plate sits: between positions 1 and 2
  // of the 7-character layout, or of the 8-character one.
  double dotX;
};

void DrawPlate(cairo_t* cr, const PlateStyle& style) {
  // A thin dark edge keeps light plates apart from a white row.
  FillRoundedGradient(cr, 0, 0, kWidth, kHeight, kRadius, Hex(0x2B3A4A, 0.55), Hex(0x2B3A4A, 0.55));
  FillRoundedGradient(cr, 2, 2, kWidth - 4, kHeight - 4, kRadius - 2, style.top, style.bottom);
  StrokeRoundedBorder(cr, kRimInset, kRimInset, kWidth - 2 * kRimInset, kHeight - 2 * kRimInset, kRadius - 6,
                      style.rim, 3);
  // Two rivets, as the plates are screwed on.
  SetColor(cr, style.rim);
  for (const double x : {kWidth * 0.25, kWidth * 0.75}) {
    cairo_arc(cr, x, 16, 4, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  cairo_arc(cr, style.dotX, kHeight / 2.0, 6, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

bool WritePlateBackgrounds(const std::string& folder) {
  constexpr double kSevenDot = 134.5;
  constexpr double kEightDot = 124.5;
  const PlateStyle styles[] = {
      {"plate_bk_blue.png", Hex(0x2A63D4), Hex(0x1646A8), Hex(0xFFFFFF), kSevenDot},
      {"plate_bk_yellow.png", Hex(0xFFD52E), Hex(0xF0B800), Hex(0x111111), kSevenDot},
      {"plate_bk_white.png", Hex(0xFFFFFF), Hex(0xE8ECEF), Hex(0x111111), kSevenDot},
      {"plate_bk_black.png", Hex(0x2A2A2A), Hex(0x0B0B0B), Hex(0xFFFFFF), kSevenDot},
      {"plate_bk_aviation.png", Hex(0x23A35A), Hex(0x15793F), Hex(0xFFFFFF), kSevenDot},
      {"plate_bk_energy.png", Hex(0xF4FBF5), Hex(0x5CC46E), Hex(0x111111), kEightDot},
  };
  bool written = true;
  for (const PlateStyle& style : styles) {
    Picture plate(kWidth, kHeight);
    DrawPlate(plate.Cairo(), style);
    written = plate.Save(folder, style.file) && written;
  }
  return written;
}

}  // namespace skinimages
