#include "configtool/controls/ScaleImageBilinear.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#if !defined(__SSE2__)
#error "the scaler's fast rows are written for x86-64 (SSE2, and AVX2 where the processor has it)"
#endif
#include <immintrin.h>

namespace {

constexpr int kFractionBits = 12;
constexpr std::int32_t kOne = 1 << kFractionBits;
constexpr std::int32_t kHalf = kOne / 2;
// Rounding of the vertical blend, whose result carries 24 fraction bits.
constexpr std::uint32_t kBlendHalf = 1u << 23;
constexpr int kBlendShift = 2 * kFractionBits;

const bool kHasAvx2 = __builtin_cpu_supports("avx2");

// Where each destination column takes its samples: the first and the second source index (the
// same one when there is nothing to blend) and the second's weight, 0..4095.
struct ColumnMap {
  std::int32_t* first;
  std::int32_t* second;
  std::int32_t* fraction;
};

// The same for the destination rows: the first source row and the weight of the one below it.
struct RowMap {
  std::int32_t* index;
  std::int32_t* fraction;
};

// The source position of destination sample i is (step / 2 - 0.5) + i * step, in 12-bit fixed point.
struct Walk {
  std::int64_t position;
  std::int64_t step;
};

Walk StartWalk(int sourceSize, int size) {
  const std::int64_t step = static_cast<std::int64_t>(sourceSize) * kOne / size;
  return Walk{(step >> 1) - kHalf, step};
}

// Columns past the source's last sample take that sample whole; the last destination column
// repeats the mapping of the one before it.
void MapColumns(int sourceWidth, int width, const ColumnMap& map) {
  Walk walk = StartWalk(sourceWidth, width);
  for (int x = 0; x < width; ++x, walk.position += walk.step) {
    std::int64_t index = walk.position >> kFractionBits;
    std::int64_t fraction = walk.position - index * kOne;
    if (index < 0) {
      index = 0;
      fraction = 0;
    }
    if (index >= sourceWidth - 1) {
      index = sourceWidth - 1;
      fraction = 0;
    }
    map.first[x] = static_cast<std::int32_t>(index);
    map.second[x] = static_cast<std::int32_t>(index + 1 < sourceWidth ? index + 1 : index);
    map.fraction[x] = static_cast<std::int32_t>(fraction);
  }
  if (width >= 2) {
    map.first[width - 1] = map.first[width - 2];
    map.second[width - 1] = map.second[width - 2];
    map.fraction[width - 1] = map.fraction[width - 2];
  }
}

// Rows never map past the source's last row; a row there, or with no fraction, is not blended.
void MapRows(int sourceHeight, int height, const RowMap& map) {
  Walk walk = StartWalk(sourceHeight, height);
  for (int y = 0; y < height; ++y, walk.position += walk.step) {
    std::int64_t index = walk.position >> kFractionBits;
    std::int64_t fraction = walk.position - index * kOne;
    if (index < 0 || index >= sourceHeight - 1) fraction = 0;
    map.index[y] = static_cast<std::int32_t>(index < 0 ? 0 : index);
    map.fraction[y] = static_cast<std::int32_t>(fraction);
  }
}

// How the columns read a row: blended, picked one sample each, or picked as they lie (but the last).
enum class ColumnKind { Blended, Picked, Identity };

ColumnKind KindOf(const ColumnMap& map, int width) {
  bool identity = true;
  for (int x = 0; x < width; ++x) {
    if (map.fraction[x] != 0) return ColumnKind::Blended;
    if (x + 1 < width && map.first[x] != x) identity = false;
  }
  return identity ? ColumnKind::Identity : ColumnKind::Picked;
}

void PickRow(const std::uint8_t* row, const ColumnMap& map, ColumnKind kind, std::uint8_t* out, int width) {
  if (kind == ColumnKind::Identity) {
    std::memcpy(out, row, static_cast<std::size_t>(width - 1));
    out[width - 1] = row[map.first[width - 1]];
    return;
  }
  for (int x = 0; x < width; ++x) out[x] = row[map.first[x]];
}

// --- Horizontal pass first, for pictures that grow in height ---

// Eight columns at a time: each reads four bytes from its first sample on (the second sample is
// the next byte), so only columns whose four bytes lie inside the row, `safeWidth` of them.
__attribute__((target("avx2"))) int FilterRowAvx2(const std::uint8_t* row, const ColumnMap& map, int safeWidth,
                                                  std::int32_t* out) {
  const __m256i lowByte = _mm256_set1_epi32(0xFF);
  int x = 0;
  for (; x + 8 <= safeWidth; x += 8) {
    const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(map.first + x));
    const __m256i bytes = _mm256_i32gather_epi32(reinterpret_cast<const int*>(row), first, 1);
    const __m256i s = _mm256_and_si256(bytes, lowByte);
    const __m256i t = _mm256_and_si256(_mm256_srli_epi32(bytes, 8), lowByte);
    const __m256i fraction = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(map.fraction + x));
    const __m256i value =
        _mm256_add_epi32(_mm256_slli_epi32(s, kFractionBits), _mm256_mullo_epi32(_mm256_sub_epi32(t, s), fraction));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), value);
  }
  return x;
}

