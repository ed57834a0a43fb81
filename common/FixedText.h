#pragma once
// Texts in the fixed char fields of the camera records.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/os/Charset.h"

// The field's text up to its first NUL; a full field has none.
template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Clears the field and copies the text in, cut to the field's size without splitting a
// double-byte character. A text of the field's size fills it without a NUL.
template <std::size_t N>
void CopyToField(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), os::GbkPrefixLength(text, N));
}

// Clears the field and copies the text in, cut to one byte less than the field without splitting
// a double-byte character, so that the field stays terminated.
template <std::size_t N>
void CopyTerminatedToField(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), os::GbkPrefixLength(text, N - 1));
}
