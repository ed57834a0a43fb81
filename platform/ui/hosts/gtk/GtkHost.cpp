#include "platform/ui/hosts/gtk/GtkHost.h"

#include <gtk/gtk.h>

#include <clocale>
#include <future>
#include <optional>
#include <unordered_map>

#include "platform/os/Charset.h"
#include "platform/os/NativeDialogs.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/hosts/gtk/GtkDialogs.h"
#include "platform/ui/hosts/gtk/GtkHostWindow.h"
#include "platform/ui/hosts/gtk/GtkTextInput.h"
#include "platform/ui/hosts/gtk/PlainMessageBoxBootstrap.h"
#include "platform/ui/hosts/gtk/WebKitBrowserBackend.h"

namespace ui {
namespace {

using gtkhost::GtkHostWindow;

// Windows are drawn with Cairo: GDK need not look for OpenGL on the display, which loads the GL
// libraries and their drivers (about 50 ms of processor time at start-up). A setting of the
// user's own stays. Set before main, while the process has one thread: setenv is not safe beside
// getenv on other threads.
[[maybe_unused]] const bool kOpenGlDisabled = g_setenv("GDK_GL", "disable", FALSE) != FALSE;

RECT DisplayWorkArea() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return RECT{0, 0, 1024, 768};
  GdkRectangle area;
  gdk_monitor_get_workarea(monitor, &area);
  return RECT{area.x, area.y, area.x + area.width, area.y + area.height};
}

// Once per process. The window model places top-level and popup windows at screen positions,
// which only X offers (under Wayland through its X server).
bool OpenDisplay() {
  static const bool opened = [] {
    gdk_set_allowed_backends("x11");
    return gtk_init_check(nullptr, nullptr) != FALSE;
  }();
  return opened;
}

// GTK's start, once per process: the display opened, its settings and theme read (the longest
// part, which the first window would pay otherwise).
bool StartGtk() {
  static const bool started = [] {
    if (!OpenDisplay()) return false;
    gtk_settings_get_default();
    return true;
  }();
  return started;
}

class GtkHost final : public Host {
 public:
  GtkHost() {
    os::SetOpenFileDialogHandler([this](const os::OpenFileRequest& request) {
      return gtkhost::RunOpenFileDialog(ParentOf(request.owner), request);
    });
    os::SetPlainMessageBoxHandler([this](HWND owner, const std::string& text, const std::string& caption) {
      gtkhost::RunPlainMessageBox(ParentOf(owner), text, caption);
    });
    gtkhost::SetGtkHostUp(true);
    // Page views may outlive the host (a control destroyed late): they then find no window.
    std::weak_ptr<bool> alive = m_alive;
    SetWebBrowserBackend(std::make_unique<gtkhost::WebKitBrowserBackend>([this, alive](HWND root) -> GtkFixed* {
      if (alive.expired()) return nullptr;
      GtkHostWindow* window = Find(root);
      return window != nullptr ? window->Overlays() : nullptr;
    }));
  }

  ~GtkHost() override {
    gtkhost::SetGtkHostUp(false);
    SetWebBrowserBackend(nullptr);
    os::SetOpenFileDialogHandler({});
    os::SetPlainMessageBoxHandler({});
    m_windows.clear();
  }

  const char* Name() const override { return "gtk"; }

  void WindowCreated(const HostWindowSpec& spec) override {
    GtkHostWindow* owner = Find(spec.owner);
    m_windows[spec.hwnd] =
        std::make_unique<GtkHostWindow>(spec, owner != nullptr ? owner->Window() : nullptr, m_textInput, m_focus);
  }

  void WindowDestroyed(HWND hwnd) override {
    m_focus.Forget(hwnd);
    m_windows.erase(hwnd);
  }

  void WindowMoved(HWND hwnd, const RECT& screenRect) override {
    if (GtkHostWindow* window = Find(hwnd)) window->Move(screenRect);
  }

  void WindowShown(HWND hwnd, bool visible, bool activate) override {
    if (GtkHostWindow* window = Find(hwnd)) window->Show(visible, activate);
  }

  void WindowTitleChanged(HWND hwnd, const std::string& utf8) override {
    if (GtkHostWindow* window = Find(hwnd)) window->SetTitle(utf8);
  }

