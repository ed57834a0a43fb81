#pragma once
// Small helpers for the GBK texts in camera records.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace camsim {

// The text of a char field: up to its first NUL, or the whole field when it has none.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  const void* end = std::memchr(field, 0, N);
  return std::string_view(field, end != nullptr ? static_cast<const char*>(end) - field : N);
}

// Copies `text` into a char field, cut so that a terminator fits and no double-byte character is split.
template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text);

// True when `needle` occurs in `haystack` starting at a character boundary (an empty needle always).
bool GbkContains(std::string_view haystack, std::string_view needle);

// The length of the longest prefix of `text` within `maxBytes` that ends on a character boundary.
std::size_t GbkCut(std::string_view text, std::size_t maxBytes);

template <std::size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  const std::size_t length = GbkCut(text, N - 1);
  std::memcpy(field, text.data(), length);
}

}  // namespace camsim
