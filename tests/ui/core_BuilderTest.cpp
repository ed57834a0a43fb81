// Layouts from the skin archive: the builder, the callback chain, window settings and styles.

#include "platform/ui/core/UIBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIResource.h"
#include "platform/ui/core/UIStyle.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {
namespace {

class BuilderTest : public ::testing::Test {
 protected:
  void TearDown() override { CStyleManagerUI::FreeInstance(); }
  TestSkin skin;
  ProbeFactory factory;
};

TEST_F(BuilderTest, BuildsTheTreeWithAttributesInGbkAndAsksTheCallbackForUnknownClasses) {
  skin.Add("row.xml", Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<HorizontalLayout name="row" height="24" childpadding="3">
  <Control name="label" text="车牌号码" tooltip="提示" userdata="7"/>
  <Probe name="custom" width="30"/>
  <Mystery name="unknown"/>
  <VerticalLayout name="inner"><Control name="deep"/></VerticalLayout>
</HorizontalLayout>)"));
  ASSERT_TRUE(skin.Install());
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("row.xml", nullptr, &factory));
  ASSERT_NE(root, nullptr);
  auto* row = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->GetName(), "row");
  EXPECT_EQ(row->GetFixedHeight(), 24);
  EXPECT_EQ(row->GetChildPadding(), 3);
  ASSERT_EQ(row->GetCount(), 3);  // the class nobody knows is left out
  EXPECT_EQ(row->GetItemAt(0)->GetText(), "车牌号码");  // a GBK literal in this file
  EXPECT_EQ(row->GetItemAt(0)->GetToolTip(), "提示");
  EXPECT_EQ(row->GetItemAt(0)->GetUserData(), "7");
  EXPECT_STREQ(row->GetItemAt(1)->GetClass(), "ProbeUI");
  EXPECT_EQ(row->GetItemAt(1)->GetFixedWidth(), 30);
  EXPECT_EQ(row->GetItemAt(2)->GetParent(), row);
  // The framework's own classes never reach the callback.
  EXPECT_EQ(factory.asked, (std::vector<std::string>{"Probe", "Mystery"}));
  EXPECT_NE(builder.GetLastErrorMessage().find("Mystery"), std::string::npos);
}

TEST_F(BuilderTest, WindowSettingsFontsAndDefaultsGoToThePaintManager) {
  skin.Add("window.xml", Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="640,480" caption="0,0,0,30" roundcorner="4,4" defaultfontcolor="#FF112233">
  <Font id="0" name="宋体" size="12"/>
  <Font id="3" name="黑体" size="20" bold="true"/>
  <Default name="Control" value="bkcolor=&quot;#FF00FF00&quot; height=&quot;17&quot;"/>
  <VerticalLayout name="root"><Control name="c" height="25"/><Control name="d"/></VerticalLayout>
</Window>)"));
  ASSERT_TRUE(skin.Install());
  CPaintManagerUI manager;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("window.xml", nullptr, nullptr, &manager));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(manager.GetInitSize().cx, 640);
  EXPECT_EQ(manager.GetInitSize().cy, 480);
  EXPECT_EQ(manager.GetCaptionRect().bottom, 30);
  EXPECT_EQ(manager.GetRoundCorner().cx, 4);
  EXPECT_EQ(manager.GetDefaultFontColor(), 0xFF112233u);
  EXPECT_EQ(manager.GetFontInfo(3)->iSize, 20);
  EXPECT_TRUE(manager.GetFontInfo(3)->bBold);
  EXPECT_GT(manager.GetFontHeight(3), manager.GetFontHeight(0));
  EXPECT_EQ(manager.GetFont(42), manager.GetFont(-1));  // unknown index: the default font
  auto* layout = static_cast<CContainerUI*>(root->GetInterface("Container"));
  // Defaults first, then the element's own attributes.
  EXPECT_EQ(layout->GetItemAt(0)->GetFixedHeight(), 25);
  EXPECT_EQ(layout->GetItemAt(1)->GetFixedHeight(), 17);
  EXPECT_EQ(layout->GetItemAt(1)->GetBkColor(), 0xFF00FF00u);
  // Built trees are attached by their user; until then no control knows the manager.
  EXPECT_EQ(layout->GetItemAt(0)->GetManager(), nullptr);
}

TEST_F(BuilderTest, ImagesAreCachedByPathUntilRemoved) {
  CPaintManagerUI manager;
  manager.AddImage("made.png", Image::Create(4, 3));
  auto image = manager.GetImage("made.png");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Width(), 4);
  EXPECT_EQ(manager.GetImage("made.png"), image);  // one decoded picture per path
  EXPECT_TRUE(manager.RemoveImage("made.png"));
  EXPECT_FALSE(manager.RemoveImage("made.png"));
  EXPECT_EQ(manager.GetImage("made.png"), nullptr);
}

