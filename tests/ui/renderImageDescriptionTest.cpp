#include <gtest/gtest.h>

#include "platform/ui/render/Color.h"
#include "platform/ui/render/ImageDescription.h"

namespace ui {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RenderColor, ParsesTheWrittenForms) {
  struct Case {
    const char* text;
    std::optional<DWORD> expected;
  };
  const Case cases[] = {
      {"#FF555555", 0xFF555555},  {"#80ff0000", 0x80FF0000}, {"0xFFaaBBcc", 0xFFAABBCC}, {"0X00000000", 0},
      {"#336699", 0xFF336699},    {"0x336699", 0xFF336699},  {"#FFF", std::nullopt},     {"#GG000000", std::nullopt},
      {"FF000000", std::nullopt}, {"", std::nullopt},        {"#", std::nullopt},        {"#FF0000001", std::nullopt},
      {"l_bk", std::nullopt},     {"0x", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseColor(c.text), c.expected) << c.text;
}

TEST(RenderImageDescription, ReadsEveryKey) {
  auto d = ParseImageDescription(
      "file='plate.png' source='28,50,56,100' dest='2,3,30,53' corner='4,5,6,7' mask='#FFFF00FF' fade='128' "
      "font='true' fontcolor='#FFFFFFFF'");
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->file, "plate.png");
  ASSERT_TRUE(d->source.has_value());
  EXPECT_TRUE(SameRect(*d->source, RECT{28, 50, 56, 100}));
  ASSERT_TRUE(d->dest.has_value());
  EXPECT_TRUE(SameRect(*d->dest, RECT{2, 3, 30, 53}));
  EXPECT_TRUE(SameRect(d->corner, RECT{4, 5, 6, 7}));
  EXPECT_EQ(d->mask, 0xFFFF00FFu);
  EXPECT_EQ(d->fade, 128);
  EXPECT_TRUE(d->font);
  EXPECT_EQ(d->fontColor, 0xFFFFFFFFu);
}

TEST(RenderImageDescription, TellsPlainNamesFromKeyedForms) {
  struct Case {
    const char* text;
    const char* file;  // nullptr: no description
  };
  const Case cases[] = {
      {"bk.png", "bk.png"},
      {"/work/PlateImgs/2024-05-01/10.0.0.8/1/101010000_A12345_clip.jpg",
       "/work/PlateImgs/2024-05-01/10.0.0.8/1/101010000_A12345_clip.jpg"},
      {"file=\"double.png\" fade=\"10\"", "double.png"},
      {"  file = 'spaced.png'  ", "spaced.png"},
      {"fade='100'", nullptr},
      {"", nullptr},
      {"file=''", nullptr},
      {"file='unterminated.png", nullptr},
  };
  for (const Case& c : cases) {
    auto d = ParseImageDescription(c.text);
    if (c.file == nullptr) {
      EXPECT_FALSE(d.has_value()) << c.text;
    } else {
      ASSERT_TRUE(d.has_value()) << c.text;
      EXPECT_EQ(d->file, c.file) << c.text;
    }
  }
}

TEST(RenderImageDescription, DefaultsAndOddValues) {
  auto d = ParseImageDescription("file='a.png' shape='round' fade='900' source='1,2' font='TRUE' fontcolor='white'");
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(d->fade, 255) << "fade is held to 0..255";
  ASSERT_TRUE(d->source.has_value());
  EXPECT_TRUE(SameRect(*d->source, RECT{1, 2, 0, 0})) << "missing numbers are 0";
  EXPECT_FALSE(d->dest.has_value());
  EXPECT_FALSE(d->font) << "only the exact word true recolours";
  EXPECT_EQ(d->fontColor, 0xFF000000u) << "an unreadable colour keeps the default";
  EXPECT_EQ(d->mask, 0u);
  EXPECT_EQ(ParseImageDescription("file='a.png' fade='-5'")->fade, 0);
}

TEST(RenderImageDescription, ModifierOverridesTheBase) {
  auto base = ParseImageDescription("file='check.png' source='0,0,16,16' fade='200'");
  ASSERT_TRUE(base.has_value());
  auto modified = ParseImageDescription("dest='0,4,16,20' fade='50'", *base);
  ASSERT_TRUE(modified.has_value());
  EXPECT_EQ(modified->file, "check.png");
  EXPECT_TRUE(SameRect(*modified->source, RECT{0, 0, 16, 16}));
  EXPECT_TRUE(SameRect(*modified->dest, RECT{0, 4, 16, 20}));
  EXPECT_EQ(modified->fade, 50);
}

}  // namespace
}  // namespace ui
