#pragma once
// The native-window model: top-level, popup and child windows with the Win32-style calls the
// programs and controls make on an HWND. Windows belong to the thread that created them and are
// used only there; PostMessage, IsWindow and PresentVideo (platform/os/WindowSystem.h) are the
// calls that any thread may make.
//
// Kinds: a window with WS_CHILD lives inside its parent's client area; one with WS_POPUP is an
// owned, undecorated window (drop-downs, calendars); any other is a top-level window, owned when it
// has a parent (dialogs). Rectangles of child windows are in their parent's client coordinates,
// those of the others in screen coordinates. Client areas have no frame: the client rectangle is
// the window rectangle moved to (0, 0).
//
// Input arrives as messages in the window thread's queue: mouse messages carry client coordinates
// in lParam and MK_* bits in wParam; WM_CHAR carries one GBK character in wParam, a single byte or
// a double-byte character as lead byte | (trail byte << 8).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/os/WinTypes.h"
#include "platform/os/WindowSystem.h"

namespace ui {

class DrawContext;

using os::IsWindow;
using os::PostMessage;

// A window's own message handler (CWindowWnd implements it).
class IWindowProcedure {
 public:
  virtual LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~IWindowProcedure() = default;
};

// The default handling of a window class, such as the emulated "Edit" control: what
// DefWindowProc does for windows of that class (or of a class that names it as super class).
class IWindowClassBehavior {
 public:
  virtual ~IWindowClassBehavior() = default;
  // Handles the message or returns BaseWindowProc(hwnd, message, wParam, lParam).
  virtual LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};
using WindowClassFactory = std::function<std::unique_ptr<IWindowClassBehavior>()>;
// Registers the default behaviour of a class name; each new window of that class gets its own
// behaviour object. Replaces an earlier registration of the same name.
void RegisterWindowClass(const std::string& className, WindowClassFactory factory);

struct CreateWindowParams {
  DWORD exStyle = 0;
  std::string className;   // the window's class (CWindowWnd::GetWindowClassName)
  std::string superClass;  // the class whose default behaviour it takes (GetSuperClassName), or empty
  UINT classStyle = 0;     // CS_DBLCLKS and the like
  std::string title;       // GBK
  DWORD style = 0;
  RECT rect;               // see above for the coordinate space
  HWND parent = nullptr;
  IWindowProcedure* procedure = nullptr;  // may be null: the class default (or the base) handles all
};
// Creates the window on the calling thread: WM_CREATE is sent before this returns. nullptr when
// WM_CREATE returned -1 or the parent is not a window of this thread.
HWND CreateNativeWindow(const CreateWindowParams& params);

// The base default handling of every window: WM_CLOSE destroys, WM_SETTEXT/WM_GETTEXT keep the
// text, WM_PAINT of a video window shows its newest picture, everything else returns 0.
LRESULT BaseWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The class default, or BaseWindowProc.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

bool DestroyWindow(HWND hwnd);
// Synchronous delivery on the window's own thread; 0 when the window is gone.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

// The message queue of the calling thread. GetMessage blocks until a message is there and returns
// false for WM_QUIT. Posted messages and input come first, in the order they arrived, then WM_PAINT
// for windows with invalid areas, then due WM_TIMER messages, as on the original platform; messages
// for windows that are gone are dropped. `filter` restricts the result to one window and its
// descendants (other messages wait).
bool GetMessage(MSG* msg, HWND filter = nullptr, UINT minMessage = 0, UINT maxMessage = 0);
bool PeekMessage(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, UINT removeFlags);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);

// Geometry.
bool GetClientRect(HWND hwnd, RECT* rc);
bool GetWindowRect(HWND hwnd, RECT* rc);  // screen coordinates, for every kind
bool ClientToScreen(HWND hwnd, POINT* pt);
bool ScreenToClient(HWND hwnd, POINT* pt);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint = true);
// `insertAfter` is accepted for the calls' shape; child windows stay in the order of creation.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// The usable desktop area of the (one) monitor, in screen coordinates.
RECT GetWorkArea(HWND hwnd = nullptr);
// A rounded window outline (CPaintManagerUI's round corner); 0, 0 removes it.
void SetWindowRoundCorner(HWND hwnd, int width, int height);

