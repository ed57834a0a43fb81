#pragma once
// AES-128 block encryption as FIPS-197 defines it: 10 rounds, the standard S-box and round
// constants. Only the forward direction: counter mode needs nothing else.

#include <array>
#include <cstdint>

using AesBlock = std::array<std::uint8_t, 16>;
// The 44 words of the expanded key; word i holds key bytes 4i..4i+3, the first the most significant.
using AesRoundKeys = std::array<std::uint32_t, 44>;

void AesKeyExpansion(AesRoundKeys& roundKeys, const AesBlock& key);
void AesEncryptBlock(const AesBlock& in, AesBlock& out, const AesRoundKeys& roundKeys);
