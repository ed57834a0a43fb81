#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/os/Charset.h"
#include "platform/os/File.h"
#include "platform/os/NativeDialogs.h"
#include "platform/ui/controls/HeadlessWebBrowserBackend.h"
#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/hosts/gtk/GtkHost.h"
#include "platform/ui/hosts/gtk/PlainMessageBoxBootstrap.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/test/Driver.h"
#include "tests/ui/gtkTestSupport.h"

namespace ui {
namespace {

using gtktest::Click;
using gtktest::GtkWindowOf;
using gtktest::PumpFor;
using gtktest::PumpUntil;
using gtktest::RecordingWindow;

std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }
std::string Utf8(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

class GtkHostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gtktest::XvfbEnvironment::Ready()); }
};

long Count(const RecordingWindow& window, UINT message) {
  return std::count_if(window.Messages().begin(), window.Messages().end(),
                       [message](const gtktest::Received& r) { return r.message == message; });
}

// Does `later` once the loop runs (from inside a GTK dialog's own loop, for example).
void Later(std::function<void()> later) {
  auto* work = new std::function<void()>(std::move(later));
  g_idle_add(
      [](gpointer data) -> gboolean {
        auto* w = static_cast<std::function<void()>*>(data);
        (*w)();
        delete w;
        return G_SOURCE_REMOVE;
      },
      work);
}

// The first open GTK dialog that `isType` accepts, or nullptr.
GtkWidget* FindDialog(gboolean (*isType)(gpointer)) {
  GList* windows = gtk_window_list_toplevels();
  GtkWidget* found = nullptr;
  for (GList* item = windows; item != nullptr; item = item->next) {
    if (isType(item->data) && gtk_widget_get_mapped(GTK_WIDGET(item->data))) found = GTK_WIDGET(item->data);
  }
  g_list_free(windows);
  return found;
}

// Acts on the dialog once it is on screen, again and again until `action` says it is done (GTK's
// dialogs run loops of their own, which run this).
void WhenDialogShows(gboolean (*isType)(gpointer), std::function<bool(GtkWidget*)> action) {
  struct Watch {
    gboolean (*isType)(gpointer);
    std::function<bool(GtkWidget*)> action;
  };
  g_timeout_add(
      50,
      [](gpointer data) -> gboolean {
        auto* watch = static_cast<Watch*>(data);
        GtkWidget* dialog = FindDialog(watch->isType);
        if (dialog == nullptr || !watch->action(dialog)) return G_SOURCE_CONTINUE;
        delete watch;
        return G_SOURCE_REMOVE;
      },
      new Watch{isType, std::move(action)});
}

gboolean IsFileChooser(gpointer widget) { return GTK_IS_FILE_CHOOSER_DIALOG(widget); }
gboolean IsMessageDialog(gpointer widget) { return GTK_IS_MESSAGE_DIALOG(widget); }

// The message box text of the next GTK message dialog, which is then answered.
void ReadNextMessageDialog(std::string* text) {
  WhenDialogShows(IsMessageDialog, [text](GtkWidget* dialog) {
    gchar* shown = nullptr;
    g_object_get(dialog, "text", &shown, nullptr);
    *text = shown != nullptr ? shown : "";
    g_free(shown);
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    return true;
  });
}

