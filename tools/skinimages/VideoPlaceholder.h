#pragma once

#include <string>

namespace skinimages {

// "video_idle.png": what the video surface shows while no camera plays into it, 640 x 360.
bool WriteVideoPlaceholder(const std::string& folder);

}  // namespace skinimages
