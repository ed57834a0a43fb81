#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/ClipScope.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/render/gfx/Graphics.h"
#include "tests/ui/renderTestSupport.h"

namespace ui::gfx {
namespace {

using rendertest::Gbk;

// The extent of pixels of a bitmap that are not `background`.
RECT Ink(const Bitmap& bitmap, DWORD background) {
  RECT box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.ColorAt(x, y) == background) continue;
      box.left = std::min<long>(box.left, x);
      box.top = std::min<long>(box.top, y);
      box.right = std::max<long>(box.right, x + 1);
      box.bottom = std::max<long>(box.bottom, y + 1);
    }
  }
  return box.right > box.left ? box : RECT{};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RenderGfxBitmap, Rgb565PixelsGoInAsWordsAndComeOutAsColours) {
  Bitmap bitmap(5, 3, PixelFormat::Rgb565);
  EXPECT_EQ(bitmap.Stride(), 12) << "rows padded to 4 bytes";
  EXPECT_EQ(bitmap.ColorAt(0, 0), 0xFF000000u) << "starts black";
  // Two rows of three pixels with a source stride of 8 bytes: red, green, blue / white, black, grey.
  const std::uint16_t words[2][4] = {{0xF800, 0x07E0, 0x001F, 0}, {0xFFFF, 0x0000, 0x8410, 0}};
  bitmap.WritePixels(1, 1, 3, 2, words, 8);
  EXPECT_EQ(bitmap.ColorAt(1, 1), 0xFFFF0000u);
  EXPECT_EQ(bitmap.ColorAt(2, 1), 0xFF00FF00u);
  EXPECT_EQ(bitmap.ColorAt(3, 1), 0xFF0000FFu);
  EXPECT_EQ(bitmap.ColorAt(1, 2), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.ColorAt(0, 1), 0xFF000000u) << "outside the area stays";
  EXPECT_EQ(bitmap.ColorAt(4, 1), 0xFF000000u);
  EXPECT_EQ(bitmap.ColorAt(9, 9), 0u);

  // An area reaching past the edges is cut, never written outside.
  const std::vector<std::uint16_t> white(100, 0xFFFF);
  bitmap.WritePixels(-2, 2, 10, 5, white.data(), 20);
  EXPECT_EQ(bitmap.ColorAt(0, 2), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.ColorAt(4, 2), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.ColorAt(0, 1), 0xFF000000u);
  bitmap.WritePixels(0, 0, 5, 3, nullptr, 10);
}

TEST(RenderGfxBitmap, SizesCairoRefusesGiveAnEmptyBitmapThatTakesAndDrawsNothing) {
  struct Case {
    int width;
    int height;
    PixelFormat format;
  };
  const Case cases[] = {{32768, 1, PixelFormat::Rgb565},
                        {1, 32768, PixelFormat::Argb32},
                        {40000, 40000, PixelFormat::Argb32},
                        {std::numeric_limits<int>::max(), 2, PixelFormat::Rgb565}};
  const std::vector<std::uint32_t> white(64, 0xFFFFFFFF);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Bitmap refused(c.width, c.height, c.format);
    EXPECT_EQ(refused.Width(), 0);
    EXPECT_EQ(refused.Height(), 0);
    refused.WritePixels(0, 0, 4, 4, white.data(), 16);
    EXPECT_EQ(refused.ColorAt(0, 0), 0u);
    Graphics onRefused(refused);
    onRefused.Clear(0xFFFFFFFF);
    onRefused.DrawLine(Pen(0xFFFF0000), PointF{0, 0}, PointF{3, 3});

    // Drawn into a working bitmap it leaves it as it was, and that one goes on drawing.
    Bitmap view(8, 8, PixelFormat::Argb32);
    Graphics g(view);
    g.DrawImage(refused, RectF{0, 0, 8, 8}, RectF{0, 0, 4, 4});
    EXPECT_EQ(view.ColorAt(4, 4), 0u);
    g.FillRectangle(SolidBrush(0xFF00FF00), RectF{0, 0, 8, 8});
    EXPECT_EQ(view.ColorAt(4, 4), 0xFF00FF00u);
  }
  EXPECT_EQ(Bitmap(32767, 1, PixelFormat::Rgb565).Width(), 32767) << "cairo's limit itself is a size";
  const auto wide = Image::Create(32768, 1);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(Bitmap::FromImage(*wide), nullptr);
}

TEST(RenderGfxGraphics, PenOfOnePixelCoversExactlyItsRow) {
  Bitmap bitmap(40, 30, PixelFormat::Argb32);
  Graphics g(bitmap);
  g.Clear(0xFF000000);
  g.DrawLine(Pen(0xFFFF0000), PointF{5, 10}, PointF{30, 10});
  EXPECT_TRUE(SameRect(Ink(bitmap, 0xFF000000), RECT{5, 10, 30, 11}));
}