TEST_F(GtkHostTest, ShowsTheFrameworksPictureOnTheDisplay) {
  EXPECT_STREQ(CurrentHost().Name(), "gtk");
  const RECT place{100, 80, 340, 200};
  RecordingWindow window(place);
  ShowWindow(window.Hwnd(), SW_SHOW);
  const Canvas* picture = HostWindowPicture(window.Hwnd());
  ASSERT_NE(picture, nullptr);
  std::vector<DWORD> expected;
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x) expected.push_back(picture->ColorAt(x, y));
  }
  // The very pixels the framework painted, text included, at the window's place on the screen.
  EXPECT_TRUE(gtktest::PumpUntilShown(window.Hwnd()));
  const std::vector<DWORD> shown = gtktest::ScreenPixels(place);
  EXPECT_EQ(shown, expected);
  ASSERT_EQ(shown.size(), expected.size());
  EXPECT_EQ(shown[RectWidth(place) * 10 + 5], 0xFFD03030u);
  EXPECT_EQ(shown[RectWidth(place) * 10 + RectWidth(place) - 5], 0xFF3050D0u);
  const auto light = std::count_if(shown.begin(), shown.end(), [](DWORD c) { return ColorGreen(c) > 0xC0; });
  EXPECT_GT(light, 30) << "the white Chinese text is on screen";

  // Moving and resizing follow the framework, and the new picture shows at the new place.
  MoveWindow(window.Hwnd(), 400, 300, 160, 90);
  EXPECT_TRUE(PumpUntil([&] {
    int x = 0, y = 0, w = 0, h = 0;
    gtk_window_get_position(GtkWindowOf(window.Hwnd()), &x, &y);
    gtk_window_get_size(GtkWindowOf(window.Hwnd()), &w, &h);
    return x == 400 && y == 300 && w == 160 && h == 90;
  }));
  EXPECT_TRUE(gtktest::PumpUntilBetweenTurns([&] {
    const std::vector<DWORD> moved = gtktest::ScreenPixels(RECT{400, 300, 560, 390});
    return moved.size() == 160u * 90u && moved[160 * 45 + 10] == 0xFFD03030u && moved[160 * 45 + 150] == 0xFF3050D0u;
  }));
  ShowWindow(window.Hwnd(), SW_HIDE);
  EXPECT_TRUE(PumpUntil([&] { return !gtk_widget_get_visible(GTK_WIDGET(GtkWindowOf(window.Hwnd()))); }));
}

TEST_F(GtkHostTest, MouseInputArrivesInClientCoordinates) {
  RecordingWindow window(RECT{200, 150, 400, 300});
  ShowWindow(window.Hwnd(), SW_SHOW);
  ASSERT_TRUE(gtktest::PumpUntilShown(window.Hwnd()));

  gtktest::MovePointer(250, 190);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_MOUSEMOVE); }));
  const gtktest::Received* move = window.Last(WM_MOUSEMOVE);
  EXPECT_EQ(GET_X_LPARAM(move->lParam), 50);
  EXPECT_EQ(GET_Y_LPARAM(move->lParam), 40);

  gtktest::PressButton(1, true);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_LBUTTONDOWN); }));
  EXPECT_EQ(window.Last(WM_LBUTTONDOWN)->wParam & 1, 1u) << "MK_LBUTTON is set in the press";
  gtktest::PressButton(1, false);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_LBUTTONUP); }));
  EXPECT_EQ(window.Last(WM_LBUTTONUP)->wParam & 1, 0u);

  // The second press of a double click becomes WM_LBUTTONDBLCLK in the framework, not twice in GTK
  // (away from the press above, which would make the first one a double click).
  window.Clear();
  Click(270, 200);
  Click(270, 200);
  ASSERT_TRUE(PumpUntil([&] { return Count(window, WM_LBUTTONUP) == 2; }));
  EXPECT_TRUE(window.Got(WM_LBUTTONDBLCLK));
  EXPECT_EQ(Count(window, WM_LBUTTONDOWN), 1);

  Click(260, 200, 3);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_CONTEXTMENU); }));
  EXPECT_TRUE(window.Got(WM_RBUTTONDOWN));
  EXPECT_TRUE(window.Got(WM_RBUTTONUP));

  Click(260, 200, 4);  // wheel up
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_MOUSEWHEEL); }));
  EXPECT_EQ(static_cast<short>(HIWORD(window.Last(WM_MOUSEWHEEL)->wParam)), 120);
  window.Clear();
  Click(260, 200, 5);  // wheel down
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_MOUSEWHEEL); }));
  EXPECT_EQ(static_cast<short>(HIWORD(window.Last(WM_MOUSEWHEEL)->wParam)), -120);

  gtktest::MovePointer(900, 900);
  EXPECT_TRUE(PumpUntil([&] { return window.Got(WM_MOUSELEAVE); }));
}

