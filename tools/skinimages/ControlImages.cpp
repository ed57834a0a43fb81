#include "ControlImages.h"

#include <cmath>

#include "Picture.h"

namespace skinimages {
namespace {

struct FrameStyle {
  const char* file;
  Rgba top;
  Rgba bottom;
  Rgba border;
};

// A rounded frame (buttons, edits): fill, then the border inside it.
bool WriteFrame(const std::string& folder, const FrameStyle& style, int width, int height, double radius) {
  Picture picture(width, height);
  cairo_t* cr = picture.Cairo();
  FillRoundedGradient(cr, 0, 0, width, height, radius, style.top, style.bottom);
  StrokeRoundedBorder(cr, 0, 0, width, height, radius, style.border);
  return picture.Save(folder, style.file);
}

void DrawChevron(cairo_t* cr, double centreX, double centreY, const Rgba& color) {
  cairo_move_to(cr, centreX - 4, centreY - 2);
  cairo_line_to(cr, centreX, centreY + 2);
  cairo_line_to(cr, centreX + 4, centreY - 2);
  SetColor(cr, color);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

// A combo box: the edit frame with a drop-down chevron in its last 22 pixels.
bool WriteCombo(const std::string& folder, const FrameStyle& style, const Rgba& arrow) {
  constexpr int kWidth = 60;
  constexpr int kHeight = 26;
  Picture picture(kWidth, kHeight);
  cairo_t* cr = picture.Cairo();
  FillRoundedGradient(cr, 0, 0, kWidth, kHeight, 3, style.top, style.bottom);
  StrokeRoundedBorder(cr, 0, 0, kWidth, kHeight, 3, style.border);
  DrawChevron(cr, kWidth - 11, kHeight / 2.0, arrow);
  return picture.Save(folder, style.file);
}

bool WriteRadio(const std::string& folder, const char* file, const Rgba& fill, const Rgba& ring, bool dot) {
  Picture picture(16, 16);
  cairo_t* cr = picture.Cairo();
  cairo_arc(cr, 8, 8, 7, 0, 2 * M_PI);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, ring);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  if (dot) {
    cairo_arc(cr, 8, 8, 3.6, 0, 2 * M_PI);
    SetColor(cr, ring);
    cairo_fill(cr);
  }
  return picture.Save(folder, file);
}

// The track: a thin rounded line across the middle of a 36-pixel-high slider.
bool WriteSliderTrack(const std::string& folder) {
  Picture picture(40, 36);
  FillRoundedGradient(picture.Cairo(), 0, 16, 40, 4, 2, Hex(0xD5E2F1), Hex(0xD5E2F1));
  return picture.Save(folder, "slider_track.png");
}

bool WriteSliderThumb(const std::string& folder, const char* file, const Rgba& fill, const Rgba& ring) {
  Picture picture(14, 14);
  cairo_t* cr = picture.Cairo();
  cairo_arc(cr, 7, 7, 6, 0, 2 * M_PI);
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, ring);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  return picture.Save(folder, file);
}

// A white card with a soft edge; its title strip is "panel_head.png".
bool WritePanels(const std::string& folder) {
  Picture panel(24, 24);
  FillRoundedGradient(panel.Cairo(), 0, 0, 24, 24, 6, Hex(0xFFFFFF), Hex(0xFFFFFF));
  StrokeRoundedBorder(panel.Cairo(), 0, 0, 24, 24, 6, Hex(0xC7D9EE));
  constexpr int kHeadWidth = 40;
  Picture head(kHeadWidth, 32);
  cairo_t* cr = head.Cairo();
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kHeadWidth, 32);
  cairo_clip(cr);
  FillRoundedGradient(cr, 0, 0, kHeadWidth, 40, 6, Hex(0xF3F8FE), Hex(0xE1EDFA));
  StrokeRoundedBorder(cr, 0, 0, kHeadWidth, 40, 6, Hex(0xC7D9EE));
  cairo_restore(cr);
  cairo_rectangle(cr, 1, 31, kHeadWidth - 2, 1);
  SetColor(cr, Hex(0xD3E2F3));
  cairo_fill(cr);
  // The accent that marks a panel's title, inside the part that keeps its size.
  cairo_rectangle(cr, 9, 9, 3, 14);
  SetColor(cr, Hex(0x2F74C9));
  cairo_fill(cr);
  return panel.Save(folder, "panel.png") && head.Save(folder, "panel_head.png");
}

