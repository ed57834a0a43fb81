// The plane scaler against a plain transcription of its two-pass arithmetic: golden values,
// odd and large sizes, random planes, and the edges of the planes.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "configtool/controls/ScaleImageBilinear.h"
#include "tests/configtool/rules/ReferenceArithmetic.h"

namespace {

using rules::test::ReferencePixel;
using rules::test::ReferenceScale;

constexpr std::uint8_t kGuard = 0xA5;

// A plane whose buffer ends right after its last sample, so that a read or write past it is
// caught by the address sanitizer, with guard bytes between the rows.
struct Plane {
  Plane(int w, int h, int stride) : width(w), height(h), stride(stride) {
    const std::size_t size = h > 0 ? static_cast<std::size_t>(stride) * (h - 1) + static_cast<std::size_t>(w) : 0;
    bytes.assign(size, kGuard);
  }
  std::uint8_t* Row(int y) { return bytes.data() + static_cast<std::ptrdiff_t>(y) * stride; }
  int width;
  int height;
  int stride;
  std::vector<std::uint8_t> bytes;
};

Plane RandomPlane(int w, int h, int stride, std::mt19937& random) {
  Plane plane(w, h, stride);
  std::uniform_int_distribution<int> sample(0, 255);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) plane.Row(y)[x] = static_cast<std::uint8_t>(sample(random));
  }
  return plane;
}

std::vector<std::uint8_t> Scaled(Plane& source, int dw, int dh, int stride) {
  Plane out(dw, dh, stride);
  ScaleImageBilinear(source.bytes.data(), source.width, source.height, source.stride, out.bytes.data(), dw, dh, stride);
  return out.bytes;
}

std::vector<std::uint8_t> Expected(Plane& source, int dw, int dh, int stride) {
  Plane out(dw, dh, stride);
  ReferenceScale(source.bytes.data(), source.width, source.height, source.stride, out.bytes.data(), dw, dh, stride);
  return out.bytes;
}

TEST(ScaleImageBilinearTest, DoublingTheWidthBlendsAtAQuarterAndThreeQuarters) {
  // Destination column 1 takes source 0 with fraction 1024, column 2 fraction 3072, column 3
  // source 1 with fraction 1024.
  std::vector<std::uint8_t> source = {0, 100, 200, 250};
  std::vector<std::uint8_t> out(8, kGuard);
  ScaleImageBilinear(source.data(), 4, 1, 4, out.data(), 8, 1, 8);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{0, 25, 75, 125, 175, 213, 238, 238}));
}

TEST(ScaleImageBilinearTest, TheSameSizeCopiesButRepeatsTheColumnBeforeTheLast) {
  std::vector<std::uint8_t> source = {10, 20, 30, 40, 50, 60, 70, 80, 90};
  std::vector<std::uint8_t> out(9, kGuard);
  ScaleImageBilinear(source.data(), 3, 3, 3, out.data(), 3, 3, 3);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{10, 20, 20, 40, 50, 50, 70, 80, 80}));
}

TEST(ScaleImageBilinearTest, HalvingAveragesPairsInBothDirections) {
  std::vector<std::uint8_t> source = {0, 255, 10, 21, 100, 255, 30, 40};
  std::vector<std::uint8_t> out(2, kGuard);
  ScaleImageBilinear(source.data(), 4, 2, 4, out.data(), 2, 1, 2);
  // Column 0: (0 + 255) / 2 and (100 + 255) / 2 blended at a half: 152.5, rounded up.
  EXPECT_EQ(out[0], 153);
  EXPECT_EQ(out[1], 153);  // the last column repeats the one before it
}

TEST(ScaleImageBilinearTest, BrightSamplesBlendWithoutOverflow) {
  // Rows of 255 and 200 blended at fractions 1024 and 3072: terms beyond 2^31 must not turn negative.
  std::vector<std::uint8_t> source = {255, 255, 200, 200};
  std::vector<std::uint8_t> out(2 * 4, kGuard);
  ScaleImageBilinear(source.data(), 2, 2, 2, out.data(), 2, 4, 2);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{255, 255, 241, 241, 214, 214, 200, 200}));
}

TEST(ScaleImageBilinearTest, ASingleRowSourceNeverBlendsRows) {
  std::vector<std::uint8_t> source = {40, 80, 120};
  std::vector<std::uint8_t> out(3 * 5, kGuard);
  ScaleImageBilinear(source.data(), 3, 1, 3, out.data(), 3, 5, 3);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(out[static_cast<std::size_t>(y) * 3], 40) << y;
  }
}

TEST(ScaleImageBilinearTest, EmptySizesLeaveTheDestinationAsItWas) {
  std::vector<std::uint8_t> source(16, 7);
  std::vector<std::uint8_t> out(16, kGuard);
  const int sizes[][4] = {{0, 4, 4, 4}, {4, 0, 4, 4}, {4, 4, 0, 4}, {4, 4, 4, 0}, {-1, 4, 4, 4}, {4, 4, 4, -3}};
  for (const auto& size : sizes) {
    ScaleImageBilinear(source.data(), size[0], size[1], 4, out.data(), size[2], size[3], 4);
    EXPECT_EQ(out, std::vector<std::uint8_t>(16, kGuard));
  }
}

TEST(ScaleImageBilinearTest, MatchesTheArithmeticOnEverySizeAndStaysInsideThePlanes) {
  struct Case {
    int sw, sh, dw, dh;
  };
  const Case cases[] = {
      {1920, 1080, 800, 450}, {1920, 1080, 1920, 1080},
      {1920, 1080, 805, 453}, {1280, 720, 1920, 1080},
      {960, 540, 400, 225},   {960, 540, 402, 226},
      {352, 288, 805, 453},   {805, 453, 1920, 1080},
      {1, 1, 7, 5},           {1, 9, 4, 4},
      {9, 1, 4, 4},           {7, 5, 1, 1},
      {7, 5, 1, 9},           {5, 7, 2, 2},
      {3, 3, 3, 1},           {2, 2, 13, 11},
      {640, 360, 639, 359},   {1919, 1081, 17, 9},
  };
  std::mt19937 random(20240607);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh);
    for (const int padding : {0, 3}) {
      Plane source = RandomPlane(c.sw, c.sh, c.sw + padding, random);
      const int stride = c.dw + padding;
      EXPECT_EQ(Scaled(source, c.dw, c.dh, stride), Expected(source, c.dw, c.dh, stride));
    }
  }
}

TEST(ScaleImageBilinearTest, RandomSizesMatchTheArithmetic) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> size(1, 97);
  for (int i = 0; i < 300; ++i) {
    const int sw = size(random);
    const int sh = size(random);
    const int dw = size(random);
    const int dh = size(random);
    SCOPED_TRACE(testing::Message() << sw << "x" << sh << " -> " << dw << "x" << dh);
    Plane source = RandomPlane(sw, sh, sw + i % 5, random);
    ASSERT_EQ(Scaled(source, dw, dh, dw + i % 3), Expected(source, dw, dh, dw + i % 3));
  }
}

}  // namespace
