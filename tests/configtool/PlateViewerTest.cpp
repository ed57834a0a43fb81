// The image viewer base, the plate viewer and its glyph layout, and the tool's control factory.

#include "configtool/controls/PlateViewerUI.h"

#include <gtest/gtest.h>

#include <memory>

#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/controls/PlateGlyphLayout.h"
#include "configtool/controls/PlateListItem.h"
#include "platform/ui/render/Canvas.h"

namespace {

RECT ImageRectFor(CImageViewerBaseUI& viewer, RECT rc) {
  viewer.SetPos(rc, false);
  return viewer.GetImageRect();
}

void ExpectRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST(ImageViewerBase, FitUsesTheWholeControl) {
  CImageViewerBaseUI viewer;
  viewer.SetAttribute("image_org_size", "440,140");
  ExpectRect(ImageRectFor(viewer, RECT{10, 20, 310, 320}), RECT{10, 20, 310, 320});
}

TEST(ImageViewerBase, OriginalRatioIsAlignedInTheControl) {
  struct Case {
    const char* name;
    const char* value;
    RECT control;
    RECT image;
  };
  const Case cases[] = {
      // 300 x 140 / 440 = 95.45: 95 high, centred.
      {"image_valign", "center", {0, 0, 300, 300}, {0, 103, 300, 198}},
      {"image_valign", "top", {0, 0, 300, 300}, {0, 0, 300, 95}},
      {"image_valign", "bottom", {0, 0, 300, 300}, {0, 205, 300, 300}},
      {"image_align", "left", {0, 0, 880, 140}, {0, 0, 440, 140}},
      {"image_align", "center", {0, 0, 880, 140}, {220, 0, 660, 140}},
      {"image_align", "right", {0, 0, 880, 140}, {440, 0, 880, 140}},
      // A value of neither table changes nothing: the alignment stays at its start.
      {"image_align", "middle", {0, 0, 880, 140}, {0, 0, 440, 140}},
      {"pos_resize_method", "fit", {0, 0, 300, 300}, {0, 103, 300, 198}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + "=" + c.value);
    CImageViewerBaseUI viewer;
    viewer.SetAttribute("image_resize_method", "org");
    viewer.SetAttribute("image_org_size", "440,140");
    viewer.SetAttribute(c.name, c.value);
    ExpectRect(ImageRectFor(viewer, c.control), c.image);
    ExpectRect(viewer.GetPos(), c.control);
  }
}

TEST(ImageViewerBase, APictureWithoutAreaFillsTheControl) {
  CImageViewerBaseUI viewer;
  viewer.SetAttribute("image_resize_method", "org");
  viewer.SetAttribute("image_org_size", "0,140");
  ExpectRect(ImageRectFor(viewer, RECT{0, 0, 50, 60}), RECT{0, 0, 50, 60});
}

TEST(PlateViewer, KeepsPlatesOfSevenOrEightCharacters) {
  struct Case {
    const char* text;
    std::u16string stored;
  };
  const Case cases[] = {
      {"京A12345", u"京A12345"},
      {"粤AD12345", u"粤AD12345"},
      {"WJ京12345", u"武京12345"},
      {"WJ1234", u"武\u7A7A" u"1234"},
      {"WJ123456789", u"武\u7A7A" u"123456789"},
      {"WJ12345678901", u"武\u7A7A" u"123456789"},
  };
  for (const Case& c : cases) {
    CPlateViewerUI viewer;
    viewer.SetPlate(c.text, kPlateBackgroundBlue);
    EXPECT_EQ(viewer.GetPlateText(), c.stored) << c.text;
    EXPECT_EQ(viewer.GetBackgroundIndex(), kPlateBackgroundBlue) << c.text;
  }
}

TEST(PlateViewer, OtherLengthsLeaveTheViewerAsItWas) {
  CPlateViewerUI viewer;
  viewer.SetPlate("京A1234", kPlateBackgroundYellow);
  EXPECT_EQ(viewer.GetBackgroundIndex(), kPlateBackgroundNone);
  viewer.SetPlate("京A12345", kPlateBackgroundYellow);
  viewer.SetPlate("京A123456789", kPlateBackgroundBlue);
  viewer.SetPlate("", kPlateBackgroundBlue);
  EXPECT_EQ(viewer.GetPlateText(), u"京A12345");
  EXPECT_EQ(viewer.GetBackgroundIndex(), kPlateBackgroundYellow);
}

TEST(PlateGlyphLayout, FindsCellsOnTheSheet) {
  const std::tuple<char16_t, bool, int> cases[] = {
      {u'藏', false, 0}, {u'浙', false, 30}, {u'学', false, 31}, {u'0', false, 37}, {u'9', false, 46},
      {u'A', false, 47}, {u'H', false, 54}, {u'J', false, 55}, {u'Z', false, 70}, {u'武', false, 71},
      {u'航', false, 73}, {u'0', true, 74},  {u'5', true, 79},  {u'A', true, 47},  {u'I', false, -1},
      {u'O', false, -1},  {u'\u7A7A', false, -1}};
  for (const auto& [character, last, cell] : cases) EXPECT_EQ(PlateGlyphCell(character, last), cell);
  ExpectRect(PlateGlyphSource(0), RECT{0, 0, 28, 50});
  ExpectRect(PlateGlyphSource(79), RECT{196, 450, 224, 500});
  ExpectRect(PlateGlyphSource(83), RECT{84, 500, 112, 550});
}

TEST(PlateGlyphLayout, PlacesCellsByTheStoredLength) {
  const int wide[] = {38, 95, 174, 231, 288, 345, 402, 459};
  const int narrow[] = {38, 85, 164, 211, 258, 305, 352, 399};
  for (int i = 0; i < kPlatePositions; ++i) {
    ExpectRect(PlateDesignCell(i, 7), RECT{wide[i] - 22, 25, wide[i] + 22, 115});
    ExpectRect(PlateDesignCell(i, 8), RECT{narrow[i] - 17, 25, narrow[i] + 17, 115});
  }
}

// Draws a viewer of the design size with synthetic pictures: a red background and a sheet in
// which only the cells given are opaque.
class PlateViewerPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto background = ui::Image::Create(kPlateDesignWidth, kPlateDesignHeight);
    for (int y = 0; y < kPlateDesignHeight; ++y) {
      for (int x = 0; x < kPlateDesignWidth; ++x) background->SetColorAt(x, y, 0xFFFF0000);
    }
    m_pm.AddImage("test_bk.png", background);
    m_viewer.SetManager(&m_pm, nullptr, false);
    m_viewer.SetAttribute("textimage", "test_glyphs.png");
    m_viewer.SetAttribute("bkimage_blue", "test_bk.png");
    m_viewer.SetAttribute("bkimage_energy", "test_bk.png");
    m_viewer.SetPos(RECT{0, 0, kPlateDesignWidth, kPlateDesignHeight}, false);
  }
  void TearDown() override {
    m_pm.RemoveImage("test_bk.png");
    m_pm.RemoveImage("test_glyphs.png");
  }

  void OpaqueCells(std::initializer_list<int> cells) {
    auto sheet = ui::Image::Create(224, 550);
    for (int cell : cells) {
      const RECT source = PlateGlyphSource(cell);
      for (long y = source.top; y < source.bottom; ++y) {
        for (long x = source.left; x < source.right; ++x) sheet->SetColorAt(x, y, 0xFFFFFFFF);
      }
    }
    m_pm.AddImage("test_glyphs.png", sheet);
  }

  DWORD Paint(POINT at) {
    ui::Canvas canvas(kPlateDesignWidth, kPlateDesignHeight);
    canvas.Clear(0xFF00FF00);
    ui::DrawContext dc(canvas);
    m_viewer.DoPaint(&dc, RECT{0, 0, kPlateDesignWidth, kPlateDesignHeight});
    return canvas.ColorAt(static_cast<int>(at.x), static_cast<int>(at.y));
  }

  ui::CPaintManagerUI m_pm;
  CPlateViewerUI m_viewer;
};

