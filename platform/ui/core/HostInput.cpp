// The user's input as the host reports it, turned into queued window messages: mouse messages go
// to the capture window or the child window under the pointer, keys and characters to the window
// with the keyboard focus. Disabled windows (a modal dialog's owner) get none.

#include <cstdlib>

#include "platform/os/Charset.h"
#include "platform/os/Clock.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"

namespace ui {
namespace {

constexpr long kDoubleClickDistance = 4;
constexpr os::Clock::Duration kDoubleClickTime{500};

bool EnabledChain(const std::shared_ptr<WindowRecord>& record) {
  for (auto current = record; current != nullptr;) {
    if (!current->enabled) return false;
    if (!current->IsChildWindow()) return true;
    current = LocalRecord(current->parent);
  }
  return false;
}

// The innermost visible child window of `record` under `pt` (the record's client coordinates).
std::shared_ptr<WindowRecord> ChildAt(const std::shared_ptr<WindowRecord>& record, POINT* pt) {
  for (auto it = record->children.rbegin(); it != record->children.rend(); ++it) {
    auto child = LocalRecord(*it);
    if (child == nullptr || !child->visible) continue;
    const RECT& rc = child->rect;
    if (PtInRect(rc, *pt)) {
      pt->x -= rc.left;
      pt->y -= rc.top;
      return ChildAt(child, pt);
    }
  }
  return record;
}

void Queue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return;
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(os::CurrentClock().Now().count());
  msg.pt = record->queue->cursorScreen;
  record->queue->Post(msg);
}

// Turns a second press close in time and place into a double click, for classes that want them.
UINT DoubleClickOf(ThreadQueue& queue, const WindowRecord& target, UINT message, POINT pt) {
  const auto now = os::CurrentClock().Now();
  const bool isDown = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
  if (!isDown) return message;
  const bool again = queue.lastDownWindow == target.hwnd && queue.lastDownMessage == message &&
                     now - queue.lastDownTime <= kDoubleClickTime &&
                     std::labs(pt.x - queue.lastDownPoint.x) <= kDoubleClickDistance &&
                     std::labs(pt.y - queue.lastDownPoint.y) <= kDoubleClickDistance;
  if (again && (target.classStyle & CS_DBLCLKS) != 0) {
    queue.lastDownWindow = nullptr;
    return message == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
  }
  queue.lastDownWindow = target.hwnd;
  queue.lastDownMessage = message;
  queue.lastDownTime = now;
  queue.lastDownPoint = pt;
  return message;
}

HWND KeyTarget(HWND hwnd) {
  const HWND focus = GetFocus();
  if (focus != nullptr && GetAncestorRoot(focus) == GetAncestorRoot(hwnd)) return focus;
  return GetAncestorRoot(hwnd);
}

}  // namespace

void HostMouseEvent(HWND hwnd, UINT message, POINT client, WPARAM keyState) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr) return;
  auto queue = root->queue;
  queue->cursorScreen = POINT{client.x + root->rect.left, client.y + root->rect.top};
  if (message == WM_LBUTTONDOWN) queue->keysDown.insert(VK_LBUTTON);
  if (message == WM_LBUTTONUP) queue->keysDown.erase(VK_LBUTTON);
  if (message == WM_RBUTTONDOWN) queue->keysDown.insert(VK_RBUTTON);
  if (message == WM_RBUTTONUP) queue->keysDown.erase(VK_RBUTTON);

  std::shared_ptr<WindowRecord> target;
  POINT pt = client;
  if (auto capture = LocalRecord(queue->capture)) {
    target = capture;
    pt = queue->cursorScreen;
    ScreenToClient(capture->hwnd, &pt);
  } else {
    target = ChildAt(root, &pt);
    if (!EnabledChain(target)) return;
  }
  if (queue->hover != target->hwnd) {
    if (queue->hover != nullptr) Queue(queue->hover, WM_MOUSELEAVE, 0, 0);
    queue->hover = target->hwnd;
  }
  const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
  if (press) {
    // A click activates the window it lands in, as a window manager does.
    const HWND targetRoot = GetAncestorRoot(target->hwnd);
    if (targetRoot != GetActiveWindow() && EnabledChain(LocalRecord(targetRoot))) SetActiveWindow(targetRoot);
    if (!target->alive) return;
  }
  const UINT delivered = DoubleClickOf(*queue, *target, message, pt);
  Queue(target->hwnd, delivered, keyState, MAKELPARAM(pt.x, pt.y));
  if (message == WM_RBUTTONUP) {
    const POINT screen = queue->cursorScreen;
    Queue(target->hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target->hwnd), MAKELPARAM(screen.x, screen.y));
  }
}

