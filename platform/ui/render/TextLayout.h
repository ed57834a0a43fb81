#pragma once
// A Pango layout of one text in one font, laid out the way DrawText's flags ask (internal to the
// renderer). Every layout comes from one Pango context per thread with fixed font options, so that
// measuring and drawing agree to the pixel.

#include <pango/pangocairo.h>

#include <string>
#include <string_view>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Font.h"

namespace ui {

class TextLayout {
 public:
  // `utf8` is the text to lay out. `width` > 0 wraps (wordBreak) or ellipsizes at that width;
  // `height` > 0 limits wrapped text to the lines that fit when ellipsizing.
  TextLayout(const Font& font, const std::string& utf8, bool singleLine, bool wordBreak, bool ellipsis, int width,
             int height);
  ~TextLayout();
  TextLayout(const TextLayout&) = delete;
  TextLayout& operator=(const TextLayout&) = delete;

  PangoLayout* Get() const { return m_layout; }
  // Size of the laid-out text in pixels (logical extents).
  SIZE Size() const;
  // Whether Pango places lines inside the given width itself (then alignment is Pango's).
  bool HasWidth() const { return m_hasWidth; }

 private:
  PangoLayout* m_layout;
  bool m_hasWidth = false;
};

// The thread's Pango context (created on first use, freed when the thread ends). The first thread
// to make one takes over the fonts warmed up at start-up (FontWarmUp.h), if any.
PangoContext* ThreadPangoContext();
// Gives a context the font options every layout is made with.
void SetTextFontOptions(PangoContext* context);

// Line breaks shown as spaces, for single-line text.
std::string FlattenLineBreaks(std::string utf8);

}  // namespace ui