// Each value is a sample scaled by 4096.
void FilterRow(const std::uint8_t* row, const ColumnMap& map, int width, int safeWidth, std::int32_t* out) {
  int x = kHasAvx2 ? FilterRowAvx2(row, map, safeWidth, out) : 0;
  for (; x < width; ++x) {
    const std::int32_t s = row[map.first[x]];
    const std::int32_t t = row[map.second[x]];
    out[x] = s * kOne + (t - s) * map.fraction[x];
  }
}

void RoundRow(const std::int32_t* a, std::uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) out[x] = static_cast<std::uint8_t>((a[x] + kHalf) >> kFractionBits);
}

// The vertical pass. Unsigned arithmetic: the terms pass 2^31 for samples of 128 and above, while
// the sum stays below 2^32, so the wrapped terms add up to the exact result.
std::uint8_t BlendSample(std::int32_t a, std::int32_t b, std::uint32_t fy) {
  const std::uint32_t sum = static_cast<std::uint32_t>(b - a) * fy + static_cast<std::uint32_t>(a) * kOne + kBlendHalf;
  return static_cast<std::uint8_t>(sum >> kBlendShift);
}

__attribute__((always_inline, target("avx2"))) inline __m128i PackEightBytes(__m256i lanes) {
  const __m128i words = _mm_packs_epi32(_mm256_castsi256_si128(lanes), _mm256_extracti128_si256(lanes, 1));
  return _mm_packus_epi16(words, words);
}

__attribute__((target("avx2"))) int BlendRowsAvx2(const std::int32_t* a, const std::int32_t* b, std::uint32_t fy,
                                                  std::uint8_t* out, int width) {
  const __m256i weight = _mm256_set1_epi32(static_cast<int>(fy));
  const __m256i half = _mm256_set1_epi32(static_cast<int>(kBlendHalf));
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + x));
    const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + x));
    __m256i sum = _mm256_mullo_epi32(_mm256_sub_epi32(vb, va), weight);
    sum = _mm256_add_epi32(sum, _mm256_slli_epi32(va, kFractionBits));
    sum = _mm256_srli_epi32(_mm256_add_epi32(sum, half), kBlendShift);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), PackEightBytes(sum));
  }
  return x;
}

void BlendRows(const std::int32_t* a, const std::int32_t* b, std::uint32_t fy, std::uint8_t* out, int width) {
  int x = kHasAvx2 ? BlendRowsAvx2(a, b, fy, out, width) : 0;
  for (; x < width; ++x) out[x] = BlendSample(a[x], b[x], fy);
}

// The horizontal passes of the two source rows the current destination row reads.
class RowPair {
 public:
  RowPair(std::int32_t* first, std::int32_t* second) : m_values{first, second} {}

