// Video windows: pictures from another thread at the window's size, painted alone over what lies
// under them unless a window above overlaps them, counted as they come and are shown.
// Meant to run under the thread sanitizer as well.

#include "platform/ui/core/NativeWindow.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "platform/os/WindowSystem.h"
#include "platform/ui/core/VideoSurface.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/RenderEngine.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/CoreTestSupport.h"

namespace ui {
namespace {

// Fills its client area with one colour and counts its paints.
class Filler : public IWindowProcedure {
 public:
  explicit Filler(DWORD color) : m_color(color) {}
  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
    ++paints;
    RECT client{};
    GetClientRect(hwnd, &client);
    CRenderEngine::DrawColor(reinterpret_cast<HDC>(wParam), client, m_color);
    return 0;
  }
  int paints = 0;

 private:
  DWORD m_color;
};

using testing::MakeNativeWindow;

// A picture of one colour, as the camera library hands it over.
class Picture {
 public:
  Picture(int width, int height, std::uint32_t color) : m_pixels(static_cast<std::size_t>(width) * height, color) {
    m_image = os::VideoImage{reinterpret_cast<const std::uint8_t*>(m_pixels.data()), width, height, width * 4};
  }
  os::VideoImage Numbered(std::uint32_t frameNumber) const {
    os::VideoImage image = m_image;
    image.frameNumber = frameNumber;
    return image;
  }

 private:
  std::vector<std::uint32_t> m_pixels;
  os::VideoImage m_image;
};

void PresentFromAnotherThread(HWND video, const os::VideoImage& image) {
  std::thread camera([&] { EXPECT_TRUE(os::PresentVideo(video, image)); });
  camera.join();
}

class VideoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver.Run([&] {
      top = MakeNativeWindow(&topPainter, WS_CAPTION, RECT{0, 0, 200, 150});
      video = MakeNativeWindow(nullptr, WS_CHILD | WS_VISIBLE, RECT{20, 10, 100, 55}, top);
      ShowWindow(top, SW_SHOW);
    });
    driver.WaitUntilIdle();
  }
  void TearDown() override {
    driver.Run([&] { DestroyWindow(top); });
  }

  DWORD PixelAt(int x, int y) {
    return driver.Get<DWORD>([&] { return HostWindowPicture(top)->ColorAt(x, y); });
  }

  test::Driver driver;
  Filler topPainter{0xFF808080};
  HWND top = nullptr;
  HWND video = nullptr;
};

TEST_F(VideoWindowTest, PicturesAreAskedForAtTheWindowsSizeWhateverItBecomes) {
  std::optional<SIZE> size = os::VideoSize(video);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->cx, 80);
  EXPECT_EQ(size->cy, 45);
  driver.Run([&] { MoveWindow(video, 0, 0, 64, 36); });
  size = os::VideoSize(video);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->cx, 64);
  EXPECT_EQ(size->cy, 36);
  driver.Run([&] { DestroyWindow(video); });
  EXPECT_FALSE(os::VideoSize(video).has_value());
}

TEST_F(VideoWindowTest, ANewPictureRepaintsTheVideoWindowAloneAtItsPlace) {
  const Picture red(80, 45, 0xFFFF0000);
  PresentFromAnotherThread(video, red.Numbered(1));
  driver.WaitUntilIdle();
  const int topPaints = driver.Get<int>([&] { return topPainter.paints; });
  EXPECT_EQ(PixelAt(20, 10), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(99, 54), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(100, 55), 0xFF808080u);
  EXPECT_EQ(PixelAt(19, 9), 0xFF808080u);

  const Picture blue(80, 45, 0xFF0000FF);
  PresentFromAnotherThread(video, blue.Numbered(2));
  driver.WaitUntilIdle();
  EXPECT_EQ(PixelAt(60, 30), 0xFF0000FFu);
  EXPECT_EQ(driver.Get<int>([&] { return topPainter.paints; }), topPaints);
  const VideoFrameCounts counts = GetVideoFrameCounts(video);
  EXPECT_EQ(counts.decoded, 2u);
  EXPECT_EQ(counts.shown, 2u);
  EXPECT_EQ(counts.skipped, 0u);
  EXPECT_EQ(counts.replaced, 0u);
}

