#pragma once
// GBK (code page 936) inside, UTF-8 and UTF-16 at the edges. Bytes that do not convert are
// replaced ('?' in GBK, U+FFFD in Unicode) rather than dropped.

#include <cstddef>
#include <string>
#include <string_view>

namespace os {

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);

// The longest prefix of `gbk` of at most `maxBytes` bytes that does not split a double-byte character.
std::size_t GbkPrefixLength(std::string_view gbk, std::size_t maxBytes);
// True for a byte that starts a double-byte character (0x81..0xFE).
bool IsGbkLeadByte(unsigned char byte);
// True for a byte that can end a double-byte character (0x40..0xFE but 0x7F).
bool IsGbkTrailByte(unsigned char byte);

}  // namespace os
