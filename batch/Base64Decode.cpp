#include "batch/Base64Decode.h"

namespace {

constexpr int kFill = 64;
constexpr int kInvalid = -1;

int SextetOf(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  if (c == '=') return kFill;
  return kInvalid;
}

}  // namespace

std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const int a = SextetOf(text[i]);
    const int b = SextetOf(text[i + 1]);
    const int c = SextetOf(text[i + 2]);
    const int d = SextetOf(text[i + 3]);
    if (a == kInvalid || a == kFill || b == kInvalid || b == kFill || c == kInvalid || d == kInvalid) {
      return std::nullopt;
    }
    bytes += static_cast<char>((a << 2) | (b >> 4));
    if (c == kFill) continue;
    bytes += static_cast<char>(((b & 0x0f) << 4) | (c >> 2));
    if (d == kFill) continue;
    bytes += static_cast<char>(((c & 0x03) << 6) | d);
  }
  return bytes;
}
