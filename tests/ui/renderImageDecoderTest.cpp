#include <gtest/gtest.h>

#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/render/ImageDecoder.h"
#include "platform/ui/render/RenderEngine.h"
#include "tests/ui/renderTestSupport.h"

namespace ui {
namespace {

using rendertest::BmpSpec;
using rendertest::MakeBmp;

// A picture whose four quadrant colours tell whether rows or columns were swapped.
DWORD QuadrantColor(int x, int y) {
  if (y == 0) return x == 0 ? 0xFFFF0000u : 0xFF00FF00u;
  return x == 0 ? 0xFF0000FFu : 0xFFFFFFFFu;
}

struct BmpCase {
  const char* name;
  BmpSpec spec;
};

BmpSpec WithPixels(BmpSpec spec, std::function<std::uint32_t(DWORD)> encode) {
  spec.pixel = [encode](int x, int y) { return encode(QuadrantColor(x, y)); };
  return spec;
}

std::uint32_t As24(DWORD c) { return c & 0xFFFFFF; }
std::uint32_t As32ZeroAlpha(DWORD c) { return c & 0xFFFFFF; }
std::uint32_t As555(DWORD c) { return ((ColorRed(c) >> 3) << 10) | ((ColorGreen(c) >> 3) << 5) | (ColorBlue(c) >> 3); }
std::uint32_t As565(DWORD c) { return ((ColorRed(c) >> 3) << 11) | ((ColorGreen(c) >> 2) << 5) | (ColorBlue(c) >> 3); }

TEST(RenderBmpDecoder, ReadsEveryLayoutWithRowsTheRightWayUp) {
  BmpSpec bottomUp24{.width = 2, .height = 2, .bitCount = 24};
  BmpSpec topDown24{.width = 2, .height = -2, .bitCount = 24};
  BmpSpec plain32{.width = 2, .height = 2, .bitCount = 32};
  BmpSpec rgb555{.width = 2, .height = 2, .bitCount = 16};
  BmpSpec rgb565{.width = 2, .height = -2, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F, 0}};
  BmpSpec core24{.width = 2, .height = 2, .bitCount = 24, .headerSize = 12};
  const BmpCase cases[] = {
      {"24-bit bottom-up", WithPixels(bottomUp24, As24)},
      {"24-bit top-down", WithPixels(topDown24, As24)},
      {"32-bit with unused alpha bytes", WithPixels(plain32, As32ZeroAlpha)},
      {"16-bit 5-5-5", WithPixels(rgb555, As555)},
      {"16-bit 5-6-5 bit fields, top-down", WithPixels(rgb565, As565)},
      {"12-byte core header", WithPixels(core24, As24)},
  };
  for (const BmpCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = DecodeBmp(MakeBmp(c.spec));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->Width(), 2);
    ASSERT_EQ(image->Height(), 2);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 2; ++x) EXPECT_EQ(image->ColorAt(x, y), QuadrantColor(x, y)) << x << "," << y;
    }
    EXPECT_FALSE(image->HasAlpha());
  }
}

TEST(RenderBmpDecoder, KeepsARealAlphaChannel) {
  // A version-5 header with an alpha mask: the alpha bytes count.
  BmpSpec spec{.width = 2,
               .height = 1,
               .bitCount = 32,
               .compression = 3,
               .headerSize = 124,
               .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}};
  spec.pixel = [](int x, int) { return x == 0 ? 0x80FF0000u : 0xFF00FF00u; };
  auto image = DecodeBmp(MakeBmp(spec));
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->HasAlpha());
  EXPECT_EQ(ColorAlpha(image->ColorAt(0, 0)), 0x80);
  EXPECT_NEAR(ColorRed(image->ColorAt(0, 0)), 0xFF, 1);
  EXPECT_EQ(image->ColorAt(1, 0), 0xFF00FF00u);
  // Stored premultiplied, as Cairo draws it.
  EXPECT_EQ(image->At(0, 0), 0x80800000u);
}

TEST(RenderBmpDecoder, RefusesBrokenFiles) {
  const std::string good = MakeBmp(BmpSpec{.width = 3, .height = 3, .bitCount = 24});
  ASSERT_NE(DecodeBmp(good), nullptr);
  auto patched = [&good](std::size_t at, std::uint32_t value) {
    std::string bytes = good;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
  };
  struct Broken {
    const char* name;
    std::string bytes;
  };
  const Broken cases[] = {
      {"empty", ""},
      {"only the signature", "BM"},
      {"last pixel byte missing", good.substr(0, good.size() - 4)},
      {"headers only", good.substr(0, 54)},
      {"pixel offset past the end", patched(10, 0x7FFFFFF0)},
      {"pixel offset inside the header", patched(10, 20)},
      {"zero width", patched(18, 0)},
      {"negative width", patched(18, 0xFFFFFFFD)},
      {"height claims millions of rows", patched(22, 3000000)},
      {"most negative height", patched(22, 0x80000000)},
      {"run-length compression", patched(30, 1)},
      {"8-bit palette", patched(28, 8)},
      {"unknown header size", patched(14, 20)},
      {"bit fields without masks", patched(30, 3)},
  };
  for (const Broken& c : cases) {
    EXPECT_EQ(DecodeBmp(c.bytes), nullptr) << c.name;
    EXPECT_EQ(DecodeImage(c.bytes), nullptr) << c.name;
  }
}

