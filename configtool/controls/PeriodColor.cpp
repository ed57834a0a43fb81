#include "configtool/controls/PeriodColor.h"

#include <cstdio>

DWORD PeriodColor::Argb(std::uint8_t withAlpha) const {
  return (DWORD{withAlpha} << 24) | (DWORD{red} << 16) | (DWORD{green} << 8) | DWORD{blue};
}

std::string PeriodColor::Text() const {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", alpha, red, green, blue);
  return text;
}
