#pragma once
// The colour of one bar of a time-period picker: its slot in the shared colour pool (-1 while it
// has none) and its bytes.

#include <cstdint>
#include <string>

#include "platform/os/WinTypes.h"

struct PeriodColor {
  std::int32_t slot = -1;
  std::uint8_t alpha = 255;
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;

  bool HasColor() const { return slot >= 0; }
  DWORD Argb(std::uint8_t withAlpha) const;
  DWORD Argb() const { return Argb(alpha); }
  // "#%02x%02x%02x%02x" of alpha, red, green and blue, for example #fff9680a.
  std::string Text() const;
};