TEST_F(BuilderTest, IncludeBuildsAnotherLayoutInPlace) {
  skin.Add("part.xml", R"(<Control name="included"/>)")
      .Add("whole.xml", R"(<VerticalLayout><Control name="before"/><Include source="part.xml" count="2"/></VerticalLayout>)");
  ASSERT_TRUE(skin.Install());
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("whole.xml"));
  ASSERT_NE(root, nullptr);
  auto* layout = static_cast<CContainerUI*>(root->GetInterface("Container"));
  ASSERT_EQ(layout->GetCount(), 3);
  EXPECT_EQ(layout->GetItemAt(2)->GetName(), "included");
}

// Counts the controls alive, so a test can see that nothing built is left without an owner.
class CountedControl : public CControlUI {
 public:
  CountedControl() { ++alive; }
  ~CountedControl() override { --alive; }
  static inline int alive = 0;
};

class CountedFactory : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(const char* className, CPaintManagerUI*) override {
    return std::strcmp(className, "Counted") == 0 ? new CountedControl : nullptr;
  }
};

TEST_F(BuilderTest, WithoutAParentOnlyTheFirstTopLevelControlIsKept) {
  skin.Add("part.xml", R"(<Counted name="a"/><Counted name="b"/>)");
  ASSERT_TRUE(skin.Install());
  CountedFactory counted;
  for (const char* xml : {R"(<Counted name="a"/><Counted name="b"/><Counted name="c"/>)",
                          R"(<Window><Include source="part.xml" count="3"/></Window>)"}) {
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(xml, nullptr, &counted));
    ASSERT_NE(root, nullptr) << xml;
    EXPECT_EQ(root->GetName(), "a") << xml;
    EXPECT_EQ(CountedControl::alive, 1) << xml;
  }
  EXPECT_EQ(CountedControl::alive, 0);
}

TEST_F(BuilderTest, IncludesThatMultiplyWithoutEndAreCut) {
  // Each level includes itself ten times: ten to the eighth controls if nothing stopped it.
  skin.Add("self.xml", R"(<VerticalLayout><Include source="self.xml" count="10"/></VerticalLayout>)")
      .Add("many.xml", R"(<VerticalLayout><Include source="cell.xml" count="2000000000"/></VerticalLayout>)")
      .Add("cell.xml", R"(<Control/>)");
  ASSERT_TRUE(skin.Install());
  auto countAll = [](CControlUI*, void* count) -> CControlUI* {
    ++*static_cast<int*>(count);
    return nullptr;
  };
  for (const char* name : {"self.xml", "many.xml"}) {
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(name));
    ASSERT_NE(root, nullptr) << name;  // what fits within the limit is built
    int built = 0;
    root->FindControl(countAll, &built, UIFIND_ALL);
    EXPECT_GT(built, 1000) << name;
    EXPECT_LE(built, 100000) << name;
    EXPECT_FALSE(builder.GetLastErrorMessage().empty()) << name;
  }
}

TEST_F(BuilderTest, LayoutsThatCannotBeBuiltGiveNothingAndSayWhy) {
  skin.Add("broken.xml", "<VerticalLayout><Control></VerticalLayout>").Add("nobody.xml", "<Mystery/>");
  ASSERT_TRUE(skin.Install());
  for (const char* name : {"missing.xml", "broken.xml", "nobody.xml"}) {
    CDialogBuilder builder;
    EXPECT_EQ(builder.Create(name, nullptr, &factory), nullptr) << name;
    EXPECT_FALSE(builder.GetLastErrorMessage().empty()) << name;
  }
}

TEST_F(BuilderTest, TooDeepALayoutIsRefused) {
  auto nested = [](int levels) {
    std::string xml;
    for (int i = 0; i < levels; ++i) xml += "<VerticalLayout>";
    for (int i = 0; i < levels; ++i) xml += "</VerticalLayout>";
    return xml;
  };
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> fine(builder.Create(nested(100).c_str()));
  EXPECT_NE(fine, nullptr);
  EXPECT_TRUE(builder.GetLastErrorMessage().empty());
  std::unique_ptr<CControlUI> deep(builder.Create(nested(100000).c_str()));
  ASSERT_NE(deep, nullptr);  // the part within the limit is built
  EXPECT_FALSE(builder.GetLastErrorMessage().empty());
}

TEST_F(BuilderTest, AFontWithoutIdAfterTheLargestIdKeepsThatId) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create(
      R"(<Window><Font id="2147483647" size="12"/><Font size="30"/><Control/></Window>)", nullptr, nullptr,
      &manager));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(manager.GetFontInfo(2147483647)->iSize, 30);
}