  // The filtered source row `row`, computed unless one of the two buffers holds it already.
  const std::int32_t* Row(int slot, int row, const std::uint8_t* source, int stride, const ColumnMap& map, int width,
                          int safeWidth) {
    if (m_rows[slot] == row) return m_values[slot];
    const int other = 1 - slot;
    if (m_rows[other] == row) {
      std::swap(m_values[slot], m_values[other]);
      std::swap(m_rows[slot], m_rows[other]);
      return m_values[slot];
    }
    FilterRow(source + static_cast<std::ptrdiff_t>(row) * stride, map, width, safeWidth, m_values[slot]);
    m_rows[slot] = row;
    return m_values[slot];
  }

 private:
  std::int32_t* m_values[2];
  int m_rows[2] = {-1, -1};
};

// --- Vertical pass first, for pictures that shrink in height: fewer steps, the same bytes ---

// Each value is the two rows' samples weighted (4096 - fy) and fy.
__attribute__((target("avx2"))) int BlendSourceRowsAvx2(const std::uint8_t* first, const std::uint8_t* second,
                                                        std::int32_t fy, int width, std::int32_t* out) {
  const __m256i weights = _mm256_set1_epi32(
      static_cast<int>((static_cast<std::uint32_t>(fy) << 16) | static_cast<std::uint32_t>(kOne - fy)));
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(first + x)));
    const __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(second + x)));
    // Pairs (a, b) of columns 0-3 and 8-11, then of 4-7 and 12-15.
    const __m256i low = _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), weights);
    const __m256i high = _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), weights);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_permute2x128_si256(low, high, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x + 8), _mm256_permute2x128_si256(low, high, 0x31));
  }
  return x;
}

void BlendSourceRows(const std::uint8_t* first, const std::uint8_t* second, std::int32_t fy, int width,
                     std::int32_t* out) {
  int x = kHasAvx2 ? BlendSourceRowsAvx2(first, second, fy, width, out) : 0;
  for (; x < width; ++x) out[x] = first[x] * (kOne - fy) + second[x] * fy;
}

// The horizontal pass over the blended values V. With A and B the horizontal passes of the two
// rows, A * (4096 - fy) + B * fy = 4096 * V(i) + fx * (V(i + 1) - V(i)): the bytes of
// BlendSample, and without a second row (fy 0) those of RoundRow.
std::uint8_t FilterSample(std::int32_t a, std::int32_t b, std::int32_t fx) {
  const std::uint32_t sum = static_cast<std::uint32_t>(a) * kOne +
                            static_cast<std::uint32_t>(b - a) * static_cast<std::uint32_t>(fx) + kBlendHalf;
  return static_cast<std::uint8_t>(sum >> kBlendShift);
}

__attribute__((target("avx2"))) int FilterColumnsAvx2(const std::int32_t* blended, const ColumnMap& map, int width,
                                                      std::uint8_t* out) {
  const __m256i half = _mm256_set1_epi32(static_cast<int>(kBlendHalf));
  int x = 0;
  for (; x + 8 <= width; x += 8) {
    // Each column's two values lie side by side: one 64-bit load a column, then the firsts and
    // the seconds apart. A column without a second value reads the one after its first (the
    // padding past the row at the end), which its weight of 0 leaves out.
    const auto* pairs = reinterpret_cast<const long long*>(blended);
    const __m256i low = _mm256_shuffle_epi32(
        _mm256_i32gather_epi64(pairs, _mm_loadu_si128(reinterpret_cast<const __m128i*>(map.first + x)), 4),
        _MM_SHUFFLE(3, 1, 2, 0));
    const __m256i high = _mm256_shuffle_epi32(
        _mm256_i32gather_epi64(pairs, _mm_loadu_si128(reinterpret_cast<const __m128i*>(map.first + x + 4)), 4),
        _MM_SHUFFLE(3, 1, 2, 0));
    const __m256i a = _mm256_permute4x64_epi64(_mm256_unpacklo_epi64(low, high), _MM_SHUFFLE(3, 1, 2, 0));
    const __m256i b = _mm256_permute4x64_epi64(_mm256_unpackhi_epi64(low, high), _MM_SHUFFLE(3, 1, 2, 0));
    const __m256i fraction = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(map.fraction + x));
    __m256i sum =
        _mm256_add_epi32(_mm256_slli_epi32(a, kFractionBits), _mm256_mullo_epi32(_mm256_sub_epi32(b, a), fraction));
    sum = _mm256_srli_epi32(_mm256_add_epi32(sum, half), kBlendShift);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), PackEightBytes(sum));
  }
  return x;
}

