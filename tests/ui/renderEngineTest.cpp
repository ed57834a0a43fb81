#include <gtest/gtest.h>

#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/ClipScope.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/render/RenderEngine.h"
#include "tests/ui/renderTestSupport.h"

namespace ui {
namespace {

using rendertest::InkBounds;

constexpr DWORD kWhite = 0xFFFFFFFF;
constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kBlue = 0xFF0000FF;

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class RenderEngine : public ::testing::Test {
 protected:
  RenderEngine() : m_canvas(40, 30) { m_canvas.Clear(kWhite); }
  RECT InkOf(DWORD color) const {
    return InkBounds(m_canvas, [color](DWORD c) { return c == color; });
  }
  Canvas m_canvas;
};

TEST_F(RenderEngine, FillsBlendByAlphaAndSkipTransparentColours) {
  {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawColor(&dc, RECT{0, 0, 10, 10}, kRed);
    CRenderEngine::DrawColor(&dc, RECT{10, 0, 20, 10}, 0x80000000);
    CRenderEngine::DrawColor(&dc, RECT{20, 0, 30, 10}, 0x00000000);
    CRenderEngine::DrawColor(&dc, RECT{30, 10, 20, 0}, kRed);  // inverted: nothing
  }
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{0, 0, 10, 10}));
  const DWORD half = m_canvas.ColorAt(15, 5);
  EXPECT_EQ(ColorAlpha(half), 0xFF);
  EXPECT_NEAR(ColorRed(half), 0x7F, 1);
  EXPECT_EQ(m_canvas.ColorAt(25, 5), kWhite);
}

TEST_F(RenderEngine, BordersLieInsideTheRectangle) {
  {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawRect(&dc, RECT{5, 5, 15, 12}, 1, kRed);
    CRenderEngine::DrawRect(&dc, RECT{20, 5, 30, 15}, 2, kBlue);
  }
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{5, 5, 15, 12}));
  EXPECT_EQ(m_canvas.ColorAt(6, 6), kWhite) << "a 1-pixel border leaves the inside alone";
  EXPECT_EQ(m_canvas.ColorAt(14, 11), kRed);
  EXPECT_TRUE(SameRect(InkOf(kBlue), RECT{20, 5, 30, 15}));
  EXPECT_EQ(m_canvas.ColorAt(21, 8), kBlue);
  EXPECT_EQ(m_canvas.ColorAt(22, 8), kWhite);
}

TEST_F(RenderEngine, OnePixelLinesCoverWholePixels) {
  {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawLine(&dc, RECT{2, 10, 30, 10}, 1, kRed);
    CRenderEngine::DrawLine(&dc, RECT{35, 2, 35, 20}, 1, kBlue);
  }
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{2, 10, 30, 11}));
  EXPECT_TRUE(SameRect(InkOf(kBlue), RECT{35, 2, 36, 20}));
}

TEST_F(RenderEngine, GradientRunsFromFirstToSecond) {
  {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawGradient(&dc, RECT{0, 0, 40, 30}, 0xFF000000, 0xFFFFFFFF, true);
  }
  EXPECT_LT(ColorRed(m_canvas.ColorAt(20, 0)), 10);
  EXPECT_GT(ColorRed(m_canvas.ColorAt(20, 29)), 245);
  EXPECT_EQ(m_canvas.ColorAt(0, 15), m_canvas.ColorAt(39, 15)) << "vertical: rows are even";
}

TEST_F(RenderEngine, RoundedFillLeavesCornersOpen) {
  {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawRoundColor(&dc, RECT{0, 0, 40, 30}, 16, 16, kRed);
  }
  EXPECT_EQ(m_canvas.ColorAt(0, 0), kWhite);
  EXPECT_EQ(m_canvas.ColorAt(39, 29), kWhite);
  EXPECT_EQ(m_canvas.ColorAt(20, 0), kRed);
  EXPECT_EQ(m_canvas.ColorAt(20, 15), kRed);
}

TEST_F(RenderEngine, ClipsNestAndComeOff) {
  {
    DrawContext dc(m_canvas);
    {
      ClipScope outer(&dc, RECT{5, 5, 25, 25});
      ClipScope inner(&dc, RECT{10, 0, 40, 20});
      EXPECT_TRUE(SameRect(dc.ClipBox(), RECT{10, 5, 25, 20}));
      EXPECT_TRUE(dc.IsClippedOut(RECT{30, 0, 40, 30}));
      EXPECT_FALSE(dc.IsClippedOut(RECT{0, 0, 11, 6}));
      CRenderEngine::DrawColor(&dc, RECT{0, 0, 40, 30}, kRed);
    }
    CRenderEngine::DrawColor(&dc, RECT{38, 28, 40, 30}, kBlue);
  }
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{10, 5, 25, 20}));
  EXPECT_TRUE(SameRect(InkOf(kBlue), RECT{38, 28, 40, 30})) << "the clip is gone after its scope";
}

