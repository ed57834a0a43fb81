// Shared by the gtk host's tests (see gtkTestSupport.h). Not a test file of its own: it carries no
// TEST, and its name keeps it in the gtk tests' binary.

#include "tests/ui/gtkTestSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/os/Charset.h"
#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/hosts/gtk/GtkHost.h"
#include "platform/ui/render/Color.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui::gtktest {
namespace {

bool g_ready = false;

// Every test of the binary runs on the private display.
const auto* const g_display = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

// GBK of a UTF-8 literal, whatever charset this file is compiled with.
std::string Gbk(const char8_t* utf8) { return os::Utf8ToGbk(reinterpret_cast<const char*>(utf8)); }

// Reads the display number that Xvfb writes once it listens.
int ReadDisplayNumber(int fd) {
  std::string text;
  for (int waited = 0; waited < 100; ++waited) {
    pollfd pfd{fd, POLLIN, 0};
    if (poll(&pfd, 1, 100) <= 0) continue;
    char c = 0;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return std::atoi(text.c_str());
    text.push_back(c);
  }
  return -1;
}

Display* XDisplayOfGdk() { return gdk_x11_display_get_xdisplay(gdk_display_get_default()); }

// Starts Xvfb writing its display number to `fd`; it dies with this process, even when the test
// is killed.
pid_t StartXvfb(int readEnd, int writeEnd) {
  const std::string fd = std::to_string(writeEnd);
  const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
                        "1280x1024x24", "-nolisten",  "tcp",      "-noreset", nullptr};
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (getppid() != parent) _exit(1);
  close(readEnd);
  // Its notes on display numbers already taken by other tests' servers are of no interest.
  const int quiet = open("/dev/null", O_WRONLY);
  if (quiet >= 0) dup2(quiet, STDERR_FILENO);
  execvp("Xvfb", const_cast<char**>(argv));
  _exit(127);
}

}  // namespace

void XvfbEnvironment::SetUp() {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t pid = StartXvfb(fds[0], fds[1]);
  close(fds[1]);
  ASSERT_GT(pid, 0) << "Xvfb could not be started";
  m_pid = pid;
  const int display = ReadDisplayNumber(fds[0]);
  close(fds[0]);
  ASSERT_GE(display, 0) << "Xvfb reported no display";
  setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
  setenv("GDK_BACKEND", "x11", 1);
  // No session bus here: settings stay in memory and no accessibility bus is looked for.
  setenv("GSETTINGS_BACKEND", "memory", 1);
  setenv("NO_AT_BRIDGE", "1", 1);
  // GTK's own input method, whatever the machine has set up (its Unicode entry types Chinese).
  setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1);
  unsetenv("WAYLAND_DISPLAY");
  std::unique_ptr<Host> host = CreateGtkHost();
  ASSERT_NE(host, nullptr) << "GTK could not open the display";
  SetHost(std::move(host));
  g_ready = true;
}

void XvfbEnvironment::TearDown() {
  if (g_ready) SetHost(nullptr);
  g_ready = false;
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = 0;
  }
}

bool XvfbEnvironment::Ready() { return g_ready; }

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // A helper window's timer wakes the loop regularly, so the deadline is seen.
  CreateWindowParams params;
  params.className = "PumpTicker";
  params.rect = RECT{-100, -100, -90, -90};
  const HWND ticker = CreateNativeWindow(params);
  SetTimer(ticker, 1, 20);
  const bool held = [&] {
    bool result = false;
    RunLoopUntil([&] {
      result = done();
      return result || std::chrono::steady_clock::now() >= deadline;
    });
    return result;
  }();
  DestroyWindow(ticker);
  return held;
}

void PumpFor(std::chrono::milliseconds time) {
  const auto until = std::chrono::steady_clock::now() + time;
  PumpUntil([until] { return std::chrono::steady_clock::now() >= until; }, time + std::chrono::seconds(1));
}

bool IsShown(HWND hwnd) {
  const Canvas* picture = HostWindowPicture(hwnd);
  RECT place{};
  if (picture == nullptr || !GetWindowRect(hwnd, &place)) return false;
  const std::vector<DWORD> shown = ScreenPixels(place);
  if (shown.size() != static_cast<std::size_t>(picture->Width()) * picture->Height()) return false;
  for (int y = 0; y < picture->Height(); ++y) {
    for (int x = 0; x < picture->Width(); ++x) {
      if (shown[static_cast<std::size_t>(y) * picture->Width() + x] != picture->ColorAt(x, y)) return false;
    }
  }
  return true;
}

bool PumpUntilReady(HWND hwnd, std::chrono::milliseconds limit) {
  return PumpUntil([hwnd] { return CurrentHost().WindowReady(hwnd); }, limit);
}

