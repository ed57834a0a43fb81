// The colour conversion against the fixed-point formula computed one pixel at a time, and the
// one-pass conversion against the two steps it stands for.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "configtool/features/rules/PixelConversion.h"
#include "tests/configtool/rules/ReferenceArithmetic.h"

namespace {

using rules::test::ReferencePixel;
using rules::test::ReferenceScale;

constexpr std::uint8_t kGuard = 0x5A;

struct Frame {
  int width;
  int height;
  std::vector<std::uint8_t> y;
  std::vector<std::uint8_t> u;
  std::vector<std::uint8_t> v;
  int ChromaWidth() const { return (width + 1) / 2; }
};

Frame RandomFrame(int width, int height, std::mt19937& random) {
  std::uniform_int_distribution<int> sample(0, 255);
  Frame frame{width, height, {}, {}, {}};
  const std::size_t chroma = static_cast<std::size_t>(frame.ChromaWidth()) * ((height + 1) / 2);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i)
    frame.y.push_back(static_cast<std::uint8_t>(sample(random)));
  for (std::size_t i = 0; i < chroma; ++i) {
    frame.u.push_back(static_cast<std::uint8_t>(sample(random)));
    frame.v.push_back(static_cast<std::uint8_t>(sample(random)));
  }
  return frame;
}

std::vector<std::uint8_t> ToRgb24(const Frame& frame, int stride, int height) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * frame.height, kGuard);
  ConvertYuv420ToRgb(frame.y.data(), frame.width, frame.u.data(), frame.v.data(), frame.ChromaWidth(), out.data(),
                     frame.width, height, stride);
  return out;
}

TEST(PixelConversionTest, LimitedRangeBlackAndWhite) {
  struct Case {
    std::uint8_t y;
    std::uint8_t shade;
  };
  for (const Case c : {Case{16, 0}, Case{0, 0}, Case{235, 255}, Case{255, 255}}) {
    Frame frame{8, 1, std::vector<std::uint8_t>(8, c.y), std::vector<std::uint8_t>(4, 128),
                std::vector<std::uint8_t>(4, 128)};
    const std::vector<std::uint8_t> out = ToRgb24(frame, 24, 1);
    EXPECT_EQ(out, std::vector<std::uint8_t>(24, c.shade)) << int(c.y);
  }
}

TEST(PixelConversionTest, EveryPixelFollowsTheFixedPointFormula) {
  std::mt19937 random(11);
  const Frame frame = RandomFrame(64, 6, random);
  const int stride = 64 * 3;
  const std::vector<std::uint8_t> out = ToRgb24(frame, stride, frame.height);
  for (int row = 0; row < frame.height; ++row) {
    for (int x = 0; x < frame.width; ++x) {
      const std::size_t chroma = static_cast<std::size_t>(row / 2) * frame.ChromaWidth() + x / 2;
      const auto expected =
          ReferencePixel(frame.y[static_cast<std::size_t>(row) * frame.width + x], frame.u[chroma], frame.v[chroma]);
      const std::uint8_t* pixel = &out[static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x) * 3];
      ASSERT_EQ((std::array<std::uint8_t, 3>{pixel[0], pixel[1], pixel[2]}), expected) << row << "," << x;
    }
  }
}

