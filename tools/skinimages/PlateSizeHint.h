#pragma once

#include <string>

namespace skinimages {

// "blue_plate.png": the rule editor's plate-size reference, a blue plate of 120 x 38 pixels as
// it appears in a picture of the camera's width. It lies beside the program, not in the skin.
bool WritePlateSizeHint(const std::string& folder);

}  // namespace skinimages
