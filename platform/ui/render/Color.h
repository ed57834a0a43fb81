#pragma once
// Colours are 32-bit ARGB values (0xAARRGGBB) throughout the framework, as layouts write them.

#include <optional>
#include <string_view>

#include "platform/os/WinTypes.h"

namespace ui {

// Parses "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" and "0xRRGGBB" (opaque); hex digits in
// either case. Anything else, style names included, is nullopt: the style manager resolves names.
std::optional<DWORD> ParseColor(std::string_view text);

constexpr BYTE ColorAlpha(DWORD argb) { return static_cast<BYTE>(argb >> 24); }
constexpr BYTE ColorRed(DWORD argb) { return static_cast<BYTE>(argb >> 16); }
constexpr BYTE ColorGreen(DWORD argb) { return static_cast<BYTE>(argb >> 8); }
constexpr BYTE ColorBlue(DWORD argb) { return static_cast<BYTE>(argb); }
constexpr DWORD MakeColor(BYTE alpha, BYTE red, BYTE green, BYTE blue) {
  return (DWORD{alpha} << 24) | (DWORD{red} << 16) | (DWORD{green} << 8) | DWORD{blue};
}

}  // namespace ui
