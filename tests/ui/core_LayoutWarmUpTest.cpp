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

TEST(LayoutWarmUpTest, AFontAfterTheLargestIdTakesThatIdAsTheBuilderDoes) {
  const std::vector<FontText> texts = LayoutTexts(R"(<Window>
  <Font id="2147483647" name="First" size="13"/>
  <Font name="Second" size="16"/>
  <Label text="a" font="2147483647"/>
</Window>)");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.family, "Second");
}

TEST(LayoutWarmUpTest, WhatIsNoLayoutGivesNoTexts) {
  for (const char* xml : {"", "<Window><Label text=", "<Other><Label text=\"a\"/></Other>"}) {
    EXPECT_TRUE(LayoutTexts(xml).empty()) << xml;
    EXPECT_TRUE(LayoutPictureNames(xml).empty()) << xml;
  }
}

TEST(LayoutWarmUpTest, PicturesAreNamedByFileNamesDescriptionsAndDefaults) {
  const std::string layout = reinterpret_cast<const char*>(u8R"(<Window bkimage="frame.PNG">
  <Default name="Button" value="normalimage=&quot;file='btn normal.png' corner='5,5,5,5'&quot; height=&quot;28&quot;"/>
  <VerticalLayout>
    <Button text="logo.png" hotimage="file='hot.jpg' dest='0,0,2,2'" pushedimage='file="pushed.bmp"'/>
    <Label bkimage="/opt/pictures/outside.png" text="a.b.c" name="png"/>
    <Control bkimage="标志.jpeg"/>
    <Control bkimage="file='frame.PNG' corner='1,1,1,1'"/>
  </VerticalLayout>
</Window>)");
  // A text that reads like a file name is asked for too: the reader finds nothing under it.
  const std::vector<std::string> expected = {"frame.PNG", "btn normal.png", "logo.png", "hot.jpg", "pushed.bmp",
                                             Gbk(u8"标志.jpeg")};
  EXPECT_EQ(LayoutPictureNames(layout), expected) << "absolute paths come from disk, not the archive";
}

}  // namespace
}  // namespace ui
