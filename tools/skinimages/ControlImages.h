#pragma once

#include <string>

namespace skinimages {

// The main window's control images: buttons ("btn_*.png", "btn_primary_*.png"), edit frames
// ("edit_*.png"), combo boxes ("combo_*.png"), radio options ("radio_*.png"), the slider's track
// and thumb ("slider_*.png"), panels ("panel*.png") and the caption's logo ("logo.png").
bool WriteControlImages(const std::string& folder);

}  // namespace skinimages
