#pragma once
// Fonts made ready while a program starts (internal to the framework). On a thread of its own,
// fontconfig reads its configuration, the font files are opened and the texts given are shaped
// and drawn once in their fonts, all in a Pango font map of that thread. The first thread that
// then lays out text takes that font map over, waiting for the warm-up to end when it has not,
// so that its first texts find their fonts, shaping tables and glyphs ready; the window thread
// meanwhile starts the host and builds the window.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/render/Font.h"

typedef struct _PangoFontMap PangoFontMap;

namespace ui {

// A text to draw once in a font (GBK).
struct FontText {
  FontSpec font;
  std::string text;
};

// Starts the warm-up, once per process (later calls do nothing). `texts` runs on the warm-up's
// thread and must not touch windows.
void StartFontWarmUp(std::function<std::vector<FontText>()> texts);

// The warmed-up font map, for the calling thread to keep (the caller owns the reference); nullptr
// when no warm-up was started or another thread took it.
PangoFontMap* TakeWarmFontMap();

}  // namespace ui