// The caption's mark: a camera lens in a rounded square.
bool WriteLogo(const std::string& folder) {
  Picture logo(24, 24);
  cairo_t* cr = logo.Cairo();
  FillRoundedGradient(cr, 0, 0, 24, 24, 6, Hex(0xFFFFFF, 0.95), Hex(0xDDEBFA, 0.95));
  cairo_arc(cr, 12, 12, 7, 0, 2 * M_PI);
  SetColor(cr, Hex(0x1F5FAE));
  cairo_fill(cr);
  cairo_arc(cr, 12, 12, 4, 0, 2 * M_PI);
  SetColor(cr, Hex(0x7FB6F0));
  cairo_fill(cr);
  cairo_arc(cr, 10.5, 10.5, 1.4, 0, 2 * M_PI);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
  return logo.Save(folder, "logo.png");
}

}  // namespace

bool WriteControlImages(const std::string& folder) {
  const FrameStyle buttons[] = {
      {"btn_normal.png", Hex(0xFFFFFF), Hex(0xEAF2FB), Hex(0x9DBCE0)},
      {"btn_hot.png", Hex(0xF4F9FF), Hex(0xDCEBFA), Hex(0x5C95D6)},
      {"btn_pushed.png", Hex(0xD0E2F6), Hex(0xC3D9F2), Hex(0x3F7BC4)},
      {"btn_disabled.png", Hex(0xF4F6F9), Hex(0xF4F6F9), Hex(0xD5DCE5)},
      {"btn_primary_normal.png", Hex(0x4D95E4), Hex(0x2F73C8), Hex(0x2966B3)},
      {"btn_primary_hot.png", Hex(0x5EA4EF), Hex(0x3B81D6), Hex(0x2F70BE)},
      {"btn_primary_pushed.png", Hex(0x2C6DBD), Hex(0x2660A9), Hex(0x22579A)},
      {"btn_primary_disabled.png", Hex(0xB3CBE7), Hex(0xA5C0E0), Hex(0x9BB6D8)},
  };
  const FrameStyle edits[] = {
      {"edit_normal.png", Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0xB5CBE4)},
      {"edit_hot.png", Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0x7FA9DB)},
      {"edit_focus.png", Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0x2F74C9)},
      {"edit_disabled.png", Hex(0xF2F4F7), Hex(0xF2F4F7), Hex(0xD5DCE5)},
  };
  struct ComboStyle {
    FrameStyle frame;
    Rgba arrow;
  };
  const ComboStyle combos[] = {
      {{"combo_normal.png", Hex(0xFFFFFF), Hex(0xF5F9FE), Hex(0xB5CBE4)}, Hex(0x3F6E9F)},
      {{"combo_hot.png", Hex(0xFFFFFF), Hex(0xEEF5FD), Hex(0x7FA9DB)}, Hex(0x2F74C9)},
      {{"combo_pushed.png", Hex(0xE6F0FB), Hex(0xDCE9F8), Hex(0x2F74C9)}, Hex(0x22579A)},
      {{"combo_disabled.png", Hex(0xF2F4F7), Hex(0xF2F4F7), Hex(0xD5DCE5)}, Hex(0xA8B3C0)},
  };
  bool written = true;
  for (const FrameStyle& style : buttons) written = WriteFrame(folder, style, 64, 28, 4) && written;
  for (const FrameStyle& style : edits) written = WriteFrame(folder, style, 40, 26, 3) && written;
  for (const ComboStyle& style : combos) written = WriteCombo(folder, style.frame, style.arrow) && written;
  written = WriteRadio(folder, "radio_off.png", Hex(0xFFFFFF), Hex(0x8FB1DA), false) && written;
  written = WriteRadio(folder, "radio_hot.png", Hex(0xF2F8FF), Hex(0x2F74C9), false) && written;
  written = WriteRadio(folder, "radio_on.png", Hex(0xFFFFFF), Hex(0x2F74C9), true) && written;
  written = WriteRadio(folder, "radio_disabled.png", Hex(0xF2F4F7), Hex(0xC5CED9), false) && written;
  written = WriteRadio(folder, "radio_on_disabled.png", Hex(0xF2F4F7), Hex(0xB3BECB), true) && written;
  written = WriteSliderTrack(folder) && written;
  written = WriteSliderThumb(folder, "slider_thumb.png", Hex(0xFFFFFF), Hex(0x2F74C9)) && written;
  written = WriteSliderThumb(folder, "slider_thumb_hot.png", Hex(0xEAF3FD), Hex(0x2F74C9)) && written;
  written = WriteSliderThumb(folder, "slider_thumb_pushed.png", Hex(0xC9DDF5), Hex(0x22579A)) && written;
  written = WritePanels(folder) && written;
  written = WriteLogo(folder) && written;
  return written;
}

}  // namespace skinimages