TEST(RenderImageDecoder, PngRoundTripKeepsColoursAndAlpha) {
  Canvas canvas(4, 2);
  canvas.Clear(0);
  {
    DrawContext dc(canvas);
    CRenderEngine::DrawColor(&dc, RECT{0, 0, 2, 2}, 0xFF336699);
    CRenderEngine::DrawColor(&dc, RECT{2, 0, 4, 2}, 0x80FF0000);
  }
  const std::optional<std::string> png = canvas.EncodePng();
  ASSERT_TRUE(png.has_value());
  auto image = DecodeImage(*png);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(image->Height(), 2);
  EXPECT_EQ(image->ColorAt(0, 1), 0xFF336699u);
  EXPECT_EQ(ColorAlpha(image->ColorAt(3, 0)), 0x80);
  EXPECT_NEAR(ColorRed(image->ColorAt(3, 0)), 0xFF, 2);
  EXPECT_TRUE(image->HasAlpha());

  EXPECT_EQ(DecodePng(png->substr(0, png->size() / 2)), nullptr) << "truncated";
  std::string damaged = *png;
  damaged[damaged.size() / 2] ^= 0x5A;
  EXPECT_EQ(DecodePng(damaged), nullptr) << "checksum damaged";
}

TEST(RenderImageDecoder, JpegDecodesOpaqueAndRefusesTruncatedData) {
  const std::string_view jpeg = rendertest::TwoColourJpeg();
  auto image = DecodeImage(jpeg);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 16);
  EXPECT_EQ(image->Height(), 8);
  EXPECT_FALSE(image->HasAlpha());
  const DWORD left = image->ColorAt(2, 4);
  const DWORD right = image->ColorAt(13, 4);
  EXPECT_GT(ColorRed(left), 240);
  EXPECT_LT(ColorBlue(left), 16);
  EXPECT_GT(ColorBlue(right), 240);
  EXPECT_LT(ColorRed(right), 16);

  EXPECT_EQ(DecodeJpeg(jpeg.substr(0, jpeg.size() - 40)), nullptr);
  EXPECT_EQ(DecodeJpeg(jpeg.substr(0, 20)), nullptr);
}

TEST(RenderImageDecoder, PicturesComeAtTheSizeAskedForWithTheirContentInPlace) {
  Canvas canvas(16, 8);
  {
    DrawContext dc(canvas);
    CRenderEngine::DrawColor(&dc, RECT{0, 0, 8, 8}, 0xFFFF0000);
    CRenderEngine::DrawColor(&dc, RECT{8, 0, 16, 8}, 0xFF0000FF);
  }
  const std::string png = canvas.EncodePng().value();
  struct Case {
    const char* name;
    std::string_view bytes;
    SIZE size;
    SIZE expected;
  };
  const Case cases[] = {
      {"JPEG reduced to the size", rendertest::TwoColourJpeg(), {4, 2}, {4, 2}},
      {"JPEG reduced, then scaled", rendertest::TwoColourJpeg(), {6, 3}, {6, 3}},
      {"JPEG enlarged", rendertest::TwoColourJpeg(), {32, 16}, {32, 16}},
      {"JPEG as it is", rendertest::TwoColourJpeg(), {0, 3}, {16, 8}},
      {"PNG scaled", png, {6, 2}, {6, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto image = DecodeImageToSize(c.bytes, c.size);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->Width(), c.expected.cx);
    ASSERT_EQ(image->Height(), c.expected.cy);
    const int middle = image->Height() / 2;
    EXPECT_GT(ColorRed(image->ColorAt(0, middle)), 200);
    EXPECT_LT(ColorBlue(image->ColorAt(0, middle)), 50);
    EXPECT_GT(ColorBlue(image->ColorAt(image->Width() - 1, middle)), 200);
    EXPECT_EQ(ColorAlpha(image->ColorAt(image->Width() - 1, middle)), 0xFF);
  }
  EXPECT_EQ(DecodeImageToSize(rendertest::TwoColourJpeg().substr(0, 20), SIZE{4, 2}), nullptr);
  EXPECT_EQ(DecodeImageToSize("GIF89a............", SIZE{4, 2}), nullptr);
}

TEST(RenderImageDecoder, RefusesPicturesAboveTheSizeLimit) {
  // A few kilobytes of PNG can declare a picture of gigabytes; the limit holds for every format.
  Canvas wide(kMaxImageSide + 1, 1);
  wide.Clear(0xFF000000);
  EXPECT_EQ(DecodePng(wide.EncodePng().value()), nullptr);
  Canvas widest(kMaxImageSide, 1);
  widest.Clear(0xFF000000);
  EXPECT_NE(DecodePng(widest.EncodePng().value()), nullptr) << "the largest allowed size still decodes";
}

TEST(RenderImageDecoder, ChoosesTheFormatByContentNotByName) {
  EXPECT_NE(DecodeImage(MakeBmp(BmpSpec{})), nullptr);
  EXPECT_EQ(DecodeImage("GIF89a............"), nullptr);
  EXPECT_EQ(DecodeImage(std::string(64, '\0')), nullptr);
  // A BMP handed to the JPEG reader is refused rather than misread.
  EXPECT_EQ(DecodeJpeg(MakeBmp(BmpSpec{})), nullptr);
}

}  // namespace
}  // namespace ui
