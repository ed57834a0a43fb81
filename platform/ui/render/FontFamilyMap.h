#pragma once
// Maps a family name of the original platform (GBK) to the installed families that stand in for it,
// as a comma-separated Pango family list in UTF-8 ending with a CJK fallback.

#include <string>
#include <string_view>

namespace ui {

// The CJK serif and sans families that stand in for the original platform's Chinese fonts.
extern const char* const kCjkSerifFamily;
extern const char* const kCjkSansFamily;

std::string MapFontFamily(std::string_view gbkFamily);

}  // namespace ui
