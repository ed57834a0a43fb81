#include "batch/AesCtr.h"

#include <algorithm>

void IncrementCounterBlock(AesBlock& counter) {
  for (int i = 15; i >= 0; --i) {
    if (++counter[i] != 0) return;
  }
}

void AesCtrTransform(const AesRoundKeys& roundKeys, AesBlock counter, std::uint8_t* data, std::size_t size) {
  AesBlock keyStream;
  for (std::size_t offset = 0; offset < size; offset += 16) {
    AesEncryptBlock(counter, keyStream, roundKeys);
    const std::size_t count = std::min<std::size_t>(16, size - offset);
    for (std::size_t i = 0; i < count; ++i) data[offset + i] ^= keyStream[i];
    IncrementCounterBlock(counter);
  }
}