// State.
bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);  // visible itself and every ancestor visible
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
HWND GetParent(HWND hwnd);  // the parent of a child window, the owner of any other
HWND GetAncestorRoot(HWND hwnd);  // the top-level or popup window that holds `hwnd`
bool IsChild(HWND parent, HWND hwnd);  // `hwnd` is a descendant child window of `parent`
bool SetWindowText(HWND hwnd, const char* text);
int GetWindowText(HWND hwnd, char* buffer, int size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextString(HWND hwnd);
std::string GetWindowClassNameOf(HWND hwnd);
DWORD GetWindowStyle(HWND hwnd);
// The window's icon, by the resource number the programs give (0: none).
void SetWindowIcon(HWND hwnd, UINT resourceId);
UINT GetWindowIcon(HWND hwnd);

// Invalidation: the invalid area is painted with WM_PAINT when the queue has nothing else.
// nullptr invalidates the whole client area.
bool InvalidateRect(HWND hwnd, const RECT* rc, bool erase = false);
// Paints the invalid areas of the window's top-level window now.
void UpdateWindow(HWND hwnd);

// Video windows: os::PresentVideo hands a window pictures of the size os::VideoSize gives (its
// client area). A new picture repaints the window alone, over what lies under it, unless a window
// above it overlaps it; so a window that shows video paints every pixel of its area.
struct VideoFrameCounts {
  std::uint64_t decoded = 0;   // pictures decoded for the window and handed to it
  std::uint64_t shown = 0;     // of those, the ones painted
  std::uint64_t skipped = 0;   // frames the camera numbered that never reached the window
  std::uint64_t replaced = 0;  // pictures replaced by a newer one before they were painted
};
// Counted since the window was made; any thread; all zero when the window is gone.
VideoFrameCounts GetVideoFrameCounts(HWND hwnd);
// Paints the window's newest video picture over its client area (stretched when the window's size
// changed after it was decoded); false when none has come.
bool PaintVideoPicture(HWND hwnd, DrawContext* hDC);

// Keyboard focus, activation and mouse capture.
HWND SetFocus(HWND hwnd);  // returns the previous focus window
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
// The state of a key as the input so far left it: bit 15 set while down.
short GetKeyState(int virtualKey);

// What frees the payload of a message posted to `hwnd` (from any thread) that is still queued
// when the window is destroyed: the sender was told the post succeeded, so only the queue can
// free it. Runs on the window's thread, after the window is gone, for each such message; it must
// not touch the window. Messages posted before the call are not covered.
using PostedMessageDiscarder = void (*)(UINT message, WPARAM wParam, LPARAM lParam);
void SetPostedMessageDiscarder(HWND hwnd, PostedMessageDiscarder discarder);

// Timers: WM_TIMER with wParam = id, about every `elapse` ms of os::Clock time.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);
bool KillTimer(HWND hwnd, UINT_PTR id);

// Mouse cursors.
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
constexpr int IDC_ARROW = 32512;
constexpr int IDC_IBEAM = 32513;
constexpr int IDC_WAIT = 32514;
constexpr int IDC_CROSS = 32515;
constexpr int IDC_SIZENWSE = 32642;
constexpr int IDC_SIZENESW = 32643;
constexpr int IDC_SIZEWE = 32644;
constexpr int IDC_SIZENS = 32645;
constexpr int IDC_SIZEALL = 32646;
constexpr int IDC_HAND = 32649;
HCURSOR LoadCursor(void* instance, int cursorId);
HCURSOR SetCursor(HCURSOR cursor);  // returns the previous cursor
int CursorIdOf(HCURSOR cursor);

// The clipboard's text (GBK).
void SetClipboardText(const std::string& text);
std::string GetClipboardText();

}  // namespace ui
