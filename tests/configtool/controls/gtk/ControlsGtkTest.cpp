// The tool's controls in real GTK windows on a private X server, with real mouse and keys (XTest):
// typing into a masked edit, keys that reach the calendar and time-period pop-ups (which the
// display never gives the keyboard focus), and pictures of both pop-ups as the display shows them.

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/SkinPackage.h"
#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "configtool/controls/TimePeriodPickerUI.h"
#include "configtool/controls/TimePeriodUI.h"
#include "platform/os/File.h"
#include "platform/ui/UIlib.h"
#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/Image.h"
#include "platform/ui/render/RenderEngine.h"
#include "tests/ui/CoreTestSupport.h"
#include "tests/ui/TestSkin.h"
#include "tests/ui/gtkTestSupport.h"

namespace configtool::test {
namespace {

using namespace std::chrono_literals;
using ui::gtktest::PumpUntil;

const std::string kLayout = ui::testing::Utf8(u8R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="640,140" defaultfontcolor="#FF2B3A4A">
  <Font id="0" name="微软雅黑" size="13" default="true"/>
  <VerticalLayout inset="12,12,12,12" childpadding="10" bkcolor="#FFEFF4FA">
    <HorizontalLayout height="28"><Calendar name="cal" width="240"/><Control/></HorizontalLayout>
    <HorizontalLayout height="28"><TimePeriod name="tp" width="520" textpadding="7,0,7,0" nativebkcolor="#FFFFFFFF"
        normalimage="file='edit_normal.png' corner='4,4,4,4'" focusedimage="file='edit_focus.png' corner='4,4,4,4'"/>
      <Control/></HorizontalLayout>
  </VerticalLayout>
</Window>)");

constexpr POINT kPlace{80, 80};

// Where the screenshots go (PNG files named in the report).
std::string ShotPath(const char* name) { return std::string(LPR_CONTROLS_SHOT_DIR) + "/" + name; }

// What the display shows in a screen rectangle, saved as PNG.
bool SaveScreen(const RECT& screen, const std::string& path) {
  const std::vector<DWORD> pixels = ui::gtktest::ScreenPixels(screen);
  const int width = static_cast<int>(RectWidth(screen));
  const int height = static_cast<int>(RectHeight(screen));
  auto image = ui::Image::Create(width, height);
  if (image == nullptr || pixels.size() != static_cast<std::size_t>(width) * height) return false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image->SetColorAt(x, y, pixels[static_cast<std::size_t>(y) * width + x]);
  }
  ui::Canvas canvas(width, height);
  ui::DrawContext dc(canvas);
  const RECT all{0, 0, width, height};
  ui::CRenderEngine::DrawImage(&dc, *image, all, all, all, RECT{});
  return canvas.SavePng(path);
}

RECT Union(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

class ControlsGtkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::gtktest::XvfbEnvironment::Ready());
    std::uint32_t size = 0;
    m_skin.reset(LoadSkinPackage(LPR_TEST_SKIN_PACKAGE, size));
    ASSERT_NE(m_skin, nullptr);
    ui::CResourceManagerUI::SetResourceZipPtr(m_skin.get(), size);
    ui::CStyleManagerUI::InitInstance();
    ui::CStyleManagerUI::Instance()->LoadStyles("style.xml");
    ui::CStyleManagerUI::Instance()->ApplyStyle("light blue");
    ASSERT_TRUE(os::CreateDirectories(LPR_CONTROLS_SHOT_DIR));
    m_window = new ui::testing::RecordingWindow;
    ASSERT_NE(m_window->CreateWnd(kLayout.c_str(), nullptr, "controls", &m_factory), nullptr);
    m_hwnd = m_window->GetHWND();
    const SIZE initial = m_window->GetPaintManager()->GetInitSize();
    ui::MoveWindow(m_hwnd, kPlace.x, kPlace.y, static_cast<int>(initial.cx), static_cast<int>(initial.cy));
    m_window->ShowWindow(true, true);
    ASSERT_TRUE(ui::gtktest::PumpUntilShown(m_hwnd));
  }
  void TearDown() override {
    if (ui::IsWindow(m_hwnd)) ui::DestroyWindow(m_hwnd);
    ui::gtktest::PumpFor(100ms);
    ui::CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
    ui::CStyleManagerUI::FreeInstance();
  }

  ui::CPaintManagerUI& Pm() { return *m_window->GetPaintManager(); }
  template <typename T>
  T* Control(const char* name, ui::CControlUI* parent = nullptr) {
    return dynamic_cast<T*>(Pm().FindSubControlByName(parent, name));
  }
  static POINT Screen(HWND hwnd, POINT client) {
    ui::ClientToScreen(hwnd, &client);
    return client;
  }
  static POINT Centre(HWND hwnd, const RECT& rc) { return Screen(hwnd, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}); }
  static void Click(POINT screen, int button = 1) { ui::gtktest::Click(static_cast<int>(screen.x), static_cast<int>(screen.y), button); }
  static void DoubleClick(POINT screen) {
    Click(screen);
    Click(screen);
  }
  static void Drag(HWND hwnd, POINT from, POINT to) {
    const POINT a = Screen(hwnd, from);
    const POINT b = Screen(hwnd, to);
    ui::gtktest::MovePointer(static_cast<int>(a.x), static_cast<int>(a.y));
    ui::gtktest::PumpFor(30ms);
    ui::gtktest::PressButton(1, true);
    ui::gtktest::PumpFor(30ms);
    for (int step = 1; step <= 5; ++step) {
      ui::gtktest::MovePointer(static_cast<int>(a.x + (b.x - a.x) * step / 5), static_cast<int>(a.y + (b.y - a.y) * step / 5));
      ui::gtktest::PumpFor(20ms);
    }
    ui::gtktest::PressButton(1, false);
    ui::gtktest::PumpFor(30ms);
  }
  static void Type(std::initializer_list<unsigned int> keys) {
    for (unsigned int key : keys) ui::gtktest::TypeKey(key);
  }
  int Notes(const std::string& type, const std::string& sender) {
    int count = 0;
    for (const auto& n : m_window->notifications) count += n.type == type && n.sender == sender ? 1 : 0;
    return count;
  }
  static RECT WindowRect(HWND hwnd) {
    RECT rc{};
    ui::GetWindowRect(hwnd, &rc);
    return rc;
  }

  ui::testing::RecordingWindow* m_window = nullptr;
  HWND m_hwnd = nullptr;

 private:
  std::unique_ptr<unsigned char[]> m_skin;
  CDialogBuilderCallbackEx m_factory;
};