TEST_F(BuilderTest, OutsizedNumbersAreKeptToSizesThatAddUpSafely) {
  CPaintManagerUI manager;
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create(
      R"(<VerticalLayout inset="9223372036854775807,-9223372036854775807,99999999999,1" childpadding="99999999999">
           <Control name="a" width="99999999999" height="99999999999" padding="9223372036854775807,0,0,0"/>
           <Control name="b" float="true" pos="-9223372036854775807,0,9223372036854775807,10"/>
         </VerticalLayout>)",
      nullptr, nullptr, &manager));
  ASSERT_NE(root, nullptr);
  auto* layout = static_cast<CContainerUI*>(root->GetInterface("Container"));
  EXPECT_EQ(layout->GetItemAt(0)->GetFixedWidth(), 1 << 24);
  EXPECT_EQ(layout->GetItemAt(0)->GetFixedHeight(), 1 << 24);
  root->SetPos(RECT{0, 0, 640, 480});  // undefined behaviour here would stop the sanitizer runs
}

TEST_F(BuilderTest, InlineXmlTextBuildsToo) {
  CDialogBuilder builder;
  std::unique_ptr<CControlUI> root(builder.Create("<Control name=\"x\" width=\"5\"/>"));
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetFixedWidth(), 5);
}

TEST_F(BuilderTest, ResourcesComeFromTheArchiveOrElseTheResourceFolder) {
  EXPECT_FALSE(CResourceManagerUI::SetResourceZipPtr("not a zip archive", 17));
  EXPECT_FALSE(CResourceManagerUI::HasResourceZip());
  CResourceManagerUI::SetResourcePath(LPR_UI_TEST_FIXTURES);
  EXPECT_TRUE(CResourceManagerUI::LoadResource("SampleWindow.xml").has_value());
  skin.Add("only-in-zip.xml", "<Control/>");
  ASSERT_TRUE(skin.Install());
  EXPECT_TRUE(CResourceManagerUI::LoadResource("only-in-zip.xml").has_value());
  EXPECT_TRUE(CResourceManagerUI::LoadResource("ONLY-IN-ZIP.xml").has_value());
  EXPECT_FALSE(CResourceManagerUI::LoadResource("SampleWindow.xml").has_value());
  EXPECT_EQ(CResourceManagerUI::GetInstancePath().back(), '/');
}

struct ColorCase {
  const char* text;
  DWORD expected;
};

class StyleColorTest : public ::testing::TestWithParam<ColorCase> {
 protected:
  static void SetUpTestSuite() {}
  void SetUp() override {
    skin.Add("style.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<Styles>
  <Style name="light blue"><Color name="l_bk" value="#FFD6E9F8"/><Color name="ca_all_text" value="0xFF333333"/></Style>
  <Style name="dark"><Color name="l_bk" value="#FF000000"/></Style>
</Styles>)");
    ASSERT_TRUE(skin.Install());
    CStyleManagerUI::InitInstance();
    ASSERT_TRUE(CStyleManagerUI::Instance()->LoadStyles("style.xml"));
    ASSERT_TRUE(CStyleManagerUI::Instance()->ApplyStyle("light blue"));
  }
  void TearDown() override { CStyleManagerUI::FreeInstance(); }
  TestSkin skin;
};

TEST_P(StyleColorTest, ResolvesColourTexts) {
  EXPECT_EQ(CStyleManagerUI::Instance()->GetColor(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, StyleColorTest,
                         ::testing::Values(ColorCase{"#FF102030", 0xFF102030}, ColorCase{"0x80FFFFFF", 0x80FFFFFF},
                                           ColorCase{"#102030", 0xFF102030}, ColorCase{"l_bk", 0xFFD6E9F8},
                                           ColorCase{"ca_all_text", 0xFF333333}, ColorCase{"unknown", 0},
                                           ColorCase{"", 0}, ColorCase{"#GG000000", 0}));

TEST(StyleManagerTest, ApplyingAnUnknownStyleKeepsTheCurrentOne) {
  TestSkin skin{{"style.xml", R"(<Styles><Style name="a"><Color name="c" value="#FF010203"/></Style></Styles>)"}};
  ASSERT_TRUE(skin.Install());
  CStyleManagerUI* styles = CStyleManagerUI::Instance();
  ASSERT_TRUE(styles->LoadStyles("style.xml"));
  EXPECT_FALSE(styles->LoadStyles("missing.xml"));
  EXPECT_TRUE(styles->ApplyStyle("a"));
  EXPECT_FALSE(styles->ApplyStyle("b"));
  EXPECT_EQ(styles->CurrentStyle(), "a");
  EXPECT_EQ(styles->GetColor("c"), 0xFF010203u);
  CStyleManagerUI::FreeInstance();
  EXPECT_EQ(CStyleManagerUI::Instance()->GetColor("c"), 0u);  // a fresh instance knows no styles
  CStyleManagerUI::FreeInstance();
}

}  // namespace
}  // namespace ui::testing
