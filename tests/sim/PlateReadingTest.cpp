#include "sim/PlateReading.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstring>
#include <vector>

#include "sim/GbkText.h"

namespace camsim {
namespace {

struct Rgb {
  int r, g, b;
};

class DecodedPicture {
 public:
  explicit DecodedPicture(const std::vector<std::uint8_t>& jpeg) {
    tjhandle handle = tjInitDecompress();
    int subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &m_width, &m_height,
                            &subsampling, &colourspace) == 0) {
      m_pixels.resize(static_cast<std::size_t>(m_width) * m_height * 3);
      if (tjDecompress2(handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), m_pixels.data(), m_width, 0,
                        m_height, TJPF_RGB, 0) != 0) {
        m_pixels.clear();
      }
    }
    tjDestroy(handle);
  }
  bool Ok() const { return !m_pixels.empty(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  Rgb At(int x, int y) const {
    const std::uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
  }

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t> m_pixels;
};

TEST(PlateReading, ThePlateIsDrawnWhereTheResultSaysInItsColour) {
  struct Case {
    SyntheticPlate plate;
    bool blue;
  };
  const Case cases[] = {{{"京A12345", 1, "蓝", 1}, true}, {{"粤B54321", 2, "黄", 3}, false}};
  for (const Case& c : cases) {
    const PlateShot shot = RenderPlateShot(c.plate, "2026-01-01 08:00:00");
    const DecodedPicture picture(shot.jpeg);
    ASSERT_TRUE(picture.Ok());
    EXPECT_EQ(picture.Width(), kClipWidth);
    EXPECT_EQ(picture.Height(), kClipHeight);
    const auto& b = shot.plate;
    ASSERT_GT(b.right - b.left, 60);  // wide enough to read
    ASSERT_GE(b.left, 0);
    ASSERT_LE(b.bottom, kClipHeight);
    // Just inside the plate's border is the plate colour; somewhere across its middle is the text.
    const Rgb edge = picture.At(b.left + (b.right - b.left) / 20, (b.top + b.bottom) / 2);
    if (c.blue) {
      EXPECT_GT(edge.b, edge.r + 60) << c.plate.text;
    } else {
      EXPECT_GT(edge.r, edge.b + 60) << c.plate.text;
      EXPECT_GT(edge.g, edge.b + 60) << c.plate.text;
    }
    int textPixels = 0;
    for (int x = b.left; x < b.right; ++x) {
      const Rgb p = picture.At(x, (b.top + b.bottom) / 2);
      const bool text = c.blue ? (p.r > 200 && p.g > 200 && p.b > 200) : (p.r < 60 && p.g < 60 && p.b < 60);
      if (text) ++textPixels;
    }
    EXPECT_GT(textPixels, (b.right - b.left) / 10) << c.plate.text;
  }
}

TEST(PlateReading, ResultRecordCarriesTheReading) {
  const os::LocalTime time{2026, 3, 4, 5, 6, 7, 8, 3};
  const SceneRenderer::Bounds bounds{10, 20, 110, 50};
  const SyntheticPlate plate{"苏E00001", 5, "绿", 19};
  const CameraClientPlateResult shown = MakePlateResult(plate, false, 1, 42, time, bounds, 90);
  EXPECT_EQ(FieldText(shown.plate), "\xCB\xD5" "E00001");
  EXPECT_EQ(FieldText(shown.colorText), "\xC2\xCC");
  EXPECT_EQ(shown.colorCode, 5);
  EXPECT_EQ(shown.plateType, 19);
  EXPECT_EQ(shown.plateRect.right - shown.plateRect.left, 100);
  EXPECT_EQ(shown.recordId, 42);
  EXPECT_EQ(shown.triggerType, 1);
  EXPECT_EQ(shown.year, 2026);
  EXPECT_EQ(shown.month, 3);
  EXPECT_EQ(shown.day, 4);
  EXPECT_EQ(shown.hour, 5);
  EXPECT_EQ(shown.minute, 6);
  EXPECT_EQ(shown.second, 7);

  const CameraClientPlateResult hidden = MakePlateResult(plate, true, 4, 43, time, bounds, 90);
  EXPECT_NE(hidden.plate[15], 0);
  EXPECT_EQ(std::memchr(hidden.plate, 0, sizeof hidden.plate), nullptr);
}

}  // namespace
}  // namespace camsim
