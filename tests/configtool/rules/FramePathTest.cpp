// The frame path from a decoded frame (as the camera library lays it out) to the view's RGB565
// picture, against the plain arithmetic: shrinking, growing, odd sizes and the same size.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "configtool/features/rules/FramePath.h"
#include "configtool/features/rules/PixelConversion.h"
#include "tests/configtool/rules/ReferenceArithmetic.h"

namespace {

constexpr std::uint8_t kFill = 0xC3;

// A decoded frame: each plane in a buffer of its own that ends one byte past its last row, as
// far as the library promises to be readable.
class DecodedFrame {
 public:
  DecodedFrame(int width, int height, std::mt19937& random)
      : m_y(Plane(width, height, random)),
        m_u(Plane((width + 1) / 2, (height + 1) / 2, random)),
        m_v(Plane((width + 1) / 2, (height + 1) / 2, random)) {
    m_frame = CameraClientFrame{
        m_y.data(), m_u.data(), m_v.data(), Stride(width), Stride((width + 1) / 2), Stride((width + 1) / 2),
        width,      height};
  }
  const CameraClientFrame& Frame() const { return m_frame; }

 private:
  static int Stride(int width) { return (width + 1 + 31) / 32 * 32; }
  static std::vector<std::uint8_t> Plane(int width, int height, std::mt19937& random) {
    std::uniform_int_distribution<int> sample(0, 255);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Stride(width)) * (height - 1) + width + 1);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(sample(random));
    return bytes;
  }

  std::vector<std::uint8_t> m_y;
  std::vector<std::uint8_t> m_u;
  std::vector<std::uint8_t> m_v;
  CameraClientFrame m_frame{};
};

TEST(FramePathTest, GivesThePlainArithmeticsWordsForEverySize) {
  struct Case {
    int sourceWidth, sourceHeight, width, height;
  };
  const Case cases[] = {
      {1920, 1080, 800, 450}, {1920, 1080, 1920, 1080}, {1280, 720, 1920, 1080}, {1920, 1080, 805, 453},
      {805, 453, 805, 453},   {802, 452, 802, 452},     {801, 450, 801, 450},    {1920, 1080, 1920, 1280},
      {352, 288, 640, 360},   {16, 2, 16, 2},           {17, 9, 24, 1},          {7, 5, 13, 9},
  };
  std::mt19937 random(42);
  PlaneBuffer planes;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sourceWidth << "x" << c.sourceHeight << " -> " << c.width << "x" << c.height);
    const DecodedFrame frame(c.sourceWidth, c.sourceHeight, random);
    const int stride = PaddedStride(c.width, 16);
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(stride) * c.height, kFill);
    ScaleFrameToView(frame.Frame(), c.width, c.height, planes, picture.data(), stride);
    EXPECT_EQ(picture, rules::test::ReferenceFrameToRgb565(frame.Frame(), c.width, c.height, stride, kFill));
  }
}

}  // namespace