TEST_F(ControlsGtkTest, KeysReachTheFieldsAndThePopups) {
  auto* calendar = Control<CCalendarUI>("cal");
  ASSERT_NE(calendar, nullptr);
  ASSERT_TRUE(calendar->SetDateTime(2024, 7, 10, 9, 30, 0));
  auto* edit = Control<ui::CControlUI>("EditEX", calendar);
  auto* button = Control<CJqDateTimeUI>("DateTimeUI1", calendar);
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(button, nullptr);
  auto value = [&] { return calendar->GetValue().Format().Str(); };

  // Digits typed into the masked edit's day field; Return, Up and Down go to the window.
  Click(Centre(m_hwnd, edit->GetPos()));
  ASSERT_TRUE(PumpUntil([&] { return ui::IsChild(m_hwnd, ui::GetFocus()); }));
  const HWND editWindow = ui::GetFocus();
  const LRESULT day = ui::SendMessage(editWindow, EM_POSFROMCHAR, 9);
  RECT editClient{};
  ui::GetClientRect(editWindow, &editClient);
  DoubleClick(Screen(editWindow, POINT{GET_X_LPARAM(day) + 1, RectHeight(editClient) / 2}));
  ASSERT_TRUE(PumpUntil([&] { return (ui::SendMessage(editWindow, EM_GETSEL) & 0xFFFF) == 8; }));
  Type({GDK_KEY_1, GDK_KEY_5});
  EXPECT_TRUE(PumpUntil([&] { return value() == "2024-07-15 09:30:00"; })) << value();
  Type({GDK_KEY_Return, GDK_KEY_Up, GDK_KEY_Down});
  EXPECT_TRUE(PumpUntil([&] { return Notes("edit_vk", "EditEX") == 3; }));
  EXPECT_EQ(value(), "2024-07-15 09:30:00");

  // The calendar pop-up: Escape reaches it and closes it without a change.
  Click(Centre(m_hwnd, button->GetPos()));
  ASSERT_TRUE(PumpUntil([&] { return button->GetPopupWindow() != nullptr; }));
  const HWND popup = button->GetPopupWindow();
  ASSERT_TRUE(ui::gtktest::PumpUntilShown(popup));
  EXPECT_TRUE(SaveScreen(Union(WindowRect(m_hwnd), WindowRect(popup)), ShotPath("calendar-popup.png")));
  // The pointer leaving the pop-up takes neither the pop-up nor its keys away.
  const POINT away = Centre(m_hwnd, edit->GetPos());
  ui::gtktest::MovePointer(static_cast<int>(away.x), static_cast<int>(away.y + 60));
  ui::gtktest::PumpFor(200ms);
  ASSERT_NE(button->GetPopupWindow(), nullptr);
  Type({GDK_KEY_Escape});
  EXPECT_TRUE(PumpUntil([&] { return button->GetPopupWindow() == nullptr; }));
  EXPECT_EQ(value(), "2024-07-15 09:30:00");

  // Again: digits typed into the pop-up's time field, then the confirm button.
  Click(Centre(m_hwnd, button->GetPos()));
  ASSERT_TRUE(PumpUntil([&] { return button->GetPopupWindow() != nullptr; }));
  const HWND again = button->GetPopupWindow();
  ASSERT_TRUE(ui::gtktest::PumpUntilShown(again));
  ui::CPaintManagerUI* popupPm = ui::CPaintManagerUI::FromPaintWindow(again);
  Click(Centre(again, popupPm->FindControl("EditEXDate")->GetPos()));
  ASSERT_TRUE(PumpUntil([&] { return ui::IsChild(again, ui::GetFocus()); }));
  const HWND timeWindow = ui::GetFocus();
  ui::SendMessage(timeWindow, EM_SETSEL, 0, 0);
  Type({GDK_KEY_1, GDK_KEY_7, GDK_KEY_4, GDK_KEY_5});
  EXPECT_TRUE(PumpUntil([&] { return ui::GetWindowTextString(timeWindow) == "17:45:00"; }));
  Click(Centre(again, popupPm->FindControl("SetDate")->GetPos()));
  EXPECT_TRUE(PumpUntil([&] { return value() == "2024-07-15 17:45:00"; })) << value();

  // The time-period pop-up: three bars drawn with the mouse, Delete removes the selected one.
  auto* field = Control<CTimePeriodUI>("tp");
  ASSERT_NE(field, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return button->GetPopupWindow() == nullptr; }));
  ASSERT_TRUE(ui::gtktest::PumpUntilShown(m_hwnd));
  Click(Centre(m_hwnd, field->GetPos()));
  ASSERT_TRUE(PumpUntil([&] { return field->GetPopupWindow() != nullptr; }));
  const HWND period = field->GetPopupWindow();
  ASSERT_TRUE(ui::gtktest::PumpUntilShown(period));
  auto* picker = dynamic_cast<CTimePeriodPickerUI*>(ui::CPaintManagerUI::FromPaintWindow(period)->FindControl("period_picker"));
  ASSERT_NE(picker, nullptr);
  const RECT grid = picker->GetPos();
  auto at = [&](int hour, int row) { return POINT{grid.left + 50 + hour * 18, grid.top + 22 + 22 * row + 11}; };
  Drag(period, at(8, 0), at(12, 4));
  Drag(period, at(13, 1), at(18, 2));
  Drag(period, at(19, 5), at(23, 6));
  ASSERT_TRUE(PumpUntil([&] { return picker->GetSegments().entries[2].enable != 0; }));
  ASSERT_TRUE(ui::gtktest::PumpUntilShown(period));
  EXPECT_TRUE(SaveScreen(Union(WindowRect(m_hwnd), WindowRect(period)), ShotPath("timeperiod-picker.png")));
  Type({GDK_KEY_Delete});
  EXPECT_TRUE(PumpUntil([&] { return picker->GetSegments().entries[2].enable == 0; }));
  // Escape reaches this pop-up too, and leaves the field as it was.
  Type({GDK_KEY_Escape});
  EXPECT_TRUE(PumpUntil([&] { return field->GetPopupWindow() == nullptr; }));
  EXPECT_EQ(field->GetText().Str(), "");
}

}  // namespace
}  // namespace configtool::test
