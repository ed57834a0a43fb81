#pragma once
// Hex texts of byte blocks for the cipher tests.

#include <algorithm>
#include <cstdio>
#include <string>

#include "batch/Aes128.h"

inline std::string BytesFromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

inline AesBlock BlockFromHex(const std::string& hex) {
  const std::string bytes = BytesFromHex(hex);
  AesBlock block{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.size()), block.begin());
  return block;
}

template <typename Bytes>
std::string HexOf(const Bytes& bytes) {
  std::string hex;
  for (auto byte : bytes) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", static_cast<unsigned>(static_cast<unsigned char>(byte)));
    hex += text;
  }
  return hex;
}
