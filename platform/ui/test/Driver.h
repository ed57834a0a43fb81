#pragma once
// ui::test::Driver: drives the framework's windows as a user would, for tests and for the step
// runner of LPR_UI_SCRIPT. It injects input through the host seam (so controls see real mouse and
// key messages and send the notifications of a user's change), waits until the window thread is
// idle, moves a virtual clock so that timers fire, answers message boxes and file dialogs, and
// saves pictures of windows.
//
// The driver is used from a thread other than the window thread: each call hands its work to the
// window thread and returns once that thread has nothing left to do (or waits in a nested loop,
// for example under a modal dialog it opened). Code that touches windows or controls directly
// goes through Run.
//
// Windows are found by their window name (the name given to CreateWnd, GBK) or class name;
// controls by name, in the given window or else in the active window first and then in the other
// windows, newest first. A control name of the form "parent/child" (any depth, "a/b/c") finds
// `child` only inside the control named `parent`, so that a test picks one of two controls of the
// same name (the "EditEX" of each of two calendars); every method that takes a control name takes
// such a path. Texts are GBK unless a parameter says UTF-8.
//
// Message boxes are the framework's own dialogs: windows of class "UIMessageBox" whose text is the
// control "msg_text" and whose buttons are named "ok", "cancel", "yes" and "no".

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/Clock.h"
#include "platform/os/NativeDialogs.h"
#include "platform/os/WinTypes.h"

namespace ui {
class CControlUI;
class ThreadQueue;
}  // namespace ui

namespace ui::test {

struct DriverOptions {
  // Install a virtual clock for the process while the driver lives (timers move with
  // AdvanceClock). With false the current clock is used, and AdvanceClock sleeps for real (until
  // the loop of an attached thread ends).
  bool virtualClock = true;
  // How long (real time) a call waits for the window thread to become idle.
  std::chrono::milliseconds idleTimeout{20000};
};

struct PlainMessageBox {
  std::string text;
  std::string caption;
};

class Driver {
 public:
  // Starts a window thread of its own, running CPaintManagerUI::MessageLoop (again after each
  // WM_QUIT) until the driver is destroyed; its windows are destroyed then. While a driver lives it
  // answers the open-file dialog and plain message boxes; at its end the handlers it found are back.
  Driver();
  explicit Driver(const DriverOptions& options);
  // Drives the calling thread's windows from another thread (the step runner). Made on the
  // window thread; every other call is made from elsewhere.
  static std::unique_ptr<Driver> AttachToCurrentThread(const DriverOptions& options = {});
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // --- The window thread ---
  // Runs `code` on the window thread, then waits for idle. True when `code` returned (also when it
  // ended the loop of an attached thread, which then serves no more); false when it still runs (it
  // waits in a nested loop, for example in ShowModal) or the thread is gone.
  bool Run(const std::function<void()>& code);
  // The value `code` computes on the window thread (code that must not block).
  template <typename T>
  T Get(const std::function<T()>& code) {
    T value{};
    Run([&] { value = code(); });
    return value;
  }
  bool WaitUntilIdle();
  // How many times the window thread's message loop ended with WM_QUIT.
  int QuitCount() const;

  // --- Time ---
  // Moves the clock on by `duration`, stopping at each timer that falls due on the way so that
  // every tick is handled (timers keep running inside nested loops and drag loops).
  void AdvanceClock(std::chrono::milliseconds duration);
  os::VirtualClock* Clock() const { return m_clock.get(); }

