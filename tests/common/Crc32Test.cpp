#include "common/Crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/Crc32Paths.h"

namespace {

// The definition, one bit at a time.
std::uint32_t BitwiseCrc32(const unsigned char* data, std::size_t length) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1u) != 0 ? 0xEDB88320u : 0u);
  }
  return ~crc;
}

std::vector<unsigned char> RandomBytes(std::size_t size, unsigned seed) {
  std::vector<unsigned char> bytes(size);
  std::mt19937 random(seed);
  for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random());
  return bytes;
}

TEST(ComputeCrc32, PublishedValues) {
  struct Case {
    std::string text;
    std::uint32_t crc;
  };
  const Case cases[] = {
      {"", 0x00000000u},
      {"a", 0xE8B7BE43u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeCrc32(c.text.data(), c.text.size()), c.crc) << '"' << c.text << '"';
}

// Every length around the eight-byte steps, from every start alignment.
TEST(ComputeCrc32, MatchesBitwiseDefinitionForEveryLengthAndAlignment) {
  const std::vector<unsigned char> bytes = RandomBytes(96, 1);
  for (std::size_t offset = 0; offset < 8; ++offset) {
    for (std::size_t length = 0; offset + length <= 80; ++length) {
      ASSERT_EQ(ComputeCrc32(bytes.data() + offset, length), BitwiseCrc32(bytes.data() + offset, length))
          << "offset " << offset << " length " << length;
    }
  }
}

TEST(ComputeCrc32, MatchesZlibOnLargeBuffers) {
  for (std::size_t size : {1023u, 1024u, 65537u, 1u << 20}) {
    const std::vector<unsigned char> bytes = RandomBytes(size, static_cast<unsigned>(size));
    EXPECT_EQ(ComputeCrc32(bytes.data(), bytes.size()), crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())))
        << "size " << size;
  }
}

TEST(ComputeCrc32, AllZeroAndAllOneBytes) {
  for (unsigned char fill : {0x00, 0xFF}) {
    const std::vector<unsigned char> bytes(4096, fill);
    EXPECT_EQ(ComputeCrc32(bytes.data(), bytes.size()), BitwiseCrc32(bytes.data(), bytes.size())) << int(fill);
  }
}

// The carry-less-multiply path folds 64 bytes at a time and hands the rest to the tables: every
// length up to a few KiB, from every start offset within 16 bytes, meets every split of the two.
TEST(Crc32CarrylessMultiply, MatchesTablesForEveryLengthAndOffset) {
  if (!crc::CarrylessMultiplyAvailable()) GTEST_SKIP() << "no carry-less multiply on this CPU";
  const std::vector<unsigned char> bytes = RandomBytes(4096 + 64, 2);
  for (std::size_t offset = 0; offset < 16; ++offset) {
    for (std::size_t length = 0; offset + length <= bytes.size(); ++length) {
      const unsigned char* data = bytes.data() + offset;
      ASSERT_EQ(crc::UpdateByCarrylessMultiply(0xFFFFFFFFu, data, length),
                crc::UpdateByTables(0xFFFFFFFFu, data, length))
          << "offset " << offset << " length " << length;
    }
  }
}

// Any starting register, as a CRC continued over several buffers would have.
TEST(Crc32CarrylessMultiply, MatchesTablesFromAnyRegister) {
  if (!crc::CarrylessMultiplyAvailable()) GTEST_SKIP() << "no carry-less multiply on this CPU";
  const std::vector<unsigned char> bytes = RandomBytes(1000, 3);
  for (std::uint32_t start : {0x00000000u, 0xFFFFFFFFu, 0x12345678u, 0x80000001u}) {
    EXPECT_EQ(crc::UpdateByCarrylessMultiply(start, bytes.data(), bytes.size()),
              crc::UpdateByTables(start, bytes.data(), bytes.size()))
        << std::hex << start;
  }
}

TEST(Crc32CarrylessMultiply, MatchesTablesOnLargeBuffers) {
  if (!crc::CarrylessMultiplyAvailable()) GTEST_SKIP() << "no carry-less multiply on this CPU";
  for (std::size_t size : {65537u, (1u << 20) + 13u, 16u << 20}) {
    const std::vector<unsigned char> bytes = RandomBytes(size, static_cast<unsigned>(size));
    EXPECT_EQ(crc::UpdateByCarrylessMultiply(0xFFFFFFFFu, bytes.data(), bytes.size()),
              crc::UpdateByTables(0xFFFFFFFFu, bytes.data(), bytes.size()))
        << "size " << size;
  }
}

}  // namespace
