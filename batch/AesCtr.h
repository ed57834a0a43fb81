#pragma once
// AES-128 in counter mode. The counter block is a 128-bit big-endian number: byte 15 counts
// first and carries toward byte 0.

#include <cstddef>
#include <cstdint>

#include "batch/Aes128.h"

// XORs `size` bytes of `data` in place with the key stream that starts at `counter`. Whole
// blocks first, then a last partial block of 1 to 15 bytes. The same call enciphers and deciphers.
void AesCtrTransform(const AesRoundKeys& roundKeys, AesBlock counter, std::uint8_t* data, std::size_t size);

// Adds 1 to the counter block.
void IncrementCounterBlock(AesBlock& counter);
