#include "configtool/features/rules/PixelConversion.h"

#include <array>
#include <cstddef>
#include <cstring>

#if !defined(__SSE2__)
#error "the colour conversion is written for x86-64 (SSE2, and AVX2 where the processor has it)"
#endif
#include <immintrin.h>

namespace {

constexpr int kGroup = 8;

// The fixed-point factors: luma 1.164 and the chroma terms, each the high half of a signed
// 16 x 16 product with the sample scaled by 8.
constexpr short kLumaScale = 9576;
constexpr short kRedFromV = 13123;
constexpr short kGreenFromU = -3218;
constexpr short kGreenFromV = -6686;
constexpr short kBlueFromU = 16591;

// Eight pixels as 16-bit lanes, each colour clamped to 0..255.
struct RgbLanes {
  __m128i r;
  __m128i g;
  __m128i b;
};

__m128i ChromaLanes(const std::uint8_t* samples) {
  std::int32_t four = 0;
  std::memcpy(&four, samples, sizeof(four));
  __m128i doubled = _mm_cvtsi32_si128(four);
  doubled = _mm_unpacklo_epi8(doubled, doubled);
  const __m128i words = _mm_unpacklo_epi8(doubled, _mm_setzero_si128());
  return _mm_slli_epi16(_mm_sub_epi16(words, _mm_set1_epi16(128)), 3);
}

__m128i ClampByte(__m128i lanes) {
  return _mm_min_epi16(_mm_max_epi16(lanes, _mm_setzero_si128()), _mm_set1_epi16(255));
}

RgbLanes ConvertGroup(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v) {
  __m128i luma = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(y));
  luma = _mm_unpacklo_epi8(_mm_subs_epu8(luma, _mm_set1_epi8(16)), _mm_setzero_si128());
  const __m128i yc = _mm_mulhi_epi16(_mm_slli_epi16(luma, 3), _mm_set1_epi16(kLumaScale));
  const __m128i cu = ChromaLanes(u);
  const __m128i cv = ChromaLanes(v);
  const __m128i red = _mm_adds_epi16(yc, _mm_mulhi_epi16(cv, _mm_set1_epi16(kRedFromV)));
  const __m128i green = _mm_adds_epi16(yc, _mm_adds_epi16(_mm_mulhi_epi16(cu, _mm_set1_epi16(kGreenFromU)),
                                                          _mm_mulhi_epi16(cv, _mm_set1_epi16(kGreenFromV))));
  const __m128i blue = _mm_adds_epi16(yc, _mm_mulhi_epi16(cu, _mm_set1_epi16(kBlueFromU)));
  return RgbLanes{ClampByte(red), ClampByte(green), ClampByte(blue)};
}

__m128i PackRgb565(const RgbLanes& lanes) {
  const __m128i red = _mm_slli_epi16(_mm_srli_epi16(lanes.r, 3), 11);
  const __m128i green = _mm_slli_epi16(_mm_srli_epi16(lanes.g, 2), 5);
  const __m128i blue = _mm_srli_epi16(lanes.b, 3);
  return _mm_or_si128(_mm_or_si128(red, green), blue);
}

// Sixteen pixels at once, the same lanes as two groups of eight. The two rows that share a chroma
// row share its terms too.
struct ChromaTerms16 {
  __m256i red;
  __m256i green;
  __m256i blue;
};

// Inlined: a call would pass the lanes through memory.
__attribute__((always_inline, target("avx2"))) inline __m256i ChromaLanes16(const std::uint8_t* samples) {
  const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples));
  const __m256i words = _mm256_cvtepu8_epi16(_mm_unpacklo_epi8(eight, eight));
  return _mm256_slli_epi16(_mm256_sub_epi16(words, _mm256_set1_epi16(128)), 3);
}