void FilterColumns(const std::int32_t* blended, const ColumnMap& map, int width, std::uint8_t* out) {
  int x = kHasAvx2 ? FilterColumnsAvx2(blended, map, width, out) : 0;
  for (; x < width; ++x) out[x] = FilterSample(blended[map.first[x]], blended[map.second[x]], map.fraction[x]);
}

}  // namespace

void ScaleImageBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, int sourceStride,
                        std::uint8_t* destination, int destinationWidth, int destinationHeight, int destinationStride) {
  if (source == nullptr || destination == nullptr || sourceWidth <= 0 || sourceHeight <= 0 || destinationWidth <= 0 ||
      destinationHeight <= 0) {
    return;
  }
  const auto width = static_cast<std::size_t>(destinationWidth);
  const auto height = static_cast<std::size_t>(destinationHeight);
  const bool verticalFirst = destinationHeight < sourceHeight;
  // One allocation: the column map, the row taps, and the two filtered rows or the blended row.
  const std::size_t rowWords = verticalFirst ? static_cast<std::size_t>(sourceWidth) + 1 : 2 * width;
  const std::size_t words = 3 * width + 2 * height + rowWords;
  std::unique_ptr<std::int32_t[]> memory(new (std::nothrow) std::int32_t[words]);
  if (!memory) return;
  const ColumnMap columns{memory.get(), memory.get() + width, memory.get() + 2 * width};
  const RowMap rows{memory.get() + 3 * width, memory.get() + 3 * width + height};
  std::int32_t* rowValues = memory.get() + 3 * width + 2 * height;
  RowPair pair(rowValues, verticalFirst ? rowValues : rowValues + width);
  if (verticalFirst) rowValues[sourceWidth] = 0;  // the padding FilterColumnsAvx2 may read

  MapColumns(sourceWidth, destinationWidth, columns);
  MapRows(sourceHeight, destinationHeight, rows);
  const ColumnKind kind = KindOf(columns, destinationWidth);
  int safeWidth = 0;
  while (safeWidth < destinationWidth && columns.first[safeWidth] + 3 < sourceWidth) ++safeWidth;

  for (int y = 0; y < destinationHeight; ++y) {
    const int row = rows.index[y];
    const std::int32_t fy = rows.fraction[y];
    std::uint8_t* out = destination + static_cast<std::ptrdiff_t>(y) * destinationStride;
    const std::uint8_t* first = source + static_cast<std::ptrdiff_t>(row) * sourceStride;
    if (fy == 0 && kind != ColumnKind::Blended) {
      PickRow(first, columns, kind, out, destinationWidth);
    } else if (verticalFirst) {
      BlendSourceRows(first, fy != 0 ? first + sourceStride : first, fy, sourceWidth, rowValues);
      FilterColumns(rowValues, columns, destinationWidth, out);
    } else if (fy == 0) {
      RoundRow(pair.Row(0, row, source, sourceStride, columns, destinationWidth, safeWidth), out, destinationWidth);
    } else {
      const std::int32_t* a = pair.Row(0, row, source, sourceStride, columns, destinationWidth, safeWidth);
      const std::int32_t* b = pair.Row(1, row + 1, source, sourceStride, columns, destinationWidth, safeWidth);
      BlendRows(a, b, static_cast<std::uint32_t>(fy), out, destinationWidth);
    }
  }
}
