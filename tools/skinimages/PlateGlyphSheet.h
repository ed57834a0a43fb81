#pragma once

#include <string>

namespace skinimages {

// "plate_glyphs.png": the 84 plate characters in white on transparent, 28 x 50 cells, 8 to a row
// (224 x 550), in the cell order the plate viewer cuts them.
bool WritePlateGlyphSheet(const std::string& folder);

}  // namespace skinimages
