#pragma once
// The seam between the window framework and what shows its windows. The framework keeps every
// window's picture in a Canvas and tells the host about top-level and popup windows; the host
// shows them (the gtk host) or nothing at all (the headless host), and feeds the user's input
// back with the Host* functions below. Child windows live inside their top-level window's picture.
//
// Threads: the framework calls a host on the window thread that owns the window, except Wake,
// which any thread calls. The Host* input functions are called on the window's thread.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Canvas.h"

namespace ui {

struct HostWindowSpec {
  HWND hwnd = nullptr;
  bool popup = false;       // an undecorated popup (drop-down, calendar); else a framed window
  HWND owner = nullptr;     // the top-level or popup window that owns it, or nullptr
  RECT rect;                // client area in screen coordinates
  std::string title;        // UTF-8
  bool toolWindow = false;  // kept out of the task bar
  bool frameButtons = false;
};

class Host {
 public:
  virtual ~Host() = default;
  virtual const char* Name() const = 0;

  virtual void WindowCreated(const HostWindowSpec& spec) = 0;
  virtual void WindowDestroyed(HWND hwnd) = 0;
  virtual void WindowMoved(HWND hwnd, const RECT& screenRect) = 0;
  virtual void WindowShown(HWND hwnd, bool visible, bool activate) = 0;
  virtual void WindowTitleChanged(HWND hwnd, const std::string& utf8) = 0;
  virtual void WindowEnabled(HWND hwnd, bool enabled) = 0;
  // The framework made `hwnd` the active window (or none).
  virtual void WindowActivated(HWND hwnd) = 0;
  // The picture of the window changed inside `dirty` (client coordinates). The picture stays the
  // window's, and up to date, until WindowMoved gives the window a new size or it is destroyed.
  virtual void WindowPainted(HWND hwnd, const Canvas& picture, const RECT& dirty) = 0;
  virtual void CursorChanged(HWND hwnd, int cursorId) = 0;
  // Where text input goes: the caret of the focused edit window, in the top-level's client
  // coordinates (for an input method's window); an empty rectangle when no edit has the focus.
  virtual void TextInputPlace(HWND topLevel, const RECT& caret) = 0;

  // The usable desktop area in screen coordinates.
  virtual RECT WorkArea() const = 0;

  // Whether the shown window takes input now: the display has done what was asked for it (shown,
  // drawn, given the keyboard focus when it is the active window) and has no answer of it left
  // to handle, so input that follows cannot be undone by a late one.
  virtual bool WindowReady(HWND hwnd) = 0;

  // Blocks the window thread until `ready()` holds (checked with `lock` held), the deadline of
  // os::Clock time passes, or host events were handled. `lock` is held on entry and on return.
  virtual void WaitForWork(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           std::optional<std::chrono::milliseconds> timeout, const std::function<bool()>& ready) = 0;
  // Any thread: the window thread should look at its queue again (after `cv` was notified).
  virtual void Wake() = 0;
  // Handles, without blocking, one turn of what the display has ready (an event, drawing); false
  // when nothing was ready. The window thread calls it now and then while its queue never runs
  // dry, so that the display keeps its turn.
  virtual bool HandlePendingEvent() = 0;

  virtual void SetClipboardText(const std::string& gbk) = 0;
  virtual std::string GetClipboardText() = 0;
};

// The host in use. Until one is installed, the first use installs what the host factory gives
// (the headless host when no factory was set).
Host& CurrentHost();
// The host in use once it has started: one still starting (StartingHost.h) is waited for.
Host& StartedHost();
// Installs a host for the process before the first window (nullptr: back to the factory's choice).
void SetHost(std::unique_ptr<Host> host);
using HostFactory = std::function<std::unique_ptr<Host>()>;
void SetHostFactory(HostFactory factory);
// Ends the host in use while the process's statics still stand (a host such as gtk's puts back
// what it installed in them): called on the thread that the host serves, once that thread is done
// with its windows and no other thread posts to them. The headless host serves from then on.
void TearDownHost();

// --- Input from the host, in client coordinates of the top-level or popup window `hwnd` ---
// WM_MOUSEMOVE, WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP; double clicks are made by the framework.
void HostMouseEvent(HWND hwnd, UINT message, POINT client, WPARAM keyState);
void HostMouseLeave(HWND hwnd);
void HostWheelEvent(HWND hwnd, POINT client, int delta, WPARAM keyState);
// WM_KEYDOWN / WM_KEYUP of a virtual key, to the window with the keyboard focus.
void HostKeyEvent(HWND hwnd, UINT message, UINT virtualKey);
// Typed text (UTF-8), one WM_CHAR per character to the window with the keyboard focus.
void HostTextInput(HWND hwnd, const std::string& utf8);
// The user asked to close the window (its frame's close button).
void HostCloseRequest(HWND hwnd);
// The user activated the window (true) or another application (false).
void HostActivation(HWND hwnd, bool active);
// The display broke the window's pointer grab (another client took the pointer): a mouse capture
// inside the window ends.
void HostCaptureBroken(HWND hwnd);
// The window's current picture, painted up to date; nullptr when it is gone.
const Canvas* HostWindowPicture(HWND hwnd);
// The window's picture as it was last painted (no paint first); nullptr when it is gone.
const Canvas* HostWindowLastPicture(HWND hwnd);

}  // namespace ui
