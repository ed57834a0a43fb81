#pragma once

#include <cstddef>
#include <string>

// Base64 text (RFC 4648 standard alphabet, "=" fill, no line breaks) of `length` bytes.
std::string Base64Encode(const unsigned char* bytes, std::size_t length);
