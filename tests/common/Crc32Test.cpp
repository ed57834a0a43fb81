#include "common/Crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

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

}  // namespace
