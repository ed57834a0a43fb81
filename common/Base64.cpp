#include "common/Base64.h"

#include <cstdint>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char Digit(std::uint32_t group, int shift) { return kAlphabet[(group >> shift) & 0x3Fu]; }

}  // namespace

std::string Base64Encode(const unsigned char* bytes, std::size_t length) {
  std::string text;
  text.reserve((length + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= length; i += 3) {
    const std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                static_cast<std::uint32_t>(bytes[i + 1]) << 8 | bytes[i + 2];
    text += {Digit(group, 18), Digit(group, 12), Digit(group, 6), Digit(group, 0)};
  }
  const std::size_t rest = length - i;
  if (rest == 1) {
    const std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
    text += {Digit(group, 18), Digit(group, 12), '=', '='};
  } else if (rest == 2) {
    const std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16 | static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    text += {Digit(group, 18), Digit(group, 12), Digit(group, 6), '='};
  }
  return text;
}
