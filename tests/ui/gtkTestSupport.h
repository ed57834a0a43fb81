#pragma once
// What the gtk host's tests share: a private X server (Xvfb) started for the test process, the gtk
// host installed on it, real input through the XTest extension, the display's pixels, and a
// framework window that records the messages it receives.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/NativeWindow.h"

typedef struct _GdkPixbuf GdkPixbuf;
typedef struct _GtkWindow GtkWindow;

namespace ui::gtktest {

// Starts Xvfb on a free display for the whole test process and installs the gtk host on it.
class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
  static bool Ready();

 private:
  int m_pid = 0;
};

// How long a test waits for what the display does at most. The display is another process,
// and on a machine busy with other tests it may be slow: the limit only bounds a failing test.
constexpr std::chrono::seconds kDisplayLimit{60};

// Runs the window thread's loop until `done` holds or the time is up; true when `done` held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kDisplayLimit);
// Runs the loop for a while (lets the display and GTK settle).
void PumpFor(std::chrono::milliseconds time);
// As PumpUntil, for a condition slow to ask (one that reads the display): it is asked between
// short turns of the loop, never inside one, since asking it on every turn of a busy machine's
// loop would keep GTK from drawing what it waits for.
bool PumpUntilBetweenTurns(const std::function<bool()>& done, std::chrono::milliseconds limit = kDisplayLimit);

// Whether the display shows the window's current picture at its place (so that input sent to that
// place reaches it).
bool IsShown(HWND hwnd);
// Runs the loop until IsShown; true when it came within `limit`.
bool PumpUntilShown(HWND hwnd, std::chrono::milliseconds limit = kDisplayLimit);
// Runs the loop until the host says the window takes input (mapped, drawn, focused when active).
bool PumpUntilReady(HWND hwnd, std::chrono::milliseconds limit = kDisplayLimit);

// The GTK window that shows `hwnd`, found by the key the host tags it with; nullptr when none.
GtkWindow* GtkWindowOf(HWND hwnd);
// Puts a focus change of the window's GTK window into GTK's queue, as the display reports one.
void PutFocusChange(HWND hwnd, bool in);
// Lets the keyboard focus follow the pointer, as on a display that has just started.
void FocusFollowsPointer();

// Real input through the X server.
void MovePointer(int screenX, int screenY);
void PressButton(int button, bool down);  // 1 left, 3 right, 4 and 5 the wheel
void Click(int screenX, int screenY, int button = 1);
void PressKey(unsigned int keysym, bool down);
void TypeKey(unsigned int keysym);

// What the display shows in the screen rectangle, as straight ARGB pixels by row.
std::vector<DWORD> ScreenPixels(const RECT& screen);

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// A top-level (or popup) framework window that paints a fixed picture and records its messages.
class RecordingWindow : public IWindowProcedure {
 public:
  RecordingWindow(const RECT& screenRect, DWORD style = 0, HWND owner = nullptr);
  ~RecordingWindow();
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;

  HWND Hwnd() const { return m_hwnd; }
  const std::vector<Received>& Messages() const { return m_messages; }
  bool Got(UINT message) const;
  const Received* Last(UINT message) const;
  void Clear() { m_messages.clear(); }
  // Called for each message after it is recorded.
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;

  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND m_hwnd = nullptr;
  std::vector<Received> m_messages;
};

}  // namespace ui::gtktest
