// The sample window opened for real in the gtk host, on the private X server: a scenario thread
// moves the real pointer and presses real keys (XTest), reads the window's state on its own
// thread, and saves what the display shows as PNG files.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "platform/os/Charset.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/Canvas.h"
#include "platform/ui/render/RenderEngine.h"
#include "tests/ui/SampleWindow.h"
#include "tests/ui/gtkTestSupport.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace ui::testing {
namespace {

using namespace std::chrono_literals;

std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }

// Runs work on the window thread for the scenario thread, which waits for the result. The work
// runs inside whatever loop the window thread is in (a modal dialog's included).
class WindowThread : public IWindowProcedure {
 public:
  WindowThread() {
    CreateWindowParams params;
    params.className = "ScenarioInvoker";
    params.rect = RECT{-10, -10, -9, -9};
    params.procedure = this;
    m_hwnd = CreateNativeWindow(params);
  }
  ~WindowThread() { DestroyWindow(m_hwnd); }

  template <typename T>
  T Get(std::function<T()> work) {
    std::promise<T> result;
    std::function<void()> task = [&] { result.set_value(work()); };
    std::future<T> value = result.get_future();
    if (!os::PostMessage(m_hwnd, kRun, 0, reinterpret_cast<LPARAM>(&task))) return T{};
    if (value.wait_for(20s) != std::future_status::ready) {
      ADD_FAILURE() << "the window thread did not answer";
      std::abort();  // `task` lives on this stack; it must not run later
    }
    return value.get();
  }

  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kRun) {
      (*reinterpret_cast<std::function<void()>*>(lParam))();
      return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  }

 private:
  static constexpr UINT kRun = WM_USER + 0x321;
  HWND m_hwnd = nullptr;
};

// The scenario's own connection to the X server: real input and the screen's pixels.
class XSession {
 public:
  XSession() : m_display(XOpenDisplay(nullptr)) {}
  ~XSession() {
    if (m_display != nullptr) XCloseDisplay(m_display);
  }
  bool Open() const { return m_display != nullptr; }

  void Click(POINT screen, unsigned int button = 1) {
    Move(screen);
    XTestFakeButtonEvent(m_display, button, True, CurrentTime);
    XTestFakeButtonEvent(m_display, button, False, CurrentTime);
    XFlush(m_display);
  }
  void Move(POINT screen) {
    XTestFakeMotionEvent(m_display, 0, static_cast<int>(screen.x), static_cast<int>(screen.y), CurrentTime);
    XFlush(m_display);
  }
  void Button(bool down) {
    XTestFakeButtonEvent(m_display, 1, down ? True : False, CurrentTime);
    XFlush(m_display);
  }
  void Key(KeySym key, bool down) {
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, key), down ? True : False, CurrentTime);
    XFlush(m_display);
  }
  void Type(std::initializer_list<KeySym> keys) {
    for (KeySym key : keys) {
      Key(key, true);
      Key(key, false);
    }
  }
  // Ctrl+Shift+U, the hex digits and a space: the input method's entry of one Unicode character.
  void TypeUnicode(std::initializer_list<KeySym> hexDigits) {
    Key(XK_Control_L, true);
    Key(XK_Shift_L, true);
    Type({XK_u});
    Key(XK_Shift_L, false);
    Key(XK_Control_L, false);
    Type(hexDigits);
    Type({XK_space});
  }

  // What the display shows in the rectangle.
  std::unique_ptr<Canvas> Grab(const RECT& screen) {
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), static_cast<int>(screen.left),
                              static_cast<int>(screen.top), static_cast<unsigned>(RectWidth(screen)),
                              static_cast<unsigned>(RectHeight(screen)), AllPlanes, ZPixmap);
    if (image == nullptr) return nullptr;
    auto picture = Image::Create(image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
      for (int x = 0; x < image->width; ++x) picture->SetColorAt(x, y, 0xFF000000u | XGetPixel(image, x, y));
    }
    XDestroyImage(image);
    auto canvas = std::make_unique<Canvas>(picture->Width(), picture->Height());
    DrawContext dc(*canvas);
    const RECT all{0, 0, picture->Width(), picture->Height()};
    CRenderEngine::DrawImage(&dc, *picture, all, all, all, RECT{});
    return canvas;
  }
  bool Save(const RECT& screen, const std::string& name) {
    std::unique_ptr<Canvas> shot = Grab(screen);
    return shot != nullptr && shot->SavePng(std::string(LPR_UI_SCREENSHOT_DIR) + "/" + name);
  }

 private:
  Display* m_display;
};

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = gtktest::kDisplayLimit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(30ms);
  }
  return condition();
}

class GtkSampleWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gtktest::XvfbEnvironment::Ready());
    ASSERT_TRUE(InstallSampleSkin(m_skin));
    ASSERT_TRUE(os::CreateDirectories(LPR_UI_SCREENSHOT_DIR));
    m_window = new SampleWindow;
    ASSERT_NE(m_window->CreateWnd("SampleWindow.xml", nullptr, "sample", nullptr, false, false, false, 1), nullptr);
    m_window->CenterWindow();
    m_window->ShowWindow(true, true);
    m_main = m_window->GetHWND();
  }
  void TearDown() override {
    if (IsWindow(m_main)) DestroyWindow(m_main);
    gtktest::PumpFor(100ms);
  }

  // Runs the scenario on its own thread while this (the window) thread runs the loop.
  void RunScenario(const std::function<void()>& scenario) {
    std::atomic<bool> done{false};
    std::thread thread([&] {
      scenario();
      done = true;
    });
    EXPECT_TRUE(gtktest::PumpUntil([&] { return done.load(); }, 120s));
    thread.join();
  }

  // From the scenario thread: waits until the display shows the window's current picture, so that
  // a click aimed at it lands on it.
  bool WaitUntilShown(XSession& x, HWND hwnd) {
    return WaitFor([&] {
      const RECT place = m_thread.Get<RECT>([&] { return WindowRect(hwnd); });
      const auto picture = m_thread.Get<std::optional<std::string>>([&]() -> std::optional<std::string> {
        const Canvas* canvas = HostWindowPicture(hwnd);
        return canvas != nullptr ? canvas->EncodePng() : std::nullopt;
      });
      std::unique_ptr<Canvas> shown = x.Grab(place);
      return picture.has_value() && shown != nullptr && shown->EncodePng() == picture;
    });
  }

  CPaintManagerUI& Pm() { return *m_window->GetPaintManager(); }
  std::string Text(const char* control) { return Pm().FindControl(control)->GetText().Str(); }

  // The screen point at the centre of a rectangle of window `hwnd`'s client area.
  static POINT ScreenCentre(HWND hwnd, const RECT& rc) {
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(hwnd, &pt);
    return pt;
  }
  POINT ControlCentre(const char* control) { return ScreenCentre(m_main, Pm().FindControl(control)->GetPos()); }
  RECT WindowRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
  }

  TestSkin m_skin;
  SampleWindow* m_window = nullptr;
  HWND m_main = nullptr;
  WindowThread m_thread;
};

TEST_F(GtkSampleWindow, OpensForRealAndTakesRealInput) {
  RunScenario([&] {
    XSession x;
    ASSERT_TRUE(x.Open());
    const RECT frame = m_thread.Get<RECT>([&] { return WindowRect(m_main); });
    // What the display shows is the framework's picture of the window, pixel for pixel.
    ASSERT_TRUE(WaitUntilShown(x, m_main));
    EXPECT_TRUE(x.Save(frame, "gtk-sample-main.png"));

    // A click on the second device row fills the login inputs.
    const POINT row = m_thread.Get<POINT>([&] {
      auto* list = static_cast<CListUI*>(Pm().FindControl("device_list"));
      return ScreenCentre(m_main, list->GetItemAt(1)->GetPos());
    });
    x.Click(row);
    EXPECT_TRUE(
        WaitFor([&] { return m_thread.Get<std::string>([&] { return Text("edit_device_ip"); }) == "192.168.1.100"; }));

    // Typing into an edit, Latin and Chinese (through the input method), replaces its text.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("edit_device_username"); }));
    ASSERT_TRUE(WaitFor([&] { return m_thread.Get<bool>([&] { return IsChild(m_main, GetFocus()); }); }));
    x.Key(XK_Control_L, true);
    x.Type({XK_a});
    x.Key(XK_Control_L, false);
    x.Type({XK_a, XK_d, XK_m, XK_i, XK_n});
    x.TypeUnicode({XK_7, XK_b, XK_a, XK_1});  // the character for "manage"
    EXPECT_TRUE(WaitFor([&] {
      return m_thread.Get<std::string>([&] { return Text("edit_device_username"); }) == "admin" + Gbk(u8"管");
    })) << m_thread.Get<std::string>([&] { return Text("edit_device_username"); });

    // The province combo drops down a popup window; a click on an item picks it.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("intell_cmb_prov"); }));
    auto dropDownOf = [this] {
      return static_cast<CComboUI*>(Pm().FindControl("intell_cmb_prov"))->GetDropDownWindow();
    };
    auto dropDown = [&] { return m_thread.Get<HWND>(dropDownOf); };
    ASSERT_TRUE(WaitFor([&] { return dropDown() != nullptr; }));
    const RECT popup = m_thread.Get<RECT>([&] { return WindowRect(dropDownOf()); });
    ASSERT_TRUE(WaitUntilShown(x, dropDown()));
    EXPECT_TRUE(
        x.Save(RECT{frame.left, frame.top, frame.right, std::max(frame.bottom, popup.bottom)}, "gtk-sample-combo.png"));
    const POINT item = m_thread.Get<POINT>([&] {
      auto* combo = static_cast<CComboUI*>(Pm().FindControl("intell_cmb_prov"));
      return ScreenCentre(combo->GetDropDownWindow(), combo->GetItemAt(3)->GetPos());
    });
    x.Click(item);
    EXPECT_TRUE(WaitFor([&] { return m_thread.Get<int>([&] { return m_window->province; }) == 3; }));
    EXPECT_TRUE(WaitFor([&] { return dropDown() == nullptr; }));

    // The results tab.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("tab_results"); }));
    EXPECT_TRUE(
        WaitFor([&] { return m_thread.Get<bool>([&] { return Pm().FindControl("plate_list")->IsVisible(); }); }));
    EXPECT_TRUE(WaitUntilShown(x, m_main));
    EXPECT_TRUE(x.Save(frame, "gtk-sample-results.png"));
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("tab_login"); }));

    // Dragging the caption moves the window by as much as the pointer moved.
    const POINT grip{frame.left + 200, frame.top + 15};
    x.Move(grip);
    x.Button(true);
    for (int step = 1; step <= 8; ++step) {
      x.Move(POINT{grip.x - 5 * step, grip.y + 4 * step});
      std::this_thread::sleep_for(20ms);
    }
    x.Button(false);
    EXPECT_TRUE(WaitFor([&] {
      const RECT moved = m_thread.Get<RECT>([&] { return WindowRect(m_main); });
      return moved.left == frame.left - 40 && moved.top == frame.top + 32;
    }));
  });
}