TEST(RenderGfxGraphics, ClosedPathsFillAndOutline) {
  Bitmap bitmap(60, 60, PixelFormat::Rgb565);
  Graphics g(bitmap);
  g.Clear(0xFF000000);
  GraphicsPath ring;
  const PointF square[] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 10}};
  ring.AddLines(square, 5);
  g.FillPath(SolidBrush(0xFFFFFFFF), ring);
  EXPECT_EQ(bitmap.ColorAt(30, 30), 0xFFFFFFFFu);
  EXPECT_EQ(bitmap.ColorAt(5, 30), 0xFF000000u);
  g.SetSmoothingMode(SmoothingMode::HighQuality);
  EXPECT_EQ(g.GetSmoothingMode(), SmoothingMode::HighQuality);
  g.DrawPath(Pen(0xFF00FF00, 2), ring);
  EXPECT_EQ(bitmap.ColorAt(30, 10), 0xFF00FF00u);
  EXPECT_EQ(bitmap.ColorAt(30, 30), 0xFFFFFFFFu);

  // Even-odd: a figure inside another leaves a hole.
  GraphicsPath holed;
  const PointF outer[] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  const PointF inner[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
  holed.AddPolygon(outer, 4);
  holed.AddPolygon(inner, 4);
  EXPECT_EQ(holed.Figures().size(), 2u);
  EXPECT_EQ(holed.PointCount(), 8);
  Bitmap small(25, 25, PixelFormat::Argb32);
  Graphics s(small);
  s.FillPath(SolidBrush(0xFFFF0000), holed);
  EXPECT_EQ(small.ColorAt(2, 10), 0xFFFF0000u);
  EXPECT_EQ(small.ColorAt(10, 10), 0u);
}

TEST(RenderGfxGraphics, AlphaFillsBlendOverVideo) {
  Bitmap bitmap(20, 20, PixelFormat::Rgb565);
  Graphics g(bitmap);
  g.Clear(0xFF000000);
  const PointF quad[] = {{0, 0}, {19, 0}, {19, 19}, {0, 19}};
  g.FillPolygon(SolidBrush(0x64F86E81), quad, 4);  // the loop's fill
  const DWORD c = bitmap.ColorAt(10, 10);
  EXPECT_NEAR(ColorRed(c), 0xF8 * 0x64 / 255, 9);
  EXPECT_NEAR(ColorGreen(c), 0x6E * 0x64 / 255, 9);
  EXPECT_NEAR(ColorBlue(c), 0x81 * 0x64 / 255, 9);
}

TEST(RenderGfxGraphics, EllipseHandlesSitWhereAsked) {
  Bitmap bitmap(30, 30, PixelFormat::Argb32);
  Graphics g(bitmap);
  g.SetSmoothingMode(SmoothingMode::AntiAlias);
  g.FillEllipse(SolidBrush(0xDC00FF00), RectF{10 - 4, 10 - 4, 9, 9});
  const RECT ink = Ink(bitmap, 0);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 10.5, 1.0);
  EXPECT_NEAR(RectWidth(ink), 10, 1);
  EXPECT_EQ(ColorAlpha(bitmap.ColorAt(10, 10)), 0xDC);
  EXPECT_EQ(bitmap.ColorAt(0, 0), 0u);
}

TEST(RenderGfxGraphics, DrawsBitmapsStretchedAndUnscaled) {
  Bitmap frame(4, 2, PixelFormat::Rgb565);
  const std::uint16_t words[2][4] = {{0xF800, 0xF800, 0x001F, 0x001F}, {0xF800, 0xF800, 0x001F, 0x001F}};
  frame.WritePixels(0, 0, 4, 2, words, 8);
  Bitmap view(40, 20, PixelFormat::Rgb565);
  Graphics g(view);
  g.DrawImage(frame, RectF{0, 0, 40, 20}, RectF{0, 0, 4, 2});
  EXPECT_EQ(view.ColorAt(5, 10), 0xFFFF0000u);
  EXPECT_EQ(view.ColorAt(35, 10), 0xFF0000FFu);
  g.DrawImage(frame, 10, 5);
  EXPECT_EQ(view.ColorAt(11, 5), 0xFFFF0000u);
  EXPECT_EQ(view.ColorAt(12, 6), 0xFF0000FFu);
  EXPECT_EQ(view.ColorAt(9, 5), 0xFFFF0000u) << "left of it the stretched picture remains";
}

TEST(RenderGfxGraphics, TextInTheProgramsFonts) {
  Bitmap bitmap(400, 60, PixelFormat::Rgb565);
  Graphics g(bitmap);
  g.Clear(0xFF000000);
  auto font = Font::Create(FontSpec{Gbk(u8"宋体"), 22});
  g.DrawString(Gbk(u8"配置规则时自动跳转到广角视角"), *font, SolidBrush(0xFFFF6666), PointF{10, 10});
  const RECT ink = Ink(bitmap, 0xFF000000);
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_GT(RectWidth(ink), 13 * 22 - 22) << "fourteen characters of about one em each";
  EXPECT_LT(ink.bottom, 10 + font->Height() + 1);
}

TEST(RenderGfxGraphics, OnAWindowContextItKeepsTheClip) {
  Canvas canvas(30, 30);
  canvas.Clear(0xFFFFFFFF);
  {
    DrawContext dc(canvas);
    ClipScope clip(&dc, RECT{10, 10, 20, 20});
    Graphics g(&dc);
    g.FillRectangle(SolidBrush(0xFF000000), RectF{0, 0, 30, 30});
    g.SetSmoothingMode(SmoothingMode::HighQuality);
  }
  EXPECT_EQ(canvas.ColorAt(15, 15), 0xFF000000u);
  EXPECT_EQ(canvas.ColorAt(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(canvas.ColorAt(25, 25), 0xFFFFFFFFu);
}

TEST(RenderGfxBitmap, LoadsPicturesFromFiles) {
  const auto folder = std::filesystem::temp_directory_path() / ("lpr-render-gfx-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  Canvas canvas(120, 38);
  canvas.Clear(0xFF1A5FB4);
  const std::string path = (folder / "blue_plate.png").string();
  ASSERT_TRUE(canvas.SavePng(path));
  auto bitmap = Bitmap::FromFile(path);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 120);
  EXPECT_EQ(bitmap->Height(), 38);
  EXPECT_EQ(bitmap->ColorAt(60, 19), 0xFF1A5FB4u);
  EXPECT_EQ(Bitmap::FromFile((folder / "missing.png").string()), nullptr);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ui::gfx