GtkWindow* GtkWindowOf(HWND hwnd) {
  GList* windows = gtk_window_list_toplevels();
  GtkWindow* found = nullptr;
  for (GList* item = windows; item != nullptr; item = item->next) {
    if (g_object_get_data(G_OBJECT(item->data), "lpr-hwnd") == hwnd) found = GTK_WINDOW(item->data);
  }
  g_list_free(windows);
  return found;
}

void PutFocusChange(HWND hwnd, bool in) {
  GdkEvent* event = gdk_event_new(GDK_FOCUS_CHANGE);
  event->focus_change.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(GTK_WIDGET(GtkWindowOf(hwnd)))));
  event->focus_change.send_event = TRUE;
  event->focus_change.in = in ? TRUE : FALSE;
  gdk_event_put(event);
  gdk_event_free(event);
}

void FocusFollowsPointer() {
  XSetInputFocus(XDisplayOfGdk(), PointerRoot, RevertToPointerRoot, CurrentTime);
  XSync(XDisplayOfGdk(), False);
}

bool PumpUntilBetweenTurns(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  // A check slower than the loop's ticker (a large window read in a sanitizer build) would
  // otherwise run after every tick.
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    PumpFor(std::chrono::milliseconds(30));
    if (done()) return true;
  }
  return false;
}

bool PumpUntilShown(HWND hwnd, std::chrono::milliseconds limit) {
  return PumpUntilBetweenTurns([hwnd] { return IsShown(hwnd); }, limit);
}

void MovePointer(int screenX, int screenY) {
  XTestFakeMotionEvent(XDisplayOfGdk(), 0, screenX, screenY, CurrentTime);
  XFlush(XDisplayOfGdk());
}

void PressButton(int button, bool down) {
  XTestFakeButtonEvent(XDisplayOfGdk(), static_cast<unsigned int>(button), down ? True : False, CurrentTime);
  XFlush(XDisplayOfGdk());
}

void Click(int screenX, int screenY, int button) {
  MovePointer(screenX, screenY);
  PressButton(button, true);
  PressButton(button, false);
}

void PressKey(unsigned int keysym, bool down) {
  Display* display = XDisplayOfGdk();
  const KeyCode code = XKeysymToKeycode(display, keysym);
  XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
  XFlush(display);
}

void TypeKey(unsigned int keysym) {
  PressKey(keysym, true);
  PressKey(keysym, false);
}

std::vector<DWORD> ScreenPixels(const RECT& screen) {
  GdkWindow* root = gdk_get_default_root_window();
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, screen.left, screen.top, RectWidth(screen), RectHeight(screen));
  std::vector<DWORD> pixels;
  if (shot == nullptr) return pixels;
  const int channels = gdk_pixbuf_get_n_channels(shot);
  const int stride = gdk_pixbuf_get_rowstride(shot);
  const guchar* data = gdk_pixbuf_read_pixels(shot);
  for (int y = 0; y < gdk_pixbuf_get_height(shot); ++y) {
    for (int x = 0; x < gdk_pixbuf_get_width(shot); ++x) {
      const guchar* p = data + y * stride + x * channels;
      pixels.push_back(MakeColor(0xFF, p[0], p[1], p[2]));
    }
  }
  g_object_unref(shot);
  return pixels;
}

RecordingWindow::RecordingWindow(const RECT& screenRect, DWORD style, HWND owner) {
  CreateWindowParams params;
  params.className = "RecordingWindow";
  params.classStyle = CS_DBLCLKS;
  params.title = Gbk(u8"记录窗口");
  params.style = style;
  params.rect = screenRect;
  params.parent = owner;
  params.procedure = this;
  m_hwnd = CreateNativeWindow(params);
}

RecordingWindow::~RecordingWindow() {
  if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool RecordingWindow::Got(UINT message) const { return Last(message) != nullptr; }

const Received* RecordingWindow::Last(UINT message) const {
  for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it) {
    if (it->message == message) return &*it;
  }
  return nullptr;
}

LRESULT RecordingWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  m_messages.push_back(Received{message, wParam, lParam});
  if (onMessage) onMessage(message, wParam, lParam);
  if (message == WM_PAINT) {
    // Left half red, right half blue, and a line of Chinese text: easy to recognise on screen.
    auto* dc = reinterpret_cast<DrawContext*>(wParam);
    RECT client;
    GetClientRect(hwnd, &client);
    const long middle = client.right / 2;
    CRenderEngine::DrawColor(dc, RECT{0, 0, middle, client.bottom}, 0xFFD03030);
    CRenderEngine::DrawColor(dc, RECT{middle, 0, client.right, client.bottom}, 0xFF3050D0);
    RECT text{0, 0, client.right, client.bottom};
    CRenderEngine::DrawText(dc, nullptr, text, Gbk(u8"设备列表"), 0xFFFFFFFF, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace ui::gtktest
