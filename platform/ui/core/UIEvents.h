#pragma once
// Events that the paint manager delivers to controls, notifications that controls send to their
// window, and the flags that go with them.

#include <cstdint>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/UIString.h"

namespace ui {

class CControlUI;

// Event numbers (TEventUI::Type). The programs compare against the numbers themselves.
enum UIEVENT {
  UIEVENT__FIRST = 1,
  UIEVENT__KEYBEGIN = 2,
  UIEVENT_KEYDOWN = 3,
  UIEVENT_KEYUP = 4,
  UIEVENT_CHAR = 5,
  UIEVENT_SYSKEY = 6,
  UIEVENT__KEYEND = 7,
  UIEVENT__MOUSEBEGIN = 8,
  UIEVENT_MOUSEMOVE = 9,
  UIEVENT_MOUSELEAVE = 10,
  UIEVENT_MOUSEENTER = 11,
  UIEVENT_MOUSEHOVER = 12,
  UIEVENT_BUTTONDOWN = 13,
  UIEVENT_BUTTONUP = 14,
  UIEVENT_RBUTTONDOWN = 15,
  UIEVENT_DBLCLICK = 16,
  UIEVENT_CONTEXTMENU = 17,
  UIEVENT_SCROLLWHEEL = 18,
  UIEVENT__MOUSEEND = 19,
  UIEVENT_KILLFOCUS = 20,
  UIEVENT_SETFOCUS = 21,
  UIEVENT_WINDOWSIZE = 22,
  UIEVENT_SETCURSOR = 23,
  UIEVENT_TIMER = 24,
  UIEVENT__LAST = 25,
};

// Control flags (CControlUI::GetControlFlags).
constexpr UINT UIFLAG_TABSTOP = 0x00000001;
constexpr UINT UIFLAG_SETCURSOR = 0x00000002;
constexpr UINT UIFLAG_WANTRETURN = 0x00000004;

// Search flags (CControlUI::FindControl).
constexpr UINT UIFIND_ALL = 0x00000000;
constexpr UINT UIFIND_VISIBLE = 0x00000001;
constexpr UINT UIFIND_ENABLED = 0x00000002;
constexpr UINT UIFIND_HITTEST = 0x00000004;
constexpr UINT UIFIND_TOP_FIRST = 0x00000008;
constexpr UINT UIFIND_ME_FIRST = 0x80000000;

// Control state bits, as controls keep them for painting.
constexpr UINT UISTATE_FOCUSED = 0x00000001;
constexpr UINT UISTATE_SELECTED = 0x00000002;
constexpr UINT UISTATE_DISABLED = 0x00000004;
constexpr UINT UISTATE_HOT = 0x00000008;
constexpr UINT UISTATE_PUSHED = 0x00000010;
constexpr UINT UISTATE_READONLY = 0x00000020;
constexpr UINT UISTATE_CAPTURED = 0x00000040;

// Key state bits (TEventUI::wKeyState and the wParam of mouse messages).
constexpr WORD MK_LBUTTON = 0x0001;
constexpr WORD MK_RBUTTON = 0x0002;
constexpr WORD MK_SHIFT = 0x0004;
constexpr WORD MK_CONTROL = 0x0008;
constexpr WORD MK_MBUTTON = 0x0010;
constexpr WORD MK_ALT = 0x0020;  // our own bit: the Alt key was down

struct TEventUI {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse;      // in the paint window's client coordinates
  char chKey = 0;     // key events: the virtual key (low byte); char events: the character's lead byte
  WORD wKeyState = 0;  // MK_* bits
  WPARAM wParam = 0;   // the native message's wParam (timers: the timer id; wheel: the wheel delta)
  LPARAM lParam = 0;
};

struct TNotifyUI {
  CDuiString sType;
  CDuiString sVirtualWnd;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A receiver of a window's notifications (CPaintManagerUI::AddNotifier).
class INotifyUI {
 public:
  virtual void Notify(TNotifyUI& msg) = 0;

 protected:
  ~INotifyUI() = default;
};

// A filter that sees a window's messages before the window does (CPaintManagerUI::
// AddPreMessageFilter) or before the paint manager's own handling (AddMessageFilter).
class IMessageFilterUI {
 public:
  virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

}  // namespace ui