TEST_F(GtkHostTest, KeysAndTypedTextGoToTheFocusedWindow) {
  RecordingWindow window(RECT{200, 150, 400, 300});
  ShowWindow(window.Hwnd(), SW_SHOW);
  SetFocus(window.Hwnd());
  ASSERT_TRUE(gtktest::PumpUntilShown(window.Hwnd()));
  ASSERT_TRUE(gtktest::PumpUntilReady(window.Hwnd())) << "the display's keys go to the window";
  gtktest::MovePointer(300, 220);

  gtktest::TypeKey(GDK_KEY_Delete);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_KEYUP); }));
  EXPECT_EQ(window.Last(WM_KEYDOWN)->wParam, VK_DELETE);
  EXPECT_EQ(window.Last(WM_KEYUP)->wParam, VK_DELETE);
  EXPECT_FALSE(window.Got(WM_CHAR));

  // Backspace also types its control character, which edits act on: once.
  window.Clear();
  gtktest::TypeKey(GDK_KEY_BackSpace);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_KEYUP); }));
  EXPECT_EQ(window.Last(WM_KEYDOWN)->wParam, VK_BACK);
  EXPECT_EQ(Count(window, WM_CHAR), 1);
  EXPECT_EQ(window.Last(WM_CHAR)->wParam, 0x08u);

  // With an edit's caret placed, letters go through the input method and arrive as characters.
  CurrentHost().TextInputPlace(window.Hwnd(), RECT{10, 10, 11, 26});
  window.Clear();
  gtktest::TypeKey(GDK_KEY_a);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_KEYUP); }));
  EXPECT_EQ(Count(window, WM_CHAR), 1);
  EXPECT_EQ(window.Last(WM_CHAR)->wParam, static_cast<WPARAM>('a'));

  // Ctrl with a letter types the control character edits act on (Ctrl+C is 0x03).
  window.Clear();
  gtktest::PressKey(GDK_KEY_Control_L, true);
  gtktest::TypeKey(GDK_KEY_c);
  gtktest::PressKey(GDK_KEY_Control_L, false);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_CHAR) && (GetKeyState(VK_CONTROL) & 0x8000) == 0; }))
      << "the character, and the modifier's release";
  EXPECT_EQ(Count(window, WM_CHAR), 1);
  EXPECT_EQ(window.Last(WM_CHAR)->wParam, 0x03u);

  // A Chinese character committed by the input method (here its Unicode entry: Ctrl+Shift+U 4e2d)
  // reaches the window as one GBK character.
  window.Clear();
  gtktest::PressKey(GDK_KEY_Control_L, true);
  gtktest::PressKey(GDK_KEY_Shift_L, true);
  gtktest::TypeKey(GDK_KEY_u);
  gtktest::PressKey(GDK_KEY_Shift_L, false);
  gtktest::PressKey(GDK_KEY_Control_L, false);
  for (unsigned int key : {GDK_KEY_4, GDK_KEY_e, GDK_KEY_2, GDK_KEY_d, GDK_KEY_space}) gtktest::TypeKey(key);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_CHAR); }));
  const std::string zhong = Gbk(u8"中");
  EXPECT_EQ(window.Last(WM_CHAR)->wParam,
            static_cast<WPARAM>(static_cast<unsigned char>(zhong[0]) | static_cast<unsigned char>(zhong[1]) << 8));

  // Without an edit, letters type nothing.
  CurrentHost().TextInputPlace(window.Hwnd(), RECT{});
  window.Clear();
  gtktest::TypeKey(GDK_KEY_b);
  ASSERT_TRUE(PumpUntil([&] { return window.Got(WM_KEYUP); }));
  EXPECT_FALSE(window.Got(WM_CHAR));
}