  void WindowEnabled(HWND hwnd, bool enabled) override {
    if (GtkHostWindow* window = Find(hwnd)) window->SetEnabled(enabled);
  }

  void WindowActivated(HWND hwnd) override {
    if (GtkHostWindow* window = Find(hwnd)) window->Activate();
  }

  void WindowPainted(HWND hwnd, const Canvas& picture, const RECT& dirty) override {
    if (GtkHostWindow* window = Find(hwnd)) window->Paint(picture, dirty);
  }

  void CursorChanged(HWND hwnd, int cursorId) override {
    if (GtkHostWindow* window = Find(hwnd)) window->SetCursor(cursorId);
  }

  void TextInputPlace(HWND topLevel, const RECT& caret) override {
    if (GtkHostWindow* window = Find(topLevel)) window->SetTextInputPlace(caret);
  }

  RECT WorkArea() const override { return DisplayWorkArea(); }

  bool WindowReady(HWND hwnd) override {
    GtkHostWindow* window = Find(hwnd);
    if (window == nullptr) return false;
    // A round trip: the display has done what was asked of it, and its answers are in.
    gdk_display_sync(gdk_display_get_default());
    if (gdk_events_pending() || !m_focus.Settled()) return false;
    return window->TakesInput(GetActiveWindow() == hwnd);
  }

  // One turn of the GLib main loop: GTK's events, and the wake-ups of Wake() and of the timeout.
  void WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable&,
                   std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) override {
    if (ready()) return;
    lock.unlock();
    GSource* deadline = nullptr;
    if (timeout && timeout->count() > 0) {
      deadline = g_timeout_source_new(static_cast<guint>(timeout->count()));
      g_source_set_callback(
          deadline, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr, nullptr);
      g_source_attach(deadline, m_context);
    }
    g_main_context_iteration(m_context, !timeout || timeout->count() > 0);
    if (deadline != nullptr) {
      g_source_destroy(deadline);
      g_source_unref(deadline);
    }
    lock.lock();
  }

  void Wake() override { g_main_context_wakeup(m_context); }

  bool HandlePendingEvent() override {
    if (!g_main_context_pending(m_context)) return false;
    g_main_context_iteration(m_context, FALSE);
    return true;
  }

  void SetClipboardText(const std::string& gbk) override {
    const std::string utf8 = os::GbkToUtf8(gbk);
    gtk_clipboard_set_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD), utf8.c_str(), static_cast<gint>(utf8.size()));
  }

  std::string GetClipboardText() override {
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    if (text == nullptr) return {};
    std::string gbk = os::Utf8ToGbk(text);
    g_free(text);
    return gbk;
  }

 private:
  GtkHostWindow* Find(HWND hwnd) const {
    if (hwnd == nullptr) return nullptr;
    auto found = m_windows.find(hwnd);
    return found == m_windows.end() ? nullptr : found->second.get();
  }

  // The GTK window that a dialog of `owner` (any window of the framework) sits on.
  GtkWindow* ParentOf(HWND owner) const {
    GtkHostWindow* window = Find(owner != nullptr ? GetAncestorRoot(owner) : nullptr);
    return window != nullptr ? window->Window() : nullptr;
  }

  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
  GMainContext* m_context = g_main_context_default();
  gtkhost::GtkTextInput m_textInput;  // declared before the windows, which use it until they go
  gtkhost::GtkDisplayFocus m_focus{m_textInput};
  std::unordered_map<HWND, std::unique_ptr<GtkHostWindow>> m_windows;
};

}  // namespace

std::unique_ptr<Host> CreateGtkHost() {
  if (!StartGtk()) return nullptr;
  return std::make_unique<GtkHost>();
}

HostStart StartGtkElsewhere() {
  // GTK's start sets the process's locale, which is not safe beside other threads: done here, on
  // the calling thread, as GTK would.
  std::setlocale(LC_ALL, "");
  gtk_disable_setlocale();
  auto workArea = std::make_shared<std::promise<std::optional<RECT>>>();
  HostStart start;
  start.workArea = workArea->get_future().share();
  start.done = std::async(std::launch::async, [workArea] {
                 if (!OpenDisplay()) {
                   workArea->set_value(std::nullopt);
                   return;
                 }
                 workArea->set_value(DisplayWorkArea());
                 StartGtk();
               }).share();
  return start;
}

}  // namespace ui
