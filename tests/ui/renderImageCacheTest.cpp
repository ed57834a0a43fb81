#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/os/File.h"
#include "platform/ui/render/ImageCache.h"
#include "platform/ui/render/ImageWarmUp.h"
#include "tests/ui/renderTestSupport.h"

namespace ui {
namespace {

using rendertest::BmpSpec;
using rendertest::MakeBmp;

class RenderImageCache : public ::testing::Test {
 protected:
  RenderImageCache()
      : m_folder(std::filesystem::temp_directory_path() / ("lpr-render-cache-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(m_folder);
  }
  ~RenderImageCache() override { std::filesystem::remove_all(m_folder); }

  std::string PathOf(const char* name) const { return (m_folder / name).string(); }

  // A 2 x 1 picture: a magenta pixel, then a green one.
  static std::string MagentaAndGreen() {
    BmpSpec spec{.width = 2, .height = 1, .bitCount = 24};
    spec.pixel = [](int x, int) { return x == 0 ? 0xFF00FFu : 0x00FF00u; };
    return MakeBmp(spec);
  }

  std::filesystem::path m_folder;
};

TEST_F(RenderImageCache, ReadsAResourceOnceAndKeepsIt) {
  int reads = 0;
  ImageCache cache([&reads](const std::string& name) -> std::optional<std::string> {
    ++reads;
    if (name == "skin/bk.bmp") return MagentaAndGreen();
    return std::nullopt;
  });
  auto first = cache.Get("skin/bk.bmp");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(cache.Get("skin/bk.bmp"), first);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(cache.Get("skin/none.png"), nullptr);
  EXPECT_EQ(cache.Get(""), nullptr);
  EXPECT_EQ(cache.Size(), 1u);
}

TEST_F(RenderImageCache, MaskedVariantsAreSeparateAndRemovedTogether) {
  ImageCache cache([](const std::string&) -> std::optional<std::string> { return MagentaAndGreen(); });
  auto plain = cache.Get("a.bmp");
  auto masked = cache.Get("a.bmp", 0xFFFF00FF);
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(plain->ColorAt(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(masked->ColorAt(0, 0), 0u) << "the mask colour is transparent";
  EXPECT_EQ(masked->ColorAt(1, 0), 0xFF00FF00u) << "other colours stay";
  cache.Get("b.bmp");
  EXPECT_EQ(cache.Size(), 3u);

  EXPECT_TRUE(cache.Remove("a.bmp"));
  EXPECT_EQ(cache.Size(), 1u);
  EXPECT_FALSE(cache.Remove("a.bmp"));
  EXPECT_NE(cache.Get("a.bmp"), plain) << "read again after removal";
}

TEST_F(RenderImageCache, AbsolutePathsComeFromDiskAndMissingFilesAreNotRemembered) {
  bool readerAsked = false;
  ImageCache cache([&readerAsked](const std::string&) -> std::optional<std::string> {
    readerAsked = true;
    return std::nullopt;
  });
  const std::string path = PathOf("clip.jpg");
  EXPECT_EQ(cache.Get(path), nullptr);
  // The picture arrives later (a download finished): the next paint finds it.
  ASSERT_TRUE(os::WriteWholeFile(path, std::string(rendertest::TwoColourJpeg())));
  auto image = cache.Get(path);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 16);
  EXPECT_FALSE(readerAsked) << "absolute paths never go to the resource reader";

  // A GBK file name (a plate text in the name) is found through platform/os.
  const std::string chinese = (m_folder / rendertest::Gbk(u8"京A12345_clip.jpg")).string();
  ASSERT_TRUE(os::WriteWholeFile(chinese, std::string(rendertest::TwoColourJpeg())));
  EXPECT_NE(cache.Get(chinese), nullptr);
}

TEST_F(RenderImageCache, AddedPicturesReplaceEntries) {
  ImageCache cache;
  EXPECT_EQ(cache.Get("made"), nullptr) << "no reader: relative names find nothing";
  auto made = Image::Create(3, 3);
  cache.Add("made", made);
  EXPECT_EQ(cache.Get("made"), made);
  auto other = Image::Create(1, 1);
  cache.Add("made", other);
  EXPECT_EQ(cache.Get("made"), other);
  cache.Clear();
  EXPECT_EQ(cache.Size(), 0u);
}

// What the start-up decoded ahead is taken once, and only for the bytes it decoded: a resource
// that changed since (another archive) is decoded afresh.
TEST_F(RenderImageCache, TakesOverWarmedPicturesOfTheSameBytesOnce) {
  const std::string greenAndMagenta = [] {
    BmpSpec spec{.width = 2, .height = 1, .bitCount = 24};
    spec.pixel = [](int x, int) { return x == 0 ? 0x00FF00u : 0xFF00FFu; };
    return MakeBmp(spec);
  }();
  StartImageWarmUp({{"a.bmp", MagentaAndGreen()},
                    {"masked.bmp", MagentaAndGreen()},
                    {"changed.bmp", MagentaAndGreen()},
                    {"broken.bmp", "BM not a picture"}});
  std::map<std::string, int> reads;
  ImageCache cache([&](const std::string& name) -> std::optional<std::string> {
    ++reads[name];
    return name == "changed.bmp" ? greenAndMagenta : MagentaAndGreen();
  });

  auto plain = cache.Get("a.bmp");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->ColorAt(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(plain->ColorAt(1, 0), 0xFF00FF00u);
  auto masked = cache.Get("masked.bmp", 0xFFFF00FF);
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(masked->ColorAt(0, 0), 0u) << "the mask applies to a warmed picture too";
  auto changed = cache.Get("changed.bmp");
  ASSERT_NE(changed, nullptr);
  EXPECT_EQ(changed->ColorAt(0, 0), 0xFF00FF00u) << "the bytes read now, not those decoded ahead";
  EXPECT_NE(cache.Get("other.bmp"), nullptr) << "not warmed: decoded as ever";
  EXPECT_NE(cache.Get("broken.bmp"), nullptr) << "what the warm-up could not decode is decoded from the bytes read now";
  EXPECT_EQ(reads["a.bmp"], 1) << "the cache still reads the bytes it compares";

  // Handed out once: a masked variant of a taken picture, and another cache, decode their own.
  EXPECT_EQ(TakeWarmImage("a.bmp", MagentaAndGreen()), nullptr);
  auto second = cache.Get("a.bmp", 0xFF00FF00);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->ColorAt(1, 0), 0u);
  EXPECT_EQ(plain->ColorAt(1, 0), 0xFF00FF00u) << "the picture taken over is not masked by a later variant";
}

}  // namespace
}  // namespace ui