TEST_F(GtkHostTest, PostsFromOtherThreadsAndTimersWakeTheLoop) {
  RecordingWindow window(RECT{10, 10, 60, 60});
  constexpr UINT kFromWorker = WM_USER + 7;
  std::atomic<bool> posted{false};
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    posted = os::PostMessage(window.Hwnd(), kFromWorker, 1, 2);
  });
  // No ticker: the loop sleeps in GTK until the worker's post wakes it.
  const auto start = std::chrono::steady_clock::now();
  RunLoopUntil([&] { return window.Got(kFromWorker); });
  const auto waited = std::chrono::steady_clock::now() - start;
  worker.join();
  EXPECT_TRUE(posted);
  EXPECT_LT(waited, std::chrono::seconds(2));

  SetTimer(window.Hwnd(), 5, 30);
  RunLoopUntil([&] { return window.Got(WM_TIMER); });
  EXPECT_EQ(window.Last(WM_TIMER)->wParam, 5u);
  KillTimer(window.Hwnd(), 5);
}

TEST_F(GtkHostTest, AQueueThatNeverRunsDryLeavesTheDisplayItsTurn) {
  // A timer whose handler outlasts its period: the window thread always has a message waiting,
  // among them a worker's numbered posts.
  RecordingWindow window(RECT{200, 150, 400, 300});
  constexpr UINT kNumbered = WM_USER + 9;
  std::vector<WPARAM> numbers;
  window.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_TIMER && wParam == 9) std::this_thread::sleep_for(std::chrono::milliseconds(15));
    if (message == kNumbered) {
      numbers.push_back(wParam);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  };
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    for (WPARAM n = 0; !stop; ++n) {
      os::PostMessage(window.Hwnd(), kNumbered, n, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  SetTimer(window.Hwnd(), 9, 5);
  ShowWindow(window.Hwnd(), SW_SHOW);

  // GTK still draws the window and hands over the display's input.
  EXPECT_TRUE(gtktest::PumpUntilShown(window.Hwnd()));
  Click(300, 220);
  EXPECT_TRUE(PumpUntil([&] { return window.Got(WM_LBUTTONUP); }));

  // Keys typed in a burst are handled in their order, each in the state it was typed in: Ctrl+A
  // (whose character TranslateMessage adds) before the letters after it.
  ASSERT_TRUE(gtktest::PumpUntilReady(window.Hwnd()));
  CurrentHost().TextInputPlace(window.Hwnd(), RECT{10, 10, 11, 26});
  gtktest::PressKey(GDK_KEY_Control_L, true);
  gtktest::TypeKey(GDK_KEY_a);
  gtktest::PressKey(GDK_KEY_Control_L, false);
  gtktest::TypeKey(GDK_KEY_b);
  gtktest::TypeKey(GDK_KEY_c);
  std::vector<WPARAM> typed;
  EXPECT_TRUE(PumpUntil([&] {
    typed.clear();
    for (const gtktest::Received& r : window.Messages()) {
      if (r.message == WM_CHAR) typed.push_back(r.wParam);
    }
    return typed.size() >= 3;
  }));
  EXPECT_EQ(typed, (std::vector<WPARAM>{0x01, 'b', 'c'}));
  stop = true;
  worker.join();
  KillTimer(window.Hwnd(), 9);
  EXPECT_TRUE(PumpUntil([&] { return window.Got(WM_LBUTTONUP) && numbers.size() > 1; }));
  EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end())) << "posted messages keep their order";
}

TEST_F(GtkHostTest, ANestedLoopKeepsTakingInput) {
  RecordingWindow window(RECT{300, 300, 500, 420});
  ShowWindow(window.Hwnd(), SW_SHOW);
  ASSERT_TRUE(gtktest::PumpUntilShown(window.Hwnd()));
  int clicksInside = 0;
  bool nestedDone = false;
  window.onMessage = [&](UINT message, WPARAM, LPARAM) {
    if (message != WM_LBUTTONUP) return;
    if (clicksInside++ == 0) {
      // A modal loop inside the click, as a dialog's ShowModal runs one.
      Later([] { Click(350, 350); });
      RunLoopUntil([&] { return clicksInside >= 2; });
      nestedDone = true;
    }
  };
  Click(340, 340);
  EXPECT_TRUE(PumpUntil([&] { return nestedDone; }));
  EXPECT_EQ(clicksInside, 2);
}