TEST_F(RenderEngine, OffsetMovesTheOriginButNotEarlierClips) {
  {
    DrawContext dc(m_canvas);
    ClipScope clip(&dc, RECT{0, 0, 20, 30});
    dc.SetOffset(POINT{15, 10});
    CRenderEngine::DrawColor(&dc, RECT{0, 0, 10, 10}, kRed);
    EXPECT_EQ(dc.Offset().x, 15);
  }
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{15, 10, 20, 20}));
}

// Images ----------------------------------------------------------------------------------------

// A 12 x 12 picture: a 4-pixel blue frame around a red middle.
std::shared_ptr<Image> FramedPicture() {
  auto image = Image::Create(12, 12);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool frame = x < 4 || y < 4 || x >= 8 || y >= 8;
      image->SetColorAt(x, y, frame ? kBlue : kRed);
    }
  }
  return image;
}

class RenderEngineImages : public RenderEngine {
 protected:
  RenderEngineImages() { m_cache.Add("frame.png", FramedPicture()); }
  bool Draw(const RECT& item, std::string_view description, std::string_view modify = {},
            RECT paint = RECT{0, 0, 40, 30}) {
    DrawContext dc(m_canvas);
    return CRenderEngine::DrawImageString(&dc, m_cache, item, paint, description, modify);
  }
  ImageCache m_cache;
};

TEST_F(RenderEngineImages, NinePatchKeepsCornersAndStretchesTheMiddle) {
  ASSERT_TRUE(Draw(RECT{0, 0, 40, 30}, "file='frame.png' corner='4,4,4,4'"));
  // The frame stays 4 pixels wide on every side however large the control.
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{4, 4, 36, 26}));
  for (int x : {0, 3, 36, 39}) EXPECT_EQ(m_canvas.ColorAt(x, 15), kBlue) << x;
  for (int y : {0, 3, 26, 29}) EXPECT_EQ(m_canvas.ColorAt(20, y), kBlue) << y;
  // No blend seams where patches meet.
  for (int x = 4; x < 36; ++x) EXPECT_EQ(m_canvas.ColorAt(x, 4), kRed) << x;
}

TEST_F(RenderEngineImages, PlainStretchScalesTheWholePicture) {
  ASSERT_TRUE(Draw(RECT{0, 0, 36, 24}, "frame.png"));
  EXPECT_EQ(m_canvas.ColorAt(18, 12), kRed);
  EXPECT_EQ(m_canvas.ColorAt(2, 12), kBlue);
  // The frame is scaled with the picture: a third of each side.
  EXPECT_EQ(m_canvas.ColorAt(15, 12), kRed);
  EXPECT_EQ(m_canvas.ColorAt(10, 12), kBlue);
  EXPECT_EQ(m_canvas.ColorAt(37, 12), kWhite) << "nothing outside the control";
}

TEST_F(RenderEngineImages, SourceAndDestCutAndPlace) {
  ASSERT_TRUE(Draw(RECT{10, 10, 40, 30}, "file='frame.png' source='4,4,8,8' dest='2,2,6,6'"));
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{12, 12, 16, 16}));
  EXPECT_TRUE(SameRect(InkOf(kBlue), RECT{}));
}

TEST_F(RenderEngineImages, DestIsHeldInsideTheControl) {
  ASSERT_TRUE(Draw(RECT{0, 0, 10, 10}, "file='frame.png' source='4,4,8,8' dest='5,5,30,30'"));
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{5, 5, 10, 10}));
}

TEST_F(RenderEngineImages, PaintRectangleClips) {
  ASSERT_TRUE(Draw(RECT{0, 0, 40, 30}, "file='frame.png' source='4,4,8,8'", {}, RECT{30, 0, 40, 10}));
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{30, 0, 40, 10}));
}

TEST_F(RenderEngineImages, SourceOutsideThePictureDrawsNothingButCounts) {
  // A glyph cell left of the sheet: the image exists, so the call succeeds, and nothing is drawn.
  EXPECT_TRUE(Draw(RECT{0, 0, 40, 30}, "file='frame.png' source='-28,0,0,50'"));
  EXPECT_TRUE(SameRect(InkBounds(m_canvas, rendertest::NotWhite), RECT{}));
}

