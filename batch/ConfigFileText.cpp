#include "batch/ConfigFileText.h"

#include <algorithm>
#include <string_view>

#include "platform/os/Charset.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The number of continuation bytes after a lead byte; -1 for a byte no character starts with.
int ContinuationCount(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int count = ContinuationCount(lead);
    // The lead byte and its continuation bytes must all be there.
    if (count < 0 || text.size() - i - 1 < static_cast<std::size_t>(count)) return false;
    for (int k = 1; k <= count; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return false;
    }
    if (count >= 2) {
      const auto second = static_cast<unsigned char>(text[i + 1]);
      if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
          (lead == 0xF4 && second > 0x8F)) {
        return false;
      }
    }
    i += static_cast<std::size_t>(count) + 1;
  }
  return true;
}

bool HasNonAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
}

}  // namespace

std::optional<std::string> ConfigTextAsGbk(const std::string& bytes) {
  std::string_view text = bytes;
  const bool marked = text.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  if (marked) text.remove_prefix(kByteOrderMark.size());
  if (!marked && !(HasNonAscii(text) && IsUtf8(text))) return bytes;
  if (!IsUtf8(text)) return std::nullopt;
  // The conversion puts '?' for what GBK lacks: only a text that converts back unchanged is whole.
  std::string gbk = os::Utf8ToGbk(text);
  if (os::GbkToUtf8(gbk) != text) return std::nullopt;
  return gbk;
}
