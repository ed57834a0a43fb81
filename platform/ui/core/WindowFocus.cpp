// Keyboard focus, activation and mouse capture of a window thread's windows.

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"

namespace ui {
namespace {

// The window that held the capture hears that it lost it; a loop waiting for messages while the
// capture lasts (a drag) wakes up to see it.
void TellCaptureLost(HWND previous, HWND next) {
  SendMessage(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(next));
  PostMessage(previous, WM_NULL, 0, 0);
}

// True when `root` is `owner` or a window owned by it (a dialog or popup over it).
bool IsOwnedBy(HWND root, HWND owner) {
  for (HWND current = root; current != nullptr; current = GetParent(current)) {
    if (current == owner) return true;
  }
  return false;
}

}  // namespace

HWND GetFocus() { return ThreadQueue::Current()->focus; }
HWND GetActiveWindow() { return ThreadQueue::Current()->active; }
HWND GetForegroundWindow() { return ThreadQueue::Current()->active; }
HWND GetCapture() { return ThreadQueue::Current()->capture; }

HWND SetFocus(HWND hwnd) {
  auto queue = ThreadQueue::Current();
  const HWND previous = queue->focus;
  if (hwnd != nullptr && LocalRecord(hwnd) == nullptr) return previous;
  if (hwnd == previous) return previous;
  // Focusing a window of an inactive top-level window activates it first.
  if (hwnd != nullptr) {
    const HWND root = GetAncestorRoot(hwnd);
    if (root != queue->active) {
      SetActiveWindow(root);
      if (queue->focus == hwnd) return previous;
    }
  }
  queue->focus = hwnd;
  if (auto old = LocalRecord(previous)) Deliver(*old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  // The kill-focus handler may have moved the focus on or destroyed the new window.
  if (queue->focus != hwnd) return previous;
  if (auto next = LocalRecord(hwnd)) Deliver(*next, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

HWND SetActiveWindow(HWND hwnd) {
  auto queue = ThreadQueue::Current();
  const HWND previous = queue->active;
  HWND root = hwnd != nullptr ? GetAncestorRoot(hwnd) : nullptr;
  if (auto target = LocalRecord(root); target != nullptr && target->destroying) root = nullptr;
  if (root == previous) return previous;
  // Deactivation takes the mouse capture away, unless a window the old one owns comes up.
  if (queue->capture != nullptr && previous != nullptr && GetAncestorRoot(queue->capture) == previous &&
      !IsOwnedBy(root, previous)) {
    ReleaseCapture();
  }
  queue->active = root;
  if (auto old = LocalRecord(previous)) {
    Deliver(*old, WM_NCACTIVATE, 0, 0);
    Deliver(*old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(root));
  }
  if (queue->active != root) return previous;
  CurrentHost().WindowActivated(root);
  if (auto next = LocalRecord(root)) {
    Deliver(*next, WM_NCACTIVATE, 1, 0);
    Deliver(*next, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
  }
  if (queue->active != root) return previous;
  if (root == nullptr) {
    SetFocus(nullptr);
  } else if (queue->focus != root && !IsChild(root, queue->focus)) {
    SetFocus(root);
  }
  return previous;
}

HWND SetCapture(HWND hwnd) {
  auto queue = ThreadQueue::Current();
  const HWND previous = queue->capture;
  if (LocalRecord(hwnd) == nullptr) return previous;
  queue->capture = hwnd;
  if (previous != nullptr && previous != hwnd) TellCaptureLost(previous, hwnd);
  return previous;
}

bool ReleaseCapture() {
  auto queue = ThreadQueue::Current();
  const HWND previous = queue->capture;
  queue->capture = nullptr;
  if (previous != nullptr) TellCaptureLost(previous, nullptr);
  return true;
}

void FocusAfterDestroy(const std::shared_ptr<WindowRecord>& record) {
  auto queue = record->queue;
  const HWND hwnd = record->hwnd;
  if (queue->capture == hwnd) queue->capture = nullptr;
  if (queue->hover == hwnd) queue->hover = nullptr;
  if (queue->lastDownWindow == hwnd) queue->lastDownWindow = nullptr;
  if (queue->focus == hwnd) {
    // A child's focus falls back to its parent; a top-level window's to the next active window.
    queue->focus = nullptr;
    if (record->IsChildWindow() && LocalRecord(record->parent) != nullptr) SetFocus(record->parent);
  }
  if (queue->active == hwnd) {
    queue->active = nullptr;
    HWND next = record->parent != nullptr ? GetAncestorRoot(record->parent) : nullptr;
    if (next == nullptr) {
      // No owner: the most recent other visible top-level window of the thread.
      for (auto it = queue->windows.rbegin(); it != queue->windows.rend(); ++it) {
        auto other = LocalRecord(*it);
        if (*it != hwnd && other != nullptr && !other->IsChildWindow() && !other->destroying && other->visible) {
          next = *it;
          break;
        }
      }
    }
    SetActiveWindow(next);
  }
}

}  // namespace ui