TEST_F(PlateViewerPaintTest, NewEnergyDigitsComeFromTheSecondSet) {
  OpaqueCells({79});  // the second "5"
  const POINT lastCell{399, 70};
  m_viewer.SetPlate("粤AD12345", kPlateBackgroundEnergy);
  EXPECT_EQ(Paint(lastCell), 0xFF000000u);  // black glyphs on the energy plate
  m_viewer.SetPlate("粤AD12345", kPlateBackgroundBlue);
  EXPECT_EQ(Paint(lastCell), 0xFFFF0000u);  // the first "5" is empty on this sheet
}

TEST_F(PlateViewerPaintTest, BlueGlyphsAreWhite) {
  OpaqueCells({42});  // the first "5"
  m_viewer.SetPlate("京A12345", kPlateBackgroundBlue);
  EXPECT_EQ(Paint(POINT{402, 70}), 0xFFFFFFFFu);
  EXPECT_EQ(Paint(POINT{134, 70}), 0xFFFF0000u);  // between the province and the rest
}

TEST_F(PlateViewerPaintTest, APaintCopiesThePictureMadeForThePlateAndItsSize) {
  OpaqueCells({42});
  m_viewer.SetPlate("京A12345", kPlateBackgroundBlue);
  EXPECT_EQ(Paint(POINT{10, 10}), 0xFFFF0000u);
  auto blue = ui::Image::Create(kPlateDesignWidth, kPlateDesignHeight);
  for (int y = 0; y < kPlateDesignHeight; ++y) {
    for (int x = 0; x < kPlateDesignWidth; ++x) blue->SetColorAt(x, y, 0xFF0000FF);
  }
  m_pm.AddImage("test_bk.png", blue);
  EXPECT_EQ(Paint(POINT{10, 10}), 0xFFFF0000u) << "kept from the first paint";
  m_viewer.SetPos(RECT{0, 0, kPlateDesignWidth / 2, kPlateDesignHeight / 2}, false);
  EXPECT_EQ(Paint(POINT{10, 10}), 0xFF0000FFu) << "made again for the new size";
  m_pm.AddImage("test_bk.png", ui::Image::Create(kPlateDesignWidth, kPlateDesignHeight));
  m_viewer.SetPlate("京A12346", kPlateBackgroundBlue);
  EXPECT_EQ(Paint(POINT{10, 10}), 0xFF00FF00u) << "made again for the new plate";
}

