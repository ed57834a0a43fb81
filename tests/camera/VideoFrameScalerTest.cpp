// Video frames decoded straight to the window's size: the reduction chosen, the picture's size
// and content on every path (4:2:0 through libyuv, other subsamplings as BGRA), pictures refused.

#include "platform/camera/VideoFrameScaler.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include "TestJpeg.h"

namespace camera::test {
namespace {

TEST(VideoFrameScalerTest, DecodesAtTheLargestPowerOfTwoReductionThatCoversTheTarget) {
  struct Case {
    int width, height;
    SIZE target;
    int reduction;
  };
  const Case cases[] = {
      {1920, 1080, {640, 362}, 2},  {1920, 1080, {480, 270}, 4},   {1920, 1080, {481, 270}, 2},
      {1920, 1080, {240, 135}, 8},  {1920, 1080, {100, 50}, 8},    {1920, 1080, {1920, 1080}, 1},
      {1920, 1080, {2000, 1200}, 1}, {1920, 1080, {1000, 100}, 1}, {65, 47, {33, 24}, 2},
      {65, 47, {33, 25}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VideoFrameScaler::ReductionFor(c.width, c.height, c.target), c.reduction)
        << c.width << "x" << c.height << " to " << c.target.cx << "x" << c.target.cy;
  }
}

std::uint8_t BlueAt(const BgraPicture& picture, int x, int y) {
  return picture.pixels[static_cast<std::size_t>(y) * picture.stride + x * 4];
}

TEST(VideoFrameScalerTest, PicturesComeAtTheTargetSizeWithTheirContentInPlace) {
  struct Case {
    int subsampling;
    SIZE target;
  };
  const Case cases[] = {
      {TJSAMP_420, {80, 45}},    // reduced to 128 x 72, then scaled
      {TJSAMP_420, {128, 72}},   // the reduction alone
      {TJSAMP_420, {256, 144}},  // the picture as it is
      {TJSAMP_420, {301, 170}},  // enlarged
      {TJSAMP_444, {80, 45}},    {TJSAMP_444, {128, 72}}, {TJSAMP_GRAY, {81, 47}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "subsampling " << c.subsampling << " to " << c.target.cx << "x"
                                    << c.target.cy);
    VideoFrameScaler scaler;
    const auto jpeg = MakeTwoToneJpeg(256, 144, 40, 220, c.subsampling);
    const BgraPicture* picture = scaler.Decode(jpeg, 256, 144, c.target);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, c.target.cx);
    EXPECT_EQ(picture->height, c.target.cy);
    ASSERT_GE(picture->stride, picture->width * 4);
    const int middle = static_cast<int>(c.target.cy / 2);
    EXPECT_NEAR(BlueAt(*picture, 2, middle), 40, 3);
    EXPECT_NEAR(BlueAt(*picture, picture->width / 2 - 3, middle), 40, 3);
    EXPECT_NEAR(BlueAt(*picture, picture->width / 2 + 3, middle), 220, 3);
    EXPECT_NEAR(BlueAt(*picture, picture->width - 1, picture->height - 1), 220, 3);
    EXPECT_EQ(picture->pixels[3], 0xFF);
  }
}

TEST(VideoFrameScalerTest, AStreamOfOneSizeKeepsItsBuffer) {
  VideoFrameScaler scaler;
  const auto jpeg = MakeJpeg(256, 144, 90);
  const BgraPicture* first = scaler.Decode(jpeg, 256, 144, SIZE{80, 45});
  ASSERT_NE(first, nullptr);
  const std::uint8_t* pixels = first->pixels.data();
  const BgraPicture* second = scaler.Decode(MakeJpeg(256, 144, 30), 256, 144, SIZE{80, 45});
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->pixels.data(), pixels);
  EXPECT_NEAR(second->pixels[0], 30, 3);
}

TEST(VideoFrameScalerTest, RefusesWhatIsNotAPictureOfTheFramesSizeOrHasNowhereToGo) {
  VideoFrameScaler scaler;
  const auto jpeg = MakeJpeg(64, 48, 90);
  EXPECT_EQ(scaler.Decode(MakeJpeg(32, 32, 90), 64, 48, SIZE{32, 24}), nullptr);
  EXPECT_EQ(scaler.Decode(std::vector<std::uint8_t>(500, 0x11), 64, 48, SIZE{32, 24}), nullptr);
  EXPECT_EQ(scaler.Decode({}, 64, 48, SIZE{32, 24}), nullptr);
  EXPECT_EQ(scaler.Decode(jpeg, 64, 48, SIZE{0, 24}), nullptr);
  EXPECT_EQ(scaler.Decode(jpeg, 64, 48, SIZE{32, -1}), nullptr);
  EXPECT_EQ(scaler.Decode(jpeg, 64, 48, SIZE{5000, 24}), nullptr);
  EXPECT_NE(scaler.Decode(jpeg, 64, 48, SIZE{32, 24}), nullptr);
}

}  // namespace
}  // namespace camera::test
