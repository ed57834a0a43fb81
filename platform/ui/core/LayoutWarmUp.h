#pragma once
// Internal: the first window's layout prepared while its window starts. The texts of the layout
// are drawn once in the fonts that will show them (FontWarmUp.h), and the pictures it names are
// decoded (ImageWarmUp.h), each on a thread of its own while the window thread starts the host and
// builds the window.

#include <string>
#include <vector>

#include "platform/ui/render/FontWarmUp.h"

namespace ui {

// The texts of a layout (its bytes, UTF-8 XML) by the font that shows them: an element's "font"
// among the layout's <Font> elements, else the layout's default font; each character once.
std::vector<FontText> LayoutTexts(const std::string& xml);

// The picture resources a layout names (GBK), each once in the order they first appear; absolute
// paths are left out.
std::vector<std::string> LayoutPictureNames(const std::string& xml);

// Starts the warm-ups with the texts and pictures of the resource `layout` (once per process).
void WarmUpFirstLayout(const std::string& layout);

}  // namespace ui
