// The texts of a layout by the font that will show them, for the first window's font warm-up.

#include "platform/ui/core/LayoutWarmUp.h"

#include <gtest/gtest.h>

#include "platform/os/Charset.h"

namespace ui {
namespace {

std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }

TEST(LayoutWarmUpTest, TextsGoToTheFontThatShowsThemEachCharacterOnce) {
  const std::string layout = reinterpret_cast<const char*>(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="200,100">
  <Font id="0" name="宋体" size="13" default="true"/>
  <Font id="3" name="黑体" size="16" bold="true"/>
  <Font name="Arial" size="20" italic="true"/>
  <VerticalLayout>
    <Label text="设备设备" />
    <Button text="打开" font="3"/>
    <Label text="开" font="3"/>
    <Label text="Ab" font="4"/>
    <Label text="x" font="9"/>
    <Control/>
  </VerticalLayout>
</Window>)");
  const std::vector<FontText> texts = LayoutTexts(layout);
  ASSERT_EQ(texts.size(), 3u);
  // The default font, then by id; a font the layout lacks is the default one.
  EXPECT_EQ(texts[0].font.family, Gbk(u8"宋体"));
  EXPECT_EQ(texts[0].font.size, 13);
  EXPECT_EQ(texts[0].text, Gbk(u8"设备x"));
  EXPECT_EQ(texts[1].font.family, Gbk(u8"黑体"));
  EXPECT_TRUE(texts[1].font.bold);
  EXPECT_EQ(texts[1].text, Gbk(u8"打开"));
  EXPECT_EQ(texts[2].font.family, "Arial");
  EXPECT_TRUE(texts[2].font.italic);
  EXPECT_EQ(texts[2].text, "Ab");
}

TEST(LayoutWarmUpTest, WhatIsNoLayoutGivesNoTexts) {
  EXPECT_TRUE(LayoutTexts("").empty());
  EXPECT_TRUE(LayoutTexts("<Window><Label text=").empty());
  EXPECT_TRUE(LayoutTexts("<Other><Label text=\"a\"/></Other>").empty());
}

}  // namespace
}  // namespace ui