void HostMouseLeave(HWND hwnd) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr) return;
  auto queue = root->queue;
  if (queue->capture != nullptr) return;
  if (queue->hover != nullptr && GetAncestorRoot(queue->hover) == hwnd) {
    Queue(queue->hover, WM_MOUSELEAVE, 0, 0);
    queue->hover = nullptr;
  }
}

void HostWheelEvent(HWND hwnd, POINT client, int delta, WPARAM keyState) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr) return;
  POINT pt = client;
  auto target = ChildAt(root, &pt);
  if (!EnabledChain(target)) return;
  // As on the original platform, the wheel message carries screen coordinates.
  const POINT screen{client.x + root->rect.left, client.y + root->rect.top};
  Queue(target->hwnd, WM_MOUSEWHEEL, (static_cast<WPARAM>(static_cast<WORD>(delta)) << 16) | (keyState & 0xFFFF),
        MAKELPARAM(screen.x, screen.y));
}

void HostKeyEvent(HWND hwnd, UINT message, UINT virtualKey) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr) return;
  auto queue = root->queue;
  if (message == WM_KEYDOWN) queue->keysDown.insert(static_cast<int>(virtualKey));
  if (message == WM_KEYUP) queue->keysDown.erase(static_cast<int>(virtualKey));
  const HWND target = KeyTarget(hwnd);
  if (!EnabledChain(LocalRecord(target))) return;
  Queue(target, message, virtualKey, 1);
}

void HostTextInput(HWND hwnd, const std::string& utf8) {
  auto root = LocalRecord(hwnd);
  if (root == nullptr) return;
  const HWND target = KeyTarget(hwnd);
  if (!EnabledChain(LocalRecord(target))) return;
  const std::string gbk = os::Utf8ToGbk(utf8);
  for (std::size_t i = 0; i < gbk.size();) {
    const auto lead = static_cast<unsigned char>(gbk[i]);
    WPARAM ch = lead;
    std::size_t length = 1;
    if (os::IsGbkLeadByte(lead) && i + 1 < gbk.size()) {
      ch |= static_cast<WPARAM>(static_cast<unsigned char>(gbk[i + 1])) << 8;
      length = 2;
    }
    Queue(target, WM_CHAR, ch, 1);
    i += length;
  }
}

void HostCloseRequest(HWND hwnd) {
  if (LocalRecord(hwnd) != nullptr && IsWindowEnabled(hwnd)) Queue(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void HostActivation(HWND hwnd, bool active) {
  if (active) {
    if (LocalRecord(hwnd) != nullptr && GetActiveWindow() != hwnd) SetActiveWindow(hwnd);
  } else if (GetActiveWindow() == hwnd) {
    SetActiveWindow(nullptr);
  }
}

void HostCaptureBroken(HWND hwnd) {
  if (LocalRecord(hwnd) == nullptr) return;
  const HWND capture = GetCapture();
  if (capture != nullptr && GetAncestorRoot(capture) == hwnd) ReleaseCapture();
}

const Canvas* HostWindowPicture(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || record->IsChildWindow()) return nullptr;
  UpdateWindow(hwnd);
  record = LocalRecord(hwnd);
  return record != nullptr ? record->canvas.get() : nullptr;
}

const Canvas* HostWindowLastPicture(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr && !record->IsChildWindow() ? record->canvas.get() : nullptr;
}

}  // namespace ui