TEST(PixelConversionTest, AllSampleCombinationsOfOnePixelPair) {
  // Every Y with a spread of U and V, including the saturating corners.
  std::vector<std::uint8_t> y(256);
  for (int i = 0; i < 256; ++i) y[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  for (int u = 0; u < 256; u += 15) {
    for (int v = 0; v < 256; v += 15) {
      std::vector<std::uint8_t> us(128, static_cast<std::uint8_t>(u));
      std::vector<std::uint8_t> vs(128, static_cast<std::uint8_t>(v));
      std::vector<std::uint8_t> out(256 * 3);
      ConvertYuv420ToRgb(y.data(), 256, us.data(), vs.data(), 128, out.data(), 256, 1, 256 * 3);
      for (int i = 0; i < 256; ++i) {
        const auto expected = ReferencePixel(i, u, v);
        const std::uint8_t* pixel = &out[static_cast<std::size_t>(i) * 3];
        ASSERT_EQ((std::array<std::uint8_t, 3>{pixel[0], pixel[1], pixel[2]}), expected) << i << " " << u << " " << v;
      }
    }
  }
}

TEST(PixelConversionTest, TheLastWidthModEightPixelsAreLeftAsTheyWere) {
  std::mt19937 random(3);
  const Frame frame = RandomFrame(805, 3, random);
  const int stride = PaddedStride(805, 24);
  const std::vector<std::uint8_t> out = ToRgb24(frame, stride, frame.height);
  for (int row = 0; row < frame.height; ++row) {
    for (int byte = 800 * 3; byte < stride; ++byte) {
      EXPECT_EQ(out[static_cast<std::size_t>(row) * stride + byte], kGuard) << row << "," << byte;
    }
  }
  // Narrower than one group: nothing at all.
  const Frame narrow = RandomFrame(7, 2, random);
  EXPECT_EQ(ToRgb24(narrow, 21, 2), std::vector<std::uint8_t>(42, kGuard));
}

TEST(PixelConversionTest, ANegativeHeightWalksThePlanesBottomUp) {
  std::mt19937 random(5);
  const Frame frame = RandomFrame(16, 5, random);
  const int stride = 16 * 3;
  const std::vector<std::uint8_t> upright = ToRgb24(frame, stride, 5);
  const std::vector<std::uint8_t> flipped = ToRgb24(frame, stride, -5);
  // Output row 0 is picture row 4 (chroma row 2); row 1 is picture row 3 with chroma row 2 too.
  for (int x = 0; x < 16; ++x) {
    const auto bottom = ReferencePixel(frame.y[4 * 16 + x], frame.u[2 * 8 + x / 2], frame.v[2 * 8 + x / 2]);
    const auto third = ReferencePixel(frame.y[3 * 16 + x], frame.u[2 * 8 + x / 2], frame.v[2 * 8 + x / 2]);
    EXPECT_EQ((std::array<std::uint8_t, 3>{flipped[x * 3], flipped[x * 3 + 1], flipped[x * 3 + 2]}), bottom);
    EXPECT_EQ((std::array<std::uint8_t, 3>{flipped[stride + x * 3], flipped[stride + x * 3 + 1],
                                           flipped[stride + x * 3 + 2]}),
              third);
  }
  EXPECT_NE(upright, flipped);
}

TEST(PixelConversionTest, Rgb565KeepsTheHighBitsOfEachColour) {
  const std::vector<std::uint8_t> bgr = {0, 0, 0, 255, 255, 255, 0x08, 0x04, 0xF8, 0xFF, 0x00, 0x00};
  std::vector<std::uint8_t> out(8, kGuard);
  ConvertRgb24ToRgb565(bgr.data(), out.data(), 4, 1, 12, 8);
  EXPECT_EQ(out, (std::vector<std::uint8_t>{0x00, 0x00, 0xFF, 0xFF, 0x21, 0xF8, 0x1F, 0x00}));
}

TEST(PixelConversionTest, TheOnePassConversionGivesTheWordsOfTheTwoSteps) {
  std::mt19937 random(17);
  for (const auto& size : {std::array<int, 2>{800, 450}, {805, 453}, {16, 1}, {24, 2}, {1920, 7}, {9, 3}, {7, 4}}) {
    const Frame frame = RandomFrame(size[0], size[1], random);
    SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
    const int rgbStride = PaddedStride(frame.width, 24);
    const int wordStride = PaddedStride(frame.width, 16);
    std::vector<std::uint8_t> twoSteps(static_cast<std::size_t>(wordStride) * frame.height, kGuard);
    const std::vector<std::uint8_t> rgb = ToRgb24(frame, rgbStride, frame.height);
    // Only the converted pixels go on to the second step; the rest stays as it was.
    ConvertRgb24ToRgb565(rgb.data(), twoSteps.data(), frame.width / 8 * 8, frame.height, rgbStride, wordStride);
    std::vector<std::uint8_t> onePass(twoSteps.size(), kGuard);
    ConvertYuv420ToRgb565(frame.y.data(), frame.width, frame.u.data(), frame.v.data(), frame.ChromaWidth(),
                          onePass.data(), frame.width, frame.height, wordStride);
    EXPECT_EQ(onePass, twoSteps);
  }
}

}  // namespace