  // --- Windows ---
  // The newest visible window with that window name (or class name), or nullptr.
  HWND FindWindow(const std::string& name);
  // Waits up to `timeout` of real time (the clock moves along when it is virtual), and no longer
  // than the loop of an attached thread runs.
  HWND WaitForWindow(const std::string& name, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  HWND ActiveWindow();
  std::vector<HWND> VisibleWindows();
  std::string WindowName(HWND hwnd);

  // --- Controls (nullptr `window`: see above) ---
  bool Exists(const std::string& control, HWND window = nullptr);
  std::string Text(const std::string& control, HWND window = nullptr);
  bool IsEnabled(const std::string& control, HWND window = nullptr);
  bool IsVisible(const std::string& control, HWND window = nullptr);
  // The control's rectangle in its window's client coordinates.
  std::optional<RECT> Rect(const std::string& control, HWND window = nullptr);

  // --- Input (false when the control is missing, hidden or outside its window) ---
  bool Click(const std::string& control, HWND window = nullptr);
  bool DoubleClick(const std::string& control, HWND window = nullptr);
  bool RightClick(const std::string& control, HWND window = nullptr);
  // Moves the mouse onto the control.
  bool Hover(const std::string& control, HWND window = nullptr);
  // Presses on the control's centre, moves by (dx, dy) in `steps` moves and releases.
  bool Drag(const std::string& control, int dx, int dy, int steps = 4, HWND window = nullptr);
  // Mouse input at a point of a window's client area (false when the window is gone).
  bool ClickAt(HWND window, POINT pt);
  bool RightClickAt(HWND window, POINT pt);
  bool DoubleClickAt(HWND window, POINT pt);
  bool DragAt(HWND window, POINT from, POINT to, int steps = 4);
  // Selects the field of a masked edit (or the word of a plain edit) that holds character
  // `charIndex`, as a user does: clicks the control unless its edit window is open, then double-
  // clicks that character in the edit window. False when no edit window opens or there is no such
  // character.
  bool SelectEditField(const std::string& control, int charIndex, HWND window = nullptr);
  // The pointer moves there; a held left button stays held.
  bool MoveAt(HWND window, POINT pt);
  // The left button goes down there and stays down (a new press, never a double click's second)
  // until ReleaseAt: a drag a step at a time.
  bool PressAt(HWND window, POINT pt);
  bool ReleaseAt(HWND window, POINT pt);
  // Clicks the control (which opens its edit window) and replaces its text with `utf8` as a user
  // does: Home, Shift+End, then the typing.
  bool Type(const std::string& control, const std::string& utf8, HWND window = nullptr);
  // Types at the caret of whatever has the keyboard focus.
  void TypeText(const std::string& utf8);
  void PressKey(UINT virtualKey);
  void KeyDown(UINT virtualKey);
  void KeyUp(UINT virtualKey);
  void Wheel(const std::string& control, int delta, HWND window = nullptr);
  // Picks item `index` of a combo box (through its drop-down) or of a list, as a user does.
  bool Select(const std::string& control, int index, HWND window = nullptr);

  // --- Message boxes and file dialogs ---
  // The next message box that appears is answered with this button.
  void AnswerNextMessageBox(const std::string& button = "ok");
  // The text of the topmost open message box, if one is open.
  std::optional<std::string> OpenMessageBoxText();
  // Clicks a button of the open message box; false when none is open.
  bool AnswerMessageBox(const std::string& button = "ok");
  // The texts of every message box seen so far, in order.
  std::vector<std::string> MessageBoxTexts() const;
  // The next open-file dialog answers this path (empty: cancelled).
  void AnswerNextFileDialog(const std::string& path);
  std::vector<os::OpenFileRequest> FileDialogRequests() const;
  std::vector<PlainMessageBox> PlainMessageBoxes() const;

  // --- Pictures ---
  bool SaveScreenshot(HWND window, const std::string& path);
  // All visible windows as they lie on the work area, newest on top.
  bool SaveDesktopScreenshot(const std::string& path);

  // Only inside Run: the control as the lookups above find it.
  CControlUI* Control(const std::string& name, HWND window = nullptr);

 private:
  struct Attach {};
  Driver(const DriverOptions& options, Attach);
  void InstallDialogHandlers();
  void ThreadMain();
  bool PostAndWait(const std::function<void()>& code, bool* finished);
  void AnswerPendingMessageBoxes();
  bool ClickControl(const std::string& control, HWND window, UINT down, UINT up, bool twice);
  HWND OpenEditWindow(const std::string& control, HWND window);
  // Runs `inject` on the window thread with the root window of `window` and `pt` in its client area.
  bool InjectAt(HWND window, POINT pt, const std::function<void(HWND root, POINT rootPoint)>& inject);
  HWND FindMessageBox();

  DriverOptions m_options;
  std::unique_ptr<os::VirtualClock> m_clock;
  std::shared_ptr<ThreadQueue> m_queue;
  bool m_ownThread = false;
  struct ThreadState;
  std::unique_ptr<ThreadState> m_thread;

  mutable std::mutex m_mutex;
  std::vector<std::string> m_messageBoxAnswers;
  std::vector<std::string> m_messageBoxTexts;
  std::vector<HWND> m_seenMessageBoxes;
  std::vector<std::string> m_fileAnswers;
  std::vector<os::OpenFileRequest> m_fileRequests;
  std::vector<PlainMessageBox> m_plainBoxes;
  os::OpenFileDialogHandler m_previousFileDialog;
  os::PlainMessageBoxHandler m_previousPlainMessageBox;
};

}  // namespace ui::test
