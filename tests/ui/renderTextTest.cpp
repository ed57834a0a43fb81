#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/render/FontFamilyMap.h"
#include "platform/ui/render/FontWarmUp.h"
#include "platform/ui/render/RenderEngine.h"
#include "tests/ui/renderTestSupport.h"

namespace ui {
namespace {

using rendertest::Gbk;
using rendertest::InkBounds;
using rendertest::NotWhite;

TEST(RenderFontFamilies, MapsTheOriginalPlatformsFamilies) {
  struct Case {
    std::string family;
    std::string expected;
  };
  const std::string sans = kCjkSansFamily;
  const std::string serif = kCjkSerifFamily;
  const Case cases[] = {
      {Gbk(u8"宋体"), serif},
      {Gbk(u8"新宋体"), serif},
      {"SimSun", serif},
      {"simsun", serif},
      {Gbk(u8"黑体"), sans},
      {Gbk(u8"微软雅黑"), sans},
      {"Microsoft YaHei", sans},
      {"", sans},
      {"   ", sans},
      {"Tahoma", "Tahoma," + sans},
      {"Evil,Family", "Evil Family," + sans},
  };
  for (const Case& c : cases) EXPECT_EQ(MapFontFamily(c.family), c.expected) << c.family;
}

TEST(RenderFont, KeepsItsSpecAndMeasuresALine) {
  auto font = Font::Create(FontSpec{Gbk(u8"宋体"), 16, true, false, true});
  EXPECT_EQ(font->Spec().family, Gbk(u8"宋体"));
  EXPECT_EQ(font->Spec().size, 16);
  EXPECT_TRUE(font->Spec().bold);
  EXPECT_GE(font->Height(), 16);
  EXPECT_LT(font->Height(), 32);
  EXPECT_GT(font->Ascent(), 8);
  EXPECT_LT(font->Ascent(), font->Height());
  EXPECT_LT(Font::Create(FontSpec{"", 12})->Height(), Font::Create(FontSpec{"", 24})->Height());
  EXPECT_EQ(Font::Create(FontSpec{"", -3})->Spec().size, 1) << "sizes are held positive";
  EXPECT_EQ(Font::Default(), Font::Default());
}

class RenderText : public ::testing::Test {
 protected:
  RenderText() : m_canvas(200, 100) { m_canvas.Clear(0xFFFFFFFF); }
  RECT Draw(const Font* font, RECT rc, std::string_view text, UINT style, DWORD color = 0xFF000000) {
    DrawContext dc(m_canvas);
    CRenderEngine::DrawText(&dc, font, rc, text, color, style);
    return rc;
  }
  RECT Ink() const { return InkBounds(m_canvas, NotWhite); }
  bool SameInk() const { return RectWidth(Ink()) == 0; }
  Canvas m_canvas;
};

TEST_F(RenderText, ChineseCharactersAreRealGlyphs) {
  // A missing glyph would be drawn as a tall box with hex digits. The character for "one" is a
  // single flat stroke and the one for "middle" a tall cross: only real CJK glyphs look like that.
  for (const char8_t* family : {u8"宋体", u8"黑体"}) {
    SCOPED_TRACE(reinterpret_cast<const char*>(family));
    auto font = Font::Create(FontSpec{Gbk(family), 40});
    m_canvas.Clear(0xFFFFFFFF);
    Draw(font.get(), RECT{0, 0, 200, 100}, Gbk(u8"一"), DT_SINGLELINE);
    const RECT one = Ink();
    EXPECT_GT(RectWidth(one), 28);
    EXPECT_LT(RectHeight(one), 8);
    m_canvas.Clear(0xFFFFFFFF);
    Draw(font.get(), RECT{0, 0, 200, 100}, Gbk(u8"中"), DT_SINGLELINE);
    const RECT middle = Ink();
    EXPECT_GT(RectHeight(middle), 30);
    EXPECT_GT(RectWidth(middle), 20);
  }
}

TEST_F(RenderText, AlignsInsideTheRectangle) {
  auto font = Font::Create(FontSpec{Gbk(u8"黑体"), 20});
  const RECT box{10, 10, 190, 90};
  struct Case {
    UINT style;
    int expectX;  // -1 left, 0 centre, 1 right
    int expectY;
  };
  const Case cases[] = {
      {DT_LEFT | DT_TOP, -1, -1},    {DT_CENTER | DT_TOP, 0, -1},    {DT_RIGHT | DT_TOP, 1, -1},
      {DT_LEFT | DT_VCENTER, -1, 0}, {DT_CENTER | DT_VCENTER, 0, 0}, {DT_RIGHT | DT_BOTTOM, 1, 1},
      {DT_CENTER | DT_BOTTOM, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    m_canvas.Clear(0xFFFFFFFF);
    Draw(font.get(), box, Gbk(u8"中文"), DT_SINGLELINE | c.style);
    const RECT ink = Ink();
    ASSERT_GT(RectWidth(ink), 0);
    const long cx = (ink.left + ink.right) / 2;
    const long cy = (ink.top + ink.bottom) / 2;
    if (c.expectX < 0) {
      EXPECT_LT(ink.left, 14);
    } else if (c.expectX == 0) {
      EXPECT_NEAR(cx, 100, 3);
    } else {
      EXPECT_GT(ink.right, 186);
    }
    if (c.expectY < 0) {
      EXPECT_LT(ink.top, 18);
    } else if (c.expectY == 0) {
      EXPECT_NEAR(cy, 50, 4);
    } else {
      EXPECT_GT(ink.bottom, 80);
    }
  }
}

TEST_F(RenderText, ClipsToTheRectangleUnlessAskedNotTo) {
  auto font = Font::Create(FontSpec{"", 30});
  Draw(font.get(), RECT{20, 20, 50, 35}, Gbk(u8"很长的文字"), DT_SINGLELINE);
  RECT ink = Ink();
  EXPECT_GE(ink.left, 20);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.right, 50);
  EXPECT_LE(ink.bottom, 35);
  m_canvas.Clear(0xFFFFFFFF);
  Draw(font.get(), RECT{20, 20, 50, 35}, Gbk(u8"很长的文字"), DT_SINGLELINE | DT_NOCLIP);
  ink = Ink();
  EXPECT_GT(ink.right, 100);
  EXPECT_GT(ink.bottom, 35);
}

TEST_F(RenderText, CalcRectMeasuresWithoutDrawing) {
  auto font = Font::Create(FontSpec{"", 14});
  const std::string text = Gbk(u8"设备IP地址");
  const RECT measured = Draw(font.get(), RECT{5, 5, 195, 95}, text, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_TRUE(SameInk());
  const SIZE size = CRenderEngine::MeasureText(font.get(), text);
  EXPECT_EQ(measured.left, 5);
  EXPECT_EQ(RectWidth(measured), size.cx);
  EXPECT_EQ(RectHeight(measured), size.cy);
  EXPECT_GT(size.cx, 4 * 14) << "four CJK characters and two letters";
  EXPECT_EQ(size.cy, font->Height());

  const RECT empty = Draw(font.get(), RECT{5, 5, 195, 95}, "", DT_CALCRECT);
  EXPECT_EQ(RectWidth(empty), 0);
  EXPECT_EQ(RectHeight(empty), 0);
}

TEST_F(RenderText, WordBreakWrapsAndSingleLineDoesNot) {
  auto font = Font::Create(FontSpec{"", 14});
  const std::string text = Gbk(u8"请先打开一台设备然后再配置识别区域");
  const SIZE oneLine = CRenderEngine::MeasureText(font.get(), text, DT_SINGLELINE);
  const SIZE wrapped = CRenderEngine::MeasureText(font.get(), text, DT_WORDBREAK, 60);
  EXPECT_LE(wrapped.cx, 60);
  EXPECT_GE(wrapped.cy, 3 * oneLine.cy);
  EXPECT_EQ(CRenderEngine::MeasureText(font.get(), text, DT_SINGLELINE | DT_WORDBREAK, 60).cy, oneLine.cy);
  // Line breaks inside single-line text stay on one line.
  EXPECT_EQ(CRenderEngine::MeasureText(font.get(), Gbk(u8"第一行\r\n第二行"), DT_SINGLELINE).cy, oneLine.cy);
  EXPECT_GT(CRenderEngine::MeasureText(font.get(), Gbk(u8"第一行\n第二行"), 0).cy, oneLine.cy);

  const RECT box = Draw(font.get(), RECT{0, 0, 60, 100}, text, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(RectHeight(box), wrapped.cy);
}

TEST_F(RenderText, EllipsisCutsToTheWidth) {
  auto font = Font::Create(FontSpec{"", 14});
  const std::string text = Gbk(u8"这是一段放不下的很长很长的文字");
  const SIZE cut = CRenderEngine::MeasureText(font.get(), text, DT_SINGLELINE | DT_END_ELLIPSIS, 80);
  EXPECT_LE(cut.cx, 80);
  EXPECT_GT(cut.cx, 40);
  Draw(font.get(), RECT{0, 0, 80, 30}, text, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(Ink().right, 80) << "the ellipsis itself fits";
}

TEST_F(RenderText, TextColourWithoutAlphaIsOpaque) {
  auto font = Font::Create(FontSpec{"", 30});
  Draw(font.get(), RECT{0, 0, 200, 100}, Gbk(u8"红"), DT_SINGLELINE, 0x00FF0000);
  const RECT red = InkBounds(m_canvas, [](DWORD c) { return c == 0xFFFF0000u; });
  EXPECT_GT(RectWidth(red), 0);
}

TEST_F(RenderText, StrangeBytesAndEmptyTextsAreHarmless) {
  auto font = Font::Create(FontSpec{"", 14});
  Draw(font.get(), RECT{0, 0, 200, 100}, "", DT_SINGLELINE);
  EXPECT_TRUE(SameInk());
  Draw(nullptr, RECT{0, 0, 200, 100}, std::string("\x81\xFF\x80 ok \xD6", 8), DT_SINGLELINE);
  EXPECT_GT(RectWidth(Ink()), 0) << "undecodable bytes are replaced, the rest is drawn";
  Draw(font.get(), RECT{50, 50, 40, 40}, "x", DT_SINGLELINE);  // inverted rectangle
}

TEST(RenderTextThreads, SeveralWindowThreadsDrawAtOnce) {
  // Each window thread paints with its own Pango context; a shared font is only read.
  auto font = Font::Create(FontSpec{Gbk(u8"宋体"), 16});
  const std::string text = Gbk(u8"设备列表 192.168.1.100");
  auto paint = [&] {
    Canvas canvas(200, 30);
    canvas.Clear(0xFFFFFFFF);
    DrawContext dc(canvas);
    for (int i = 0; i < 20; ++i) {
      RECT rc{0, 0, 200, 30};
      CRenderEngine::DrawText(&dc, i % 2 == 0 ? font.get() : nullptr, rc, text, 0xFF000000, DT_SINGLELINE);
    }
    return canvas.EncodePng().value_or("");
  };
  const std::string expected = paint();
  std::vector<std::string> results(4);
  std::vector<std::thread> threads;
  for (std::string& result : results) threads.emplace_back([&result, &paint] { result = paint(); });
  for (std::thread& thread : threads) thread.join();
  for (const std::string& result : results) EXPECT_EQ(result, expected);
}

TEST(RenderFontWarmUp, TheFirstThreadToLayOutTextTakesTheWarmedFontsAndDrawsAlike) {
  const std::string text = Gbk(u8"设备列表 192.168.1.100");
  StartFontWarmUp([text] { return std::vector<FontText>{{FontSpec{"", 16}, text}}; });
  auto paint = [&] {
    Canvas canvas(200, 30);
    canvas.Clear(0xFFFFFFFF);
    DrawContext dc(canvas);
    RECT rc{0, 0, 200, 30};
    CRenderEngine::DrawText(&dc, Font::Create(FontSpec{"", 16}).get(), rc, text, 0xFF000000, DT_SINGLELINE);
    return canvas.EncodePng().value_or("");
  };
  std::string warm;
  std::thread([&] { warm = paint(); }).join();
  EXPECT_EQ(TakeWarmFontMap(), nullptr) << "taken by the first thread that laid out text";
  std::string cold;
  std::thread([&] { cold = paint(); }).join();
  EXPECT_FALSE(warm.empty());
  EXPECT_EQ(warm, cold);
}

TEST(RenderCaretStops, FollowGbkCharacters) {
  auto font = Font::Create(FontSpec{"", 16});
  const std::string text = "A" + Gbk(u8"中") + "B";
  const std::vector<CaretStop> stops = CRenderEngine::GetCaretStops(font.get(), text);
  ASSERT_EQ(stops.size(), 4u);
  EXPECT_EQ(stops[0].byteOffset, 0);
  EXPECT_EQ(stops[1].byteOffset, 1);
  EXPECT_EQ(stops[2].byteOffset, 3) << "a double-byte character is one step";
  EXPECT_EQ(stops[3].byteOffset, 4);
  EXPECT_EQ(stops[0].x, 0);
  for (std::size_t i = 1; i < stops.size(); ++i) EXPECT_GT(stops[i].x, stops[i - 1].x);
  EXPECT_NEAR(stops.back().x, CRenderEngine::MeasureText(font.get(), text).cx, 1);
  EXPECT_GT(stops[2].x - stops[1].x, stops[1].x) << "the CJK character is wider than the letter";

  const std::vector<CaretStop> empty = CRenderEngine::GetCaretStops(font.get(), "");
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(empty[0].x, 0);
  // A lead byte without its trail byte is one character of its own.
  const std::vector<CaretStop> cut = CRenderEngine::GetCaretStops(font.get(), std::string("a\xD6", 2));
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut[2].byteOffset, 2);
}

}  // namespace
}  // namespace ui
