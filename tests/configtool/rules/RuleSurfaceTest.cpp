// The editor's drawing surface with frames of its own: black until the first picture, the whole of
// a view larger than the largest picture painted, the plate-size hint's place, and frames from
// another thread while the window thread presents and paints.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/RuleGraphCfgBusiness.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/DrawContext.h"
#include "platform/ui/test/Driver.h"

namespace {

// A uniform I420 frame (one readable byte past each row, as the library delivers it).
class UniformFrame {
 public:
  UniformFrame(int width, int height, std::uint8_t luma)
      : m_y(static_cast<std::size_t>(width + 1) * height, luma),
        m_u(static_cast<std::size_t>(width / 2 + 1) * (height / 2), 128),
        m_v(m_u) {
    m_frame =
        CameraClientFrame{m_y.data(), m_u.data(), m_v.data(), width + 1, width / 2 + 1, width / 2 + 1, width, height};
  }
  const CameraClientFrame* Get() const { return &m_frame; }

 private:
  std::vector<std::uint8_t> m_y;
  std::vector<std::uint8_t> m_u;
  std::vector<std::uint8_t> m_v;
  CameraClientFrame m_frame{};
};

DWORD PaintedAt(CRuleGraphCfgBusiness& surface, int width, int height, int x, int y) {
  ui::Canvas canvas(width, height);
  canvas.Clear(0xFF00FF00);
  ui::DrawContext dc(canvas);
  surface.OnPaint(&dc, RECT{0, 0, width, height});
  return canvas.ColorAt(x, y);
}

class RuleSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.Run([&] {
      ui::CreateWindowParams params;
      params.className = "SurfaceTest";
      params.rect = RECT{0, 0, 100, 100};
      window = ui::CreateNativeWindow(params);
    });
    ASSERT_NE(window, nullptr);
  }

  ui::test::Driver driver;
  HWND window = nullptr;
};

TEST_F(RuleSurfaceTest, BlackUntilTheFirstPictureThenTheWholeViewIsTheFrame) {
  CRuleGraphCfgBusiness surface;
  const int width = 2400;
  const int height = 1500;
  driver.Run([&] {
    surface.Attach(window, width, height);
    EXPECT_EQ(PaintedAt(surface, width, height, width - 1, height - 1), 0xFF000000u);
  });
  // A view beyond 1920 x 1280: the picture is made at 1920 x 1280 and stretched over all of it.
  const UniformFrame white(1920, 1080, 235);
  ASSERT_TRUE(surface.OnFrame(white.Get()));
  driver.Run([&] {
    surface.SetPlateHint(false);
    surface.PresentFrame();
    EXPECT_EQ(surface.ScaledWidth(), 1920);
    EXPECT_EQ(surface.ScaledHeight(), 1280);
    EXPECT_EQ(GraphObjectManager::Instance().ImageWidth(), 1920);
    EXPECT_EQ(GraphObjectManager::Instance().ViewWidth(), width);
    EXPECT_EQ(PaintedAt(surface, width, height, width - 2, height - 2), 0xFFFFFFFFu);
    EXPECT_EQ(PaintedAt(surface, width, height, 5, 5), 0xFFFFFFFFu);
  });
  // No view size yet, or no planes: nothing is made.
  CRuleGraphCfgBusiness unsized;
  EXPECT_FALSE(unsized.OnFrame(white.Get()));
  EXPECT_FALSE(surface.OnFrame(nullptr));
}

TEST(RulePlateHintTest, APlateAtTheFramesScaleNearTheBottomOfTheView) {
  const ui::gfx::RectF hint = PlateHintRect(800, 450, 800, 450, 1280, 720);
  EXPECT_FLOAT_EQ(hint.x, 360);
  EXPECT_FLOAT_EQ(hint.y, 315);
  EXPECT_FLOAT_EQ(hint.width, 78.75f);
  EXPECT_NEAR(hint.height, 24.94, 0.01);
  const ui::gfx::RectF unknown = PlateHintRect(800, 450, 800, 450, 0, 0);
  EXPECT_FLOAT_EQ(unknown.width, 120);
  EXPECT_FLOAT_EQ(unknown.height, 38);
}

TEST_F(RuleSurfaceTest, FramesFromTheLibrarysThreadReachTheWindowWhole) {
  CRuleGraphCfgBusiness surface;
  driver.Run([&] { surface.Attach(window, 640, 360); });
  const UniformFrame dark(1280, 720, 16);
  const UniformFrame light(1280, 720, 235);
  std::atomic<bool> done{false};
  std::thread frames([&] {
    for (int i = 0; i < 40; ++i) surface.OnFrame(i % 2 == 0 ? dark.Get() : light.Get());
    done = true;
  });
  // Each presented picture is one frame whole: black or white everywhere, never a mix.
  while (!done) {
    driver.Run([&] {
      surface.SetPlateHint(false);
      surface.PresentFrame();
      if (!surface.HasFrame()) return;
      const DWORD top = PaintedAt(surface, 640, 360, 10, 10);
      const DWORD bottom = PaintedAt(surface, 640, 360, 630, 350);
      EXPECT_EQ(top, bottom);
    });
  }
  frames.join();
}

}  // namespace
