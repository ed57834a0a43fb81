// CRC-32 by folding: the buffer is treated as a polynomial over GF(2) and reduced 64 bytes at a
// time with carry-less multiplies by constants x^n mod P, then reduced to 32 bits by Barrett's
// method. The constants are those of the reflected polynomial 0xEDB88320, each shifted left by
// one bit to suit reflected operands.
//
// Only these functions are compiled for PCLMULQDQ and SSE4.1 (by target attribute), so the rest
// of the build needs no machine flags and runs on any x86-64; ComputeCrc32 calls them only where
// the CPU offers both.

#include "common/Crc32Paths.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#define LPR_CRC32_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

namespace {

constexpr std::size_t kBlock = 16;
constexpr std::size_t kStride = 4 * kBlock;

// x^(512+32) and x^(512-32) mod P: fold one 16-byte lane over the next 64 bytes.
constexpr long long kFoldBy4Low = 0x154442bd4;
constexpr long long kFoldBy4High = 0x1c6e41596;
// x^(128+32) and x^(128-32) mod P: fold one 16-byte lane over the next 16 bytes.
constexpr long long kFoldBy1Low = 0x1751997d0;
constexpr long long kFoldBy1High = 0x0ccaa009e;
// x^64 mod P: 96 bits down to 64.
constexpr long long kFold64 = 0x163cd6124;
// P itself and floor(x^64 / P), for the Barrett reduction to 32 bits.
constexpr long long kPolynomial = 0x1db710641;
constexpr long long kBarrettQuotient = 0x1f7011641;

LPR_CRC32_CLMUL_TARGET __m128i Load(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// lane * x^(128*k): the lane's low half times one constant, its high half times the other,
// added to the next bytes.
LPR_CRC32_CLMUL_TARGET __m128i Fold(__m128i lane, __m128i constants, __m128i next) {
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

// 128 bits of remainder down to the 32-bit CRC register.
LPR_CRC32_CLMUL_TARGET std::uint32_t Reduce(__m128i x, __m128i foldBy1) {
  const __m128i lowDwords = _mm_setr_epi32(~0, 0, ~0, 0);
  x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(x, foldBy1, 0x10));
  const __m128i fold64 = _mm_set_epi64x(0, kFold64);
  x = _mm_xor_si128(_mm_srli_si128(x, 4), _mm_clmulepi64_si128(_mm_and_si128(x, lowDwords), fold64, 0x00));
  const __m128i barrett = _mm_set_epi64x(kBarrettQuotient, kPolynomial);
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, lowDwords), barrett, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, lowDwords), barrett, 0x00);
  return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(x, t), 1));
}

// length is a multiple of 16 and at least 64.
LPR_CRC32_CLMUL_TARGET std::uint32_t FoldBlocks(std::uint32_t crc, const unsigned char* p, std::size_t length) {
  __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x1 = Load(p + kBlock);
  __m128i x2 = Load(p + 2 * kBlock);
  __m128i x3 = Load(p + 3 * kBlock);
  p += kStride;
  length -= kStride;

  // Four lanes in flight hide the multiplier's latency.
  const __m128i foldBy4 = _mm_set_epi64x(kFoldBy4High, kFoldBy4Low);
  for (; length >= kStride; length -= kStride, p += kStride) {
    x0 = Fold(x0, foldBy4, Load(p));
    x1 = Fold(x1, foldBy4, Load(p + kBlock));
    x2 = Fold(x2, foldBy4, Load(p + 2 * kBlock));
    x3 = Fold(x3, foldBy4, Load(p + 3 * kBlock));
  }

  const __m128i foldBy1 = _mm_set_epi64x(kFoldBy1High, kFoldBy1Low);
  __m128i x = Fold(Fold(Fold(x0, foldBy1, x1), foldBy1, x2), foldBy1, x3);
  for (; length >= kBlock; length -= kBlock, p += kBlock) x = Fold(x, foldBy1, Load(p));
  return Reduce(x, foldBy1);
}

}  // namespace

namespace crc {

bool CarrylessMultiplyAvailable() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

std::uint32_t UpdateByCarrylessMultiply(std::uint32_t crc, const unsigned char* data, std::size_t length) {
  if (length < kStride) return UpdateByTables(crc, data, length);
  const std::size_t folded = length & ~(kBlock - 1);
  crc = FoldBlocks(crc, data, folded);
  return UpdateByTables(crc, data + folded, length - folded);
}

}  // namespace crc

#else

namespace crc {

bool CarrylessMultiplyAvailable() { return false; }

std::uint32_t UpdateByCarrylessMultiply(std::uint32_t crc, const unsigned char* data, std::size_t length) {
  return UpdateByTables(crc, data, length);
}

}  // namespace crc

#endif