__attribute__((always_inline, target("avx2"))) inline ChromaTerms16 ChromaTermsAvx2(const std::uint8_t* u,
                                                                                    const std::uint8_t* v) {
  const __m256i cu = ChromaLanes16(u);
  const __m256i cv = ChromaLanes16(v);
  return ChromaTerms16{_mm256_mulhi_epi16(cv, _mm256_set1_epi16(kRedFromV)),
                       _mm256_adds_epi16(_mm256_mulhi_epi16(cu, _mm256_set1_epi16(kGreenFromU)),
                                         _mm256_mulhi_epi16(cv, _mm256_set1_epi16(kGreenFromV))),
                       _mm256_mulhi_epi16(cu, _mm256_set1_epi16(kBlueFromU))};
}

__attribute__((always_inline, target("avx2"))) inline __m256i ClampByte16(__m256i lanes) {
  return _mm256_min_epi16(_mm256_max_epi16(lanes, _mm256_setzero_si256()), _mm256_set1_epi16(255));
}

__attribute__((always_inline, target("avx2"))) inline void StoreRgb565Avx2(const std::uint8_t* y,
                                                                           const ChromaTerms16& chroma,
                                                                           std::uint8_t* out) {
  __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
  sixteen = _mm_subs_epu8(sixteen, _mm_set1_epi8(16));
  const __m256i yc =
      _mm256_mulhi_epi16(_mm256_slli_epi16(_mm256_cvtepu8_epi16(sixteen), 3), _mm256_set1_epi16(kLumaScale));
  const __m256i red = ClampByte16(_mm256_adds_epi16(yc, chroma.red));
  const __m256i green = ClampByte16(_mm256_adds_epi16(yc, chroma.green));
  const __m256i blue = ClampByte16(_mm256_adds_epi16(yc, chroma.blue));
  const __m256i words = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(_mm256_srli_epi16(red, 3), 11),
                                                        _mm256_slli_epi16(_mm256_srli_epi16(green, 2), 5)),
                                        _mm256_srli_epi16(blue, 3));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), words);
}

// Converts one row, or two rows over the same chroma row (`y2`, `out2` not null); returns the
// groups done.
__attribute__((target("avx2"))) int ConvertRowsRgb565Avx2(const std::uint8_t* y, const std::uint8_t* y2,
                                                          const std::uint8_t* u, const std::uint8_t* v,
                                                          std::uint8_t* out, std::uint8_t* out2, int groups) {
  int group = 0;
  for (; group + 2 <= groups; group += 2) {
    const int x = group * kGroup;
    const ChromaTerms16 chroma = ChromaTermsAvx2(u + x / 2, v + x / 2);
    StoreRgb565Avx2(y + x, chroma, out + x * 2);
    if (y2 != nullptr) StoreRgb565Avx2(y2 + x, chroma, out2 + x * 2);
  }
  return group;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");

void ConvertGroupsRgb565(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, std::uint8_t* out,
                         int from, int groups) {
  for (int group = from; group < groups; ++group) {
    const int x = group * kGroup;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x * 2), PackRgb565(ConvertGroup(y + x, u + x / 2, v + x / 2)));
  }
}

// One row, or two rows over the same chroma row (`y2` and `out2` not null).
void ConvertRowsRgb565(const std::uint8_t* y, const std::uint8_t* y2, const std::uint8_t* u, const std::uint8_t* v,
                       std::uint8_t* out, std::uint8_t* out2, int groups) {
  const int done = kHasAvx2 ? ConvertRowsRgb565Avx2(y, y2, u, v, out, out2, groups) : 0;
  ConvertGroupsRgb565(y, u, v, out, done, groups);
  if (y2 != nullptr) ConvertGroupsRgb565(y2, u, v, out2, done, groups);
}

void ConvertRowRgb24(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, std::uint8_t* out,
                     int groups) {
  alignas(16) std::int16_t red[kGroup];
  alignas(16) std::int16_t green[kGroup];
  alignas(16) std::int16_t blue[kGroup];
  for (int group = 0; group < groups; ++group) {
    const int x = group * kGroup;
    const RgbLanes lanes = ConvertGroup(y + x, u + x / 2, v + x / 2);
    _mm_store_si128(reinterpret_cast<__m128i*>(red), lanes.r);
    _mm_store_si128(reinterpret_cast<__m128i*>(green), lanes.g);
    _mm_store_si128(reinterpret_cast<__m128i*>(blue), lanes.b);
    std::uint8_t* pixel = out + x * 3;
    for (int i = 0; i < kGroup; ++i, pixel += 3) {
      pixel[0] = static_cast<std::uint8_t>(blue[i]);
      pixel[1] = static_cast<std::uint8_t>(green[i]);
      pixel[2] = static_cast<std::uint8_t>(red[i]);
    }
  }
}

