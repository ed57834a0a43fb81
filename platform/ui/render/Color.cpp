#include "platform/ui/render/Color.h"

namespace ui {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<DWORD> ParseColor(std::string_view text) {
  if (text.starts_with('#')) {
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
  } else {
    return std::nullopt;
  }
  if (text.size() != 6 && text.size() != 8) return std::nullopt;
  DWORD value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<DWORD>(digit);
  }
  // Six digits name a colour without alpha: opaque.
  if (text.size() == 6) value |= 0xFF000000u;
  return value;
}

}  // namespace ui