TEST_F(PlateViewerPaintTest, AMissingBackgroundDrawsNothing) {
  OpaqueCells({42});
  m_viewer.SetPlate("京A12345", kPlateBackgroundYellow);
  EXPECT_EQ(Paint(POINT{402, 70}), 0xFF00FF00u);
  EXPECT_EQ(Paint(POINT{10, 10}), 0xFF00FF00u);
}

TEST(DialogBuilderCallbackEx, CreatesTheToolsControlsAndChainsTheRest) {
  CDialogBuilderCallbackEx factory;
  ui::CPaintManagerUI pm;
  auto create = [&](const char* name) { return std::unique_ptr<ui::CControlUI>(factory.CreateControl(name, &pm)); };
  EXPECT_NE(dynamic_cast<CPlateListItem*>(create("PlateListItem").get()), nullptr);
  EXPECT_NE(dynamic_cast<CPlateViewerUI*>(create("PlateViewer").get()), nullptr);
  EXPECT_NE(dynamic_cast<ui::CPlayControlUI*>(create("PlayControl").get()), nullptr);
  EXPECT_EQ(create("plateviewer"), nullptr);
  EXPECT_EQ(create("PlateViewerX"), nullptr);
  EXPECT_EQ(create("Unknown"), nullptr);
}

}  // namespace