TEST_F(GtkHostTest, PopupsFramesAndTheWorkArea) {
  RecordingWindow owner(RECT{100, 100, 300, 200});
  ShowWindow(owner.Hwnd(), SW_SHOW);
  RecordingWindow popup(RECT{120, 200, 220, 260}, WS_POPUP, owner.Hwnd());
  ShowWindow(popup.Hwnd(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(gtktest::PumpUntilShown(popup.Hwnd()));
  GtkWindow* gtkPopup = GtkWindowOf(popup.Hwnd());
  ASSERT_NE(gtkPopup, nullptr);
  EXPECT_EQ(gtk_window_get_window_type(gtkPopup), GTK_WINDOW_POPUP);
  EXPECT_EQ(gtk_window_get_transient_for(gtkPopup), GtkWindowOf(owner.Hwnd()));
  EXPECT_FALSE(gtk_window_get_decorated(GtkWindowOf(owner.Hwnd()))) << "the layout draws the frame";

  const RECT work = GetWorkArea();
  EXPECT_EQ(RectWidth(work), 1280);
  EXPECT_EQ(RectHeight(work), 1024);

  // The frame's close request goes to the framework, which decides.
  GdkEvent* close = gdk_event_new(GDK_DELETE);
  close->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(GtkWindowOf(owner.Hwnd())))));
  gtk_main_do_event(close);
  gdk_event_free(close);
  ASSERT_TRUE(PumpUntil([&] { return owner.Got(WM_SYSCOMMAND); }));
  EXPECT_EQ(owner.Last(WM_SYSCOMMAND)->wParam, SC_CLOSE);

  DestroyWindow(popup.Hwnd());
  EXPECT_EQ(GtkWindowOf(popup.Hwnd()), nullptr);
}

TEST_F(GtkHostTest, ClipboardCarriesChineseText) {
  SetClipboardText(Gbk(u8"京A12345 白名单"));
  EXPECT_EQ(GetClipboardText(), Gbk(u8"京A12345 白名单"));
  gchar* raw = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(std::string(raw), Utf8(u8"京A12345 白名单")) << "other programs see UTF-8";
  g_free(raw);
}

TEST_F(GtkHostTest, OpenFileDialogIsGtksChooser) {
  const auto folder = std::filesystem::temp_directory_path() / ("lpr-gtk-dialog-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string gbkPath = folder.string() + "/" + Gbk(u8"白名单.csv");
  ASSERT_TRUE(os::WriteWholeFile(gbkPath, "ID\r\n"));
  RecordingWindow owner(RECT{100, 100, 300, 200});
  ShowWindow(owner.Hwnd(), SW_SHOW);

  os::OpenFileRequest request;
  request.owner = owner.Hwnd();
  request.title = Gbk(u8"导入白名单");
  request.filterName = Gbk(u8"白名单文件");
  request.pattern = "*.csv";
  request.initialFolder = folder.string();
  std::string title;
  std::string filter;
  GtkWindow* parent = nullptr;
  WhenDialogShows(IsFileChooser, [&](GtkWidget* dialog) {
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    title = gtk_window_get_title(GTK_WINDOW(dialog));
    parent = gtk_window_get_transient_for(GTK_WINDOW(dialog));
    if (GtkFileFilter* current = gtk_file_chooser_get_filter(chooser)) filter = gtk_file_filter_get_name(current);
    // The chooser reads the folder in the background; answer once the file is selected.
    gtk_file_chooser_select_filename(chooser, os::GbkToUtf8(gbkPath).c_str());
    gchar* selected = gtk_file_chooser_get_filename(chooser);
    const bool ready = selected != nullptr && os::Utf8ToGbk(selected) == gbkPath;
    g_free(selected);
    if (ready) gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    return ready;
  });
  EXPECT_EQ(os::ShowOpenFileDialog(request), gbkPath);
  EXPECT_EQ(title, Utf8(u8"导入白名单"));
  EXPECT_EQ(filter, Utf8(u8"白名单文件"));
  EXPECT_EQ(parent, GtkWindowOf(owner.Hwnd()));

  WhenDialogShows(IsFileChooser, [](GtkWidget* dialog) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return true;
  });
  EXPECT_EQ(os::ShowOpenFileDialog(request), "") << "cancelled";
  std::filesystem::remove_all(folder);
}