TEST_F(VideoWindowTest, AWindowAboveTheVideoStaysOnTopOfNewPictures) {
  Filler coverPainter(0xFF00FF00);
  HWND cover = nullptr;
  driver.Run([&] { cover = MakeNativeWindow(&coverPainter, WS_CHILD | WS_VISIBLE, RECT{90, 40, 130, 70}, top); });
  const Picture red(80, 45, 0xFFFF0000);
  for (std::uint32_t frame = 1; frame <= 2; ++frame) {
    PresentFromAnotherThread(video, red.Numbered(frame));
    driver.WaitUntilIdle();
    EXPECT_EQ(PixelAt(95, 50), 0xFF00FF00u);  // the cover, where it lies over the video
    EXPECT_EQ(PixelAt(50, 30), 0xFFFF0000u);
  }
  // The hidden cover no longer counts.
  driver.Run([&] { ShowWindow(cover, SW_HIDE); });
  PresentFromAnotherThread(video, red.Numbered(3));
  driver.WaitUntilIdle();
  EXPECT_EQ(PixelAt(95, 50), 0xFFFF0000u);
  driver.Run([&] { DestroyWindow(cover); });
}

TEST_F(VideoWindowTest, PicturesThatNeverReachTheScreenAreCounted) {
  const Picture red(80, 45, 0xFFFF0000);
  driver.Run([&] {
    // On the window thread, so that no paint comes between them.
    std::thread camera([&] {
      for (std::uint32_t frame : {1u, 2u, 3u, 6u}) EXPECT_TRUE(os::PresentVideo(video, red.Numbered(frame)));
    });
    camera.join();
  });
  driver.WaitUntilIdle();
  VideoFrameCounts counts = GetVideoFrameCounts(video);
  EXPECT_EQ(counts.decoded, 4u);
  EXPECT_EQ(counts.shown, 1u);
  EXPECT_EQ(counts.replaced, 3u);
  EXPECT_EQ(counts.skipped, 2u);  // 4 and 5
  // A stream that starts again counts from its first frame.
  PresentFromAnotherThread(video, red.Numbered(1));
  driver.WaitUntilIdle();
  counts = GetVideoFrameCounts(video);
  EXPECT_EQ(counts.shown, 2u);
  EXPECT_EQ(counts.skipped, 2u);
}

TEST(VideoSurfaceTest, AStreamOfOneSizeTakesTurnsInThreeBuffers) {
  VideoSurface surface;
  const Picture red(16, 9, 0xFFFF0000);
  std::set<const Image*> buffers;
  for (std::uint32_t frame = 1; frame <= 30; ++frame) {
    EXPECT_NE(surface.Present(red.Numbered(frame)), VideoSurface::Presented::kRefused);
    // Now and then a second picture comes before the window paints.
    if (frame % 4 == 0) continue;
    surface.RepaintAsked();
    const Image* shown = surface.PictureToPaint();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->At(15, 8), 0xFFFF0000u);
    buffers.insert(shown);
  }
  EXPECT_LE(buffers.size(), 3u);
  const VideoFrameCounts counts = surface.Counts();
  EXPECT_EQ(counts.decoded, 30u);
  EXPECT_EQ(counts.shown + counts.replaced, 30u);
}

TEST(VideoSurfaceTest, OnlyTheFirstPictureAfterARepaintAsksForOne) {
  VideoSurface surface;
  const Picture red(4, 4, 0xFFFF0000);
  EXPECT_EQ(surface.Present(red.Numbered(1)), VideoSurface::Presented::kAskForRepaint);
  EXPECT_EQ(surface.Present(red.Numbered(2)), VideoSurface::Presented::kRepaintAsked);
  surface.RepaintAsked();
  EXPECT_EQ(surface.Present(red.Numbered(3)), VideoSurface::Presented::kAskForRepaint);
  const std::uint32_t pixel = 0;
  EXPECT_EQ(surface.Present(os::VideoImage{reinterpret_cast<const std::uint8_t*>(&pixel), 1, 1, 2}),
            VideoSurface::Presented::kRefused);  // a row shorter than its pixels
  EXPECT_EQ(surface.Present(os::VideoImage{}), VideoSurface::Presented::kRefused);
}

}  // namespace
}  // namespace ui
