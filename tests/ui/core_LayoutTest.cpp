// Layout of containers: fixed and shared extents, paddings, insets, floating children, tabs.

#include "platform/ui/core/UIContainer.h"

#include <gtest/gtest.h>

#include <memory>

namespace ui {
namespace {

struct Child {
  int fixed = 0;  // extent along the axis, 0 shares
  RECT padding{};
  int minimum = 0;
  int maximum = 9999;
  bool visible = true;
  bool floating = false;
};

struct LayoutCase {
  const char* name;
  bool vertical;
  RECT inset;
  int childPadding;
  std::vector<Child> children;
  std::vector<RECT> expected;  // in the order of the children (hidden ones: empty)
};

// A 200 x 100 container at (10, 20).
std::vector<RECT> LayOut(const LayoutCase& c) {
  std::unique_ptr<CContainerUI> container;
  if (c.vertical) {
    container = std::make_unique<CVerticalLayoutUI>();
  } else {
    container = std::make_unique<CHorizontalLayoutUI>();
  }
  container->SetInset(c.inset);
  container->SetChildPadding(c.childPadding);
  std::vector<CControlUI*> controls;
  for (const Child& child : c.children) {
    auto* control = new CControlUI;
    if (c.vertical) {
      control->SetFixedHeight(child.fixed);
      control->SetMinHeight(child.minimum);
      control->SetMaxHeight(child.maximum);
    } else {
      control->SetFixedWidth(child.fixed);
      control->SetMinWidth(child.minimum);
      control->SetMaxWidth(child.maximum);
    }
    control->SetPadding(child.padding);
    control->SetVisible(child.visible);
    if (child.floating) {
      control->SetFloat(true);
      control->SetAttribute("pos", "5,6,25,16");
    }
    container->Add(control);
    controls.push_back(control);
  }
  container->SetPos(RECT{10, 20, 210, 120});
  std::vector<RECT> rects;
  for (CControlUI* control : controls) rects.push_back(control->IsVisible() ? control->GetPos() : RECT{});
  return rects;
}

class LinearLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LinearLayoutTest, PlacesChildren) {
  const LayoutCase& c = GetParam();
  const auto rects = LayOut(c);
  ASSERT_EQ(rects.size(), c.expected.size());
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const RECT& got = rects[i];
    const RECT& want = c.expected[i];
    EXPECT_TRUE(got.left == want.left && got.top == want.top && got.right == want.right && got.bottom == want.bottom)
        << "child " << i << ": got " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinearLayoutTest,
    ::testing::Values(
        LayoutCase{"FixedThenShared", true, {}, 0, {{30}, {0}}, {{10, 20, 210, 50}, {10, 50, 210, 120}}},
        LayoutCase{"SharedEquallyLastTakesRest", true, {}, 0, {{0}, {0}, {0}}, {{10, 20, 210, 53}, {10, 53, 210, 86}, {10, 86, 210, 120}}},
        LayoutCase{"ChildPaddingBetween", true, {}, 10, {{20}, {20}, {0}},
                   {{10, 20, 210, 40}, {10, 50, 210, 70}, {10, 80, 210, 120}}},
        LayoutCase{"InsetShrinksTheClientArea", true, {5, 6, 7, 8}, 0, {{0}}, {{15, 26, 203, 112}}},
        LayoutCase{"PaddingAroundAChild", true, {}, 0, {{.fixed = 20, .padding = {4, 3, 2, 1}}, {0}}, {{14, 23, 208, 43}, {10, 44, 210, 120}}},
        LayoutCase{"HiddenChildTakesNoSpace", true, {}, 0, {{30}, {.fixed = 30, .visible = false}, {0}}, {{10, 20, 210, 50}, {}, {10, 50, 210, 120}}},
        LayoutCase{"MinimumAndMaximumHold", true, {}, 0, {{.maximum = 20}, {.minimum = 60}}, {{10, 20, 210, 40}, {10, 40, 210, 120}}},
        LayoutCase{"FloatingChildAtItsOffset", true, {}, 0, {{0}, {.floating = true}}, {{10, 20, 210, 120}, {15, 26, 35, 36}}},
        LayoutCase{"HorizontalFixedAndShared", false, {}, 0, {{50}, {0}, {30}}, {{10, 20, 60, 120}, {60, 20, 180, 120}, {180, 20, 210, 120}}},
        LayoutCase{"HorizontalWithPaddingAndInset", false, {2, 2, 2, 2}, 4, {{40}, {0}}, {{12, 22, 52, 118}, {56, 22, 208, 118}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(ContainerLayoutTest, FixedSizeChildOfAPlainContainerKeepsItsSizeAtTheTopLeft) {
  CContainerUI container;
  auto* child = new CControlUI;
  child->SetFixedWidth(30);
  child->SetFixedHeight(10);
  container.Add(child);
  container.SetPos(RECT{0, 0, 100, 100});
  EXPECT_EQ(child->GetPos().right, 30);
  EXPECT_EQ(child->GetPos().bottom, 10);
}

TEST(ContainerLayoutTest, TooTallContentScrollsWhenEnabled) {
  CVerticalLayoutUI layout;
  layout.EnableScrollBar(true, false);
  for (int i = 0; i < 4; ++i) {
    auto* row = new CControlUI;
    row->SetFixedHeight(40);
    layout.Add(row);
  }
  layout.SetPos(RECT{0, 0, 100, 100});
  EXPECT_EQ(layout.GetScrollRange().cy, 60);
  EXPECT_LT(layout.GetItemAt(0)->GetPos().right, 100);  // the bar takes its width
  layout.SetScrollPos(SIZE{0, 1000});
  EXPECT_EQ(layout.GetScrollPos().cy, 60);
  EXPECT_EQ(layout.GetItemAt(3)->GetPos().bottom, 100);
}

TEST(TabLayoutTest, ShowsOneChildAndSelectionOutOfRangeChangesNothing) {
  CTabLayoutUI tabs;
  for (int i = 0; i < 3; ++i) tabs.Add(new CControlUI);
  tabs.SetPos(RECT{0, 0, 50, 50});
  EXPECT_EQ(tabs.GetCurSel(), 0);
  EXPECT_TRUE(tabs.GetItemAt(0)->IsVisible());
  EXPECT_FALSE(tabs.GetItemAt(1)->IsVisible());
  EXPECT_TRUE(tabs.SelectItem(2));
  EXPECT_FALSE(tabs.GetItemAt(0)->IsVisible());
  EXPECT_TRUE(tabs.GetItemAt(2)->IsVisible());
  for (int bad : {-1, 3}) {
    EXPECT_FALSE(tabs.SelectItem(bad));
    EXPECT_EQ(tabs.GetCurSel(), 2);
  }
  tabs.RemoveAt(2);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  EXPECT_TRUE(tabs.GetItemAt(1)->IsVisible());
}

TEST(ContainerTest, HiddenContainerHidesItsChildrenThroughInnerVisibility) {
  CVerticalLayoutUI outer;
  auto* inner = new CHorizontalLayoutUI;
  auto* leaf = new CControlUI;
  inner->Add(leaf);
  outer.Add(inner);
  outer.SetVisible(false);
  EXPECT_FALSE(leaf->IsVisible());
  outer.SetVisible(true);
  EXPECT_TRUE(leaf->IsVisible());
  leaf->SetVisible(false);
  inner->SetVisible(false);
  inner->SetVisible(true);
  EXPECT_FALSE(leaf->IsVisible());  // its own choice stays
}

TEST(ContainerTest, RemoveWithoutDestroyHandsTheControlBack) {
  CVerticalLayoutUI layout;
  auto* kept = new CControlUI;
  layout.Add(kept);
  EXPECT_TRUE(layout.Remove(kept, true));
  EXPECT_EQ(layout.GetCount(), 0);
  EXPECT_FALSE(layout.Remove(kept));
  delete kept;
}

}  // namespace
}  // namespace ui
