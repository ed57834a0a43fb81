// Progress bars and sliders: values from code send nothing; a drag sends "slidermousemove" while
// it moves and "valuechanged" at the release; hovering sends "slider_nocap_mousemove" with the
// value under the pointer.

#include "platform/ui/controls/UISlider.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

// 210 pixels wide with a 10 pixel thumb: 200 pixels of travel for the values 0..20.
const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout inset="10,10,10,10">
    <Slider name="slider" height="20" width="210" min="0" max="20" value="4" thumbsize="10,16"/>
    <Progress name="progress" height="20" width="200" min="0" max="100" forecolor="#FF00AA00"/>
    <Control/>
  </VerticalLayout>
</Window>)";

class SliderTest : public ControlsTest {
 protected:
  void SetUp() override { Open(kLayout); }
  CSliderUI* Slider() { return Find<CSliderUI>("slider"); }
  int Value() { return driver.Get<int>([&] { return Slider()->GetValue(); }); }
  // The client point over value `value`.
  POINT PointOf(int value) {
    return driver.Get<POINT>([&] {
      UpdateWindow(hwnd);
      const RECT rc = Slider()->GetPos();
      return POINT{rc.left + 5 + value * 10, (rc.top + rc.bottom) / 2};
    });
  }
  std::vector<Notification> FromSlider() {
    std::vector<Notification> found;
    for (const Notification& n : Notes()) {
      if (n.sender == "slider") found.push_back(n);
    }
    return found;
  }
  // What the presses and drags sent (hover and focus left out).
  std::vector<std::string> DragTypes() {
    std::vector<std::string> types;
    for (const Notification& n : FromSlider()) {
      if (n.type == "slidermousemove" || n.type == "valuechanged") types.push_back(n.type);
    }
    return types;
  }
};

TEST_F(SliderTest, ValuesFromCodeAreKeptInRangeAndSendNothing) {
  driver.Run([&] {
    for (const auto& [set, expected] : std::vector<std::pair<int, int>>{{7, 7}, {-3, 0}, {25, 20}}) {
      Slider()->SetValue(set);
      EXPECT_EQ(Slider()->GetValue(), expected) << set;
    }
    Slider()->SetMaxValue(10);
    EXPECT_EQ(Slider()->GetValue(), 10);
  });
  EXPECT_TRUE(FromSlider().empty());
}

TEST_F(SliderTest, DraggingTheThumbSendsMovesThenOneValueChanged) {
  DragThrough({PointOf(4), PointOf(6), PointOf(6), PointOf(9)});
  // One move notification per change of value; the repeated point changes nothing.
  EXPECT_EQ(DragTypes(), (std::vector<std::string>{"slidermousemove", "slidermousemove", "valuechanged"}));
  EXPECT_EQ(Value(), 9);
}

TEST_F(SliderTest, APressOnTheTrackMovesTheThumbThereAndAClickWithoutChangeSendsNoValueChanged) {
  ClickAt(PointOf(15));
  EXPECT_EQ(Value(), 15);
  EXPECT_EQ(DragTypes(), (std::vector<std::string>{"slidermousemove", "valuechanged"}));
  ClearNotes();
  ClickAt(PointOf(15));
  EXPECT_TRUE(DragTypes().empty());
}

TEST_F(SliderTest, HoveringTellsTheValueUnderThePointer) {
  MoveMouse(PointOf(12));
  MoveMouse(PointOf(3));
  const auto notes = FromSlider();
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].type, "slider_nocap_mousemove");
  EXPECT_EQ(notes[0].wParam, 12u);
  EXPECT_EQ(notes[1].wParam, 3u);
  EXPECT_EQ(Value(), 4);
}

TEST_F(SliderTest, ADisabledSliderIgnoresTheMouse) {
  driver.Run([&] { Slider()->SetEnabled(false); });
  DragThrough({PointOf(4), PointOf(10)});
  MoveMouse(PointOf(2));
  EXPECT_EQ(Value(), 4);
  EXPECT_TRUE(FromSlider().empty());
}

TEST_F(SliderTest, ProgressFillsItsShareOfTheBar) {
  driver.Run([&] {
    auto* progress = Find<CProgressUI>("progress");
    progress->SetValue(25);
    const RECT rc = progress->GetPos();
    const Canvas* picture = HostWindowPicture(hwnd);
    const int y = static_cast<int>((rc.top + rc.bottom) / 2);
    EXPECT_EQ(picture->ColorAt(static_cast<int>(rc.left + 45), y), 0xFF00AA00u);
    EXPECT_NE(picture->ColorAt(static_cast<int>(rc.left + 55), y), 0xFF00AA00u);
  });
}

TEST_F(SliderTest, ARangeAsWideAsTheIntegersStillPlacesTheThumbAndTheFill) {
  driver.Run([&] {
    auto* progress = Find<CProgressUI>("progress");
    for (CProgressUI* bar : {static_cast<CProgressUI*>(Slider()), progress}) {
      bar->SetMinValue(std::numeric_limits<int>::min());
      bar->SetMaxValue(std::numeric_limits<int>::max());
      bar->SetValue(0);
    }
    const RECT slider = Slider()->GetPos();
    const RECT thumb = Slider()->GetThumbRect();
    EXPECT_NEAR((thumb.left + thumb.right) / 2, (slider.left + slider.right) / 2, 1);
    EXPECT_EQ(Slider()->ValueAt(POINT{slider.right, slider.top}), std::numeric_limits<int>::max());
    EXPECT_EQ(Slider()->ValueAt(POINT{slider.left, slider.top}), std::numeric_limits<int>::min());
    const RECT rc = progress->GetPos();
    const Canvas* picture = HostWindowPicture(hwnd);
    const int y = static_cast<int>((rc.top + rc.bottom) / 2);
    EXPECT_EQ(picture->ColorAt(static_cast<int>(rc.left + 95), y), 0xFF00AA00u);
    EXPECT_NE(picture->ColorAt(static_cast<int>(rc.left + 105), y), 0xFF00AA00u);
  });
}

}  // namespace
}  // namespace ui::testing