struct Rgb565Tables {
  std::array<std::uint8_t, 256> t5{};
  std::array<std::uint8_t, 256> t6{};
};

const Rgb565Tables& BuildRgb565Tables() {
  static const Rgb565Tables tables = [] {
    Rgb565Tables built;
    for (int v = 0; v < 256; ++v) {
      built.t5[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v >> 3);
      built.t6[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(v >> 2);
    }
    return built;
  }();
  return tables;
}

}  // namespace

void ConvertYuv420ToRgb(const std::uint8_t* y, int yStride, const std::uint8_t* u, const std::uint8_t* v,
                        int chromaStride, std::uint8_t* output, int width, int height, int outputStride) {
  if (y == nullptr || u == nullptr || v == nullptr || output == nullptr || width < kGroup || height == 0) return;
  int lumaStep = yStride;
  int chromaStep = chromaStride;
  if (height < 0) {
    height = -height;
    y += static_cast<std::ptrdiff_t>(height - 1) * yStride;
    u += static_cast<std::ptrdiff_t>((height - 1) >> 1) * chromaStride;
    v += static_cast<std::ptrdiff_t>((height - 1) >> 1) * chromaStride;
    lumaStep = -yStride;
    chromaStep = -chromaStride;
  }
  for (int row = 0; row < height; ++row) {
    const std::ptrdiff_t chromaOffset = static_cast<std::ptrdiff_t>(row >> 1) * chromaStep;
    ConvertRowRgb24(y + static_cast<std::ptrdiff_t>(row) * lumaStep, u + chromaOffset, v + chromaOffset,
                    output + static_cast<std::ptrdiff_t>(row) * outputStride, width / kGroup);
  }
}

void ConvertRgb24ToRgb565(const std::uint8_t* input, std::uint8_t* output, int width, int height, int inputStride,
                          int outputStride) {
  if (input == nullptr || output == nullptr) return;
  const Rgb565Tables& tables = BuildRgb565Tables();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* pixel = input + static_cast<std::ptrdiff_t>(row) * inputStride;
    std::uint8_t* word = output + static_cast<std::ptrdiff_t>(row) * outputStride;
    for (int x = 0; x < width; ++x, pixel += 3, word += 2) {
      const unsigned value = (static_cast<unsigned>(tables.t5[pixel[2]]) << 11) |
                             (static_cast<unsigned>(tables.t6[pixel[1]]) << 5) | tables.t5[pixel[0]];
      word[0] = static_cast<std::uint8_t>(value & 0xFF);
      word[1] = static_cast<std::uint8_t>(value >> 8);
    }
  }
}

void ConvertYuv420ToRgb565(const std::uint8_t* y, int yStride, const std::uint8_t* u, const std::uint8_t* v,
                           int chromaStride, std::uint8_t* output, int width, int height, int outputStride) {
  if (y == nullptr || u == nullptr || v == nullptr || output == nullptr || width < kGroup) return;
  for (int row = 0; row < height; row += 2) {
    const std::ptrdiff_t chromaOffset = static_cast<std::ptrdiff_t>(row >> 1) * chromaStride;
    const bool pair = row + 1 < height;
    const std::uint8_t* luma = y + static_cast<std::ptrdiff_t>(row) * yStride;
    std::uint8_t* out = output + static_cast<std::ptrdiff_t>(row) * outputStride;
    ConvertRowsRgb565(luma, pair ? luma + yStride : nullptr, u + chromaOffset, v + chromaOffset, out,
                      pair ? out + outputStride : nullptr, width / kGroup);
  }
}