TEST_F(RenderEngineImages, FadeBlendsTheWholePicture) {
  ASSERT_TRUE(Draw(RECT{0, 0, 10, 10}, "file='frame.png' source='4,4,8,8' fade='128'"));
  const DWORD c = m_canvas.ColorAt(5, 5);
  EXPECT_EQ(ColorRed(c), 0xFF);
  EXPECT_NEAR(ColorGreen(c), 127, 2);
  EXPECT_TRUE(Draw(RECT{10, 10, 20, 20}, "file='frame.png' fade='0'"));
  EXPECT_EQ(m_canvas.ColorAt(15, 15), kWhite);
}

TEST_F(RenderEngineImages, FontRecolouringPaintsTheGlyphCoverage) {
  // A glyph sheet: an opaque black bar on transparent ground.
  auto glyph = Image::Create(10, 10);
  for (int x = 0; x < 10; ++x) glyph->SetColorAt(x, 4, 0xFF000000);
  m_cache.Add("glyphs.png", glyph);
  ASSERT_TRUE(Draw(RECT{0, 0, 10, 10}, "file='glyphs.png' font='true' fontcolor='#FF0000FF'"));
  EXPECT_TRUE(SameRect(InkBounds(m_canvas, rendertest::NotWhite), RECT{0, 4, 10, 5}));
  EXPECT_EQ(m_canvas.ColorAt(5, 4), kBlue) << "drawn in the font colour, not the sheet's";
  // Without font='true' the sheet's own black shows.
  ASSERT_TRUE(Draw(RECT{20, 0, 30, 10}, "file='glyphs.png'"));
  EXPECT_EQ(m_canvas.ColorAt(25, 4), 0xFF000000u);
}

TEST_F(RenderEngineImages, GlyphCellsOfASheetAreCutScaledAndRecoloured) {
  // A sheet of two 28 x 50 cells, as the plate viewer cuts it: cell 0 holds a full-height stroke,
  // cell 1 is empty.
  auto sheet = Image::Create(56, 50);
  for (int y = 0; y < 50; ++y) {
    for (int x = 12; x < 16; ++x) sheet->SetColorAt(x, y, 0xFF000000);
  }
  m_cache.Add("glyphs.png", sheet);
  // Cell 0 scaled into a 22 x 30 place: the stroke keeps its place in the cell, in the glyph colour.
  ASSERT_TRUE(Draw(RECT{5, 0, 27, 30}, "file='glyphs.png' source='0,0,28,50' font='true' fontcolor='#FF0000FF'"));
  const RECT ink = InkBounds(m_canvas, rendertest::NotWhite);
  EXPECT_EQ(ink.top, 0);
  EXPECT_EQ(ink.bottom, 30);
  EXPECT_GE(ink.left, 5 + 8);
  EXPECT_LE(ink.right, 5 + 14);
  EXPECT_EQ(m_canvas.ColorAt(5 + 11, 15), kBlue);
  m_canvas.Clear(kWhite);
  ASSERT_TRUE(Draw(RECT{5, 0, 27, 30}, "file='glyphs.png' source='28,0,56,50' font='true' fontcolor='#FF0000FF'"));
  EXPECT_TRUE(SameRect(InkBounds(m_canvas, rendertest::NotWhite), RECT{})) << "the empty cell draws nothing";
}

TEST_F(RenderEngineImages, MaskColourBecomesTransparent) {
  rendertest::BmpSpec spec{.width = 2, .height = 1, .bitCount = 24};
  spec.pixel = [](int x, int) { return x == 0 ? 0xFF00FFu : 0x0000FFu; };
  m_cache.SetReader([bmp = rendertest::MakeBmp(spec)](const std::string&) { return std::optional<std::string>(bmp); });
  ASSERT_TRUE(Draw(RECT{0, 0, 20, 10}, "file='masked.bmp' mask='#FFFF00FF'"));
  EXPECT_EQ(m_canvas.ColorAt(2, 5), kWhite);
  EXPECT_EQ(m_canvas.ColorAt(18, 5), kBlue);
}

TEST_F(RenderEngineImages, ModifierAppliesOverTheDescription) {
  ASSERT_TRUE(Draw(RECT{0, 0, 40, 30}, "file='frame.png' source='4,4,8,8'", "dest='0,0,4,4'"));
  EXPECT_TRUE(SameRect(InkOf(kRed), RECT{0, 0, 4, 4}));
}

TEST_F(RenderEngineImages, MissingPicturesReportFailure) {
  EXPECT_FALSE(Draw(RECT{0, 0, 40, 30}, "file='nowhere.png'"));
  EXPECT_FALSE(Draw(RECT{0, 0, 40, 30}, ""));
  EXPECT_FALSE(Draw(RECT{0, 0, 40, 30}, "fade='20'"));
  EXPECT_TRUE(SameRect(InkBounds(m_canvas, rendertest::NotWhite), RECT{}));
}

}  // namespace
}  // namespace ui
