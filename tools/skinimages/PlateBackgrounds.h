#pragma once

#include <string>

namespace skinimages {

// The plate backgrounds, 440 x 140 like the plate viewer's design space: "plate_bk_blue.png",
// "plate_bk_yellow.png", "plate_bk_white.png", "plate_bk_black.png", "plate_bk_aviation.png"
// and "plate_bk_energy.png".
bool WritePlateBackgrounds(const std::string& folder);

}  // namespace skinimages
