#pragma once

#include <optional>
#include <string>
#include <string_view>

// Decodes Base64 of the standard alphabet with "=" fill, group by group of four characters: the
// first two must be of the alphabet, the last two of the alphabet or "=". A group with "=" does
// not end the text; a following group is read too. Any other character, or a text that ends
// inside a group, fails the whole decoding. An empty text gives empty bytes.
std::optional<std::string> Base64Decode(std::string_view text);