TEST_F(GtkHostTest, PlainMessageBoxIsAGtkDialog) {
  std::string text;
  std::string title;
  WhenDialogShows(IsMessageDialog, [&](GtkWidget* dialog) {
    gchar* shown = nullptr;
    g_object_get(dialog, "text", &shown, nullptr);
    text = shown != nullptr ? shown : "";
    g_free(shown);
    title = gtk_window_get_title(GTK_WINDOW(dialog));
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    return true;
  });
  os::ShowPlainMessageBox(nullptr, Gbk(u8"程序已经运行！"), Gbk(u8"提示"));
  EXPECT_EQ(text, Utf8(u8"程序已经运行！"));
  EXPECT_EQ(title, Utf8(u8"提示"));
}

TEST_F(GtkHostTest, TheFirstPlainMessageBoxBringsTheGtkHostUp) {
  // A second copy of a program shows the notice before it made any window, so before any host
  // is up: as at start-up, no host, the start-up choice as factory, and the box's bootstrap.
  SetHost(nullptr);
  SetHostFactory(CreateGtkHost);
  gtkhost::InstallPlainMessageBoxBootstrap();
  std::string text;
  ReadNextMessageDialog(&text);
  os::ShowPlainMessageBox(nullptr, Gbk(u8"批量设备操作程序已经启动"), Gbk(u8"提示"));
  EXPECT_EQ(text, Utf8(u8"批量设备操作程序已经启动"));
  EXPECT_STREQ(CurrentHost().Name(), "gtk");
}

TEST_F(GtkHostTest, AScriptDriversEndLeavesTheGtkDialogsInPlace) {
  test::Driver::AttachToCurrentThread().reset();
  std::string text;
  ReadNextMessageDialog(&text);
  os::ShowPlainMessageBox(nullptr, Gbk(u8"程序已经运行！"), Gbk(u8"提示"));
  EXPECT_EQ(text, Utf8(u8"程序已经运行！"));
}

TEST_F(GtkHostTest, TearDownPutsBackWhatTheHostInstalledAndLeavesTheHeadlessHost) {
  RecordingWindow window(RECT{100, 100, 300, 200});
  ShowWindow(window.Hwnd(), SW_SHOW);
  ASSERT_NE(GtkWindowOf(window.Hwnd()), nullptr);
  ASSERT_EQ(HeadlessWebBrowserBackend::Current(), nullptr) << "WebKit's backend while the host lives";

  TearDownHost();
  EXPECT_STREQ(CurrentHost().Name(), "headless");
  EXPECT_EQ(GtkWindowOf(window.Hwnd()), nullptr);
  EXPECT_NE(HeadlessWebBrowserBackend::Current(), nullptr);
  ::testing::internal::CaptureStderr();
  os::ShowPlainMessageBox(nullptr, Gbk(u8"程序已经运行！"), Gbk(u8"提示"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), Utf8(u8"提示: 程序已经运行！\n")) << "the default box";
  EXPECT_EQ(os::ShowOpenFileDialog({}), "") << "the default dialog: cancelled";
  // The window lives on without a display; its end reaches the headless host.
  DestroyWindow(window.Hwnd());
  TearDownHost();
  EXPECT_STREQ(CurrentHost().Name(), "headless");
}

}  // namespace
}  // namespace ui