TEST_F(GtkSampleWindow, MessageBoxAndModalDialogOnTop) {
  RunScenario([&] {
    XSession x;
    ASSERT_TRUE(x.Open());
    const RECT frame = m_thread.Get<RECT>([&] { return WindowRect(m_main); });
    auto active = [&] { return m_thread.Get<HWND>([] { return GetActiveWindow(); }); };
    auto classOf = [&](HWND hwnd) { return m_thread.Get<std::string>([hwnd] { return GetWindowClassNameOf(hwnd); }); };
    ASSERT_TRUE(WaitUntilShown(x, m_main));

    // The message box is the framework's own modal dialog, in a GTK window above the main one.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("btn_open"); }));
    ASSERT_TRUE(WaitFor([&] { return classOf(active()) == "UIMessageBox"; }));
    const HWND box = active();
    ASSERT_TRUE(WaitUntilShown(x, box));
    EXPECT_TRUE(x.Save(frame, "gtk-sample-messagebox.png"));
    // The main window takes no input while the box is up.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("tab_results"); }));
    std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(m_thread.Get<bool>([&] { return Pm().FindControl("plate_list")->IsVisible(); }));
    x.Click(m_thread.Get<POINT>([&] {
      CPaintManagerUI* pm = CPaintManagerUI::FromPaintWindow(box);
      return ScreenCentre(box, pm->FindControl("ok")->GetPos());
    }));
    EXPECT_TRUE(WaitFor([&] { return !m_thread.Get<bool>([box] { return IsWindow(box); }); }));

    // A modal dialog on top, with its own combo and a password edit.
    x.Click(m_thread.Get<POINT>([&] { return ControlCentre("btn_encrypt_set"); }));
    ASSERT_TRUE(
        WaitFor([&] { return classOf(active()) != "UIMessageBox" && active() != m_main && active() != nullptr; }));
    const HWND dialog = active();
    ASSERT_TRUE(WaitUntilShown(x, dialog));
    CPaintManagerUI* dialogPm =
        m_thread.Get<CPaintManagerUI*>([dialog] { return CPaintManagerUI::FromPaintWindow(dialog); });
    auto dialogCentre = [&](const char* name) {
      return m_thread.Get<POINT>([&] { return ScreenCentre(dialog, dialogPm->FindControl(name)->GetPos()); });
    };
    x.Click(dialogCentre("dlg_user_pwd"));
    // Typing goes to the edit window that the click opens.
    ASSERT_TRUE(WaitFor([&] { return m_thread.Get<bool>([dialog] { return IsChild(dialog, GetFocus()); }); }));
    x.Type({XK_s, XK_e, XK_c, XK_r, XK_e, XK_t});
    EXPECT_TRUE(WaitFor([&] {
      return m_thread.Get<std::string>([&] { return dialogPm->FindControl("dlg_user_pwd")->GetText().Str(); }) ==
             "secret";
    }));
    EXPECT_TRUE(x.Save(frame, "gtk-sample-dialog.png"));
    x.Click(dialogCentre("ok"));
    EXPECT_TRUE(WaitFor([&] { return m_thread.Get<int>([&] { return m_window->dialogResult; }) == IDOK; }));
    EXPECT_EQ(m_thread.Get<std::string>([&] { return m_window->dialogPassword; }), "secret");
    EXPECT_EQ(active(), m_main);
  });
}

}  // namespace
}  // namespace ui::testing
