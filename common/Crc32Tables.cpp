#include <array>

#include "common/Crc32Paths.h"

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr std::size_t kSlices = 8;

using Crc32Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

// tables[0] is the classic byte table; tables[k][b] is the CRC of byte b followed by k zero
// bytes, so eight table look-ups advance the CRC by eight bytes at once.
constexpr Crc32Tables MakeTables() {
  Crc32Tables tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1u) != 0 ? kPolynomial : 0u);
    tables[0][byte] = crc;
  }
  for (std::size_t slice = 1; slice < kSlices; ++slice) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
      const std::uint32_t previous = tables[slice - 1][byte];
      tables[slice][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}

constexpr Crc32Tables kTables = MakeTables();

// Bytes are combined one by one, so the result does not depend on the machine's byte order
// or on the buffer's alignment.
std::uint32_t UpdateEightBytes(std::uint32_t crc, const unsigned char* p) {
  const std::uint32_t low = crc ^ (static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
  return kTables[7][low & 0xFFu] ^ kTables[6][(low >> 8) & 0xFFu] ^ kTables[5][(low >> 16) & 0xFFu] ^
         kTables[4][low >> 24] ^ kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
}

}  // namespace

namespace crc {

std::uint32_t UpdateByTables(std::uint32_t crc, const unsigned char* data, std::size_t length) {
  for (; length >= kSlices; length -= kSlices, data += kSlices) crc = UpdateEightBytes(crc, data);
  for (; length > 0; --length, ++data) crc = (crc >> 8) ^ kTables[0][(crc ^ *data) & 0xFFu];
  return crc;
}

}  // namespace crc
