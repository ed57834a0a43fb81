#include "platform/ui/core/NativeWindow.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/os/Charset.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIRect.h"
#include "platform/ui/core/WindowModel.h"
#include "platform/ui/host/Host.h"
#include "platform/ui/render/RenderEngine.h"

namespace ui {
namespace {

std::mutex g_classMutex;
std::map<std::string, WindowClassFactory>& ClassTable() {
  static std::map<std::string, WindowClassFactory> table;
  return table;
}

std::unique_ptr<IWindowClassBehavior> MakeBehavior(const CreateWindowParams& params) {
  std::lock_guard lock(g_classMutex);
  for (const std::string* name : {&params.className, &params.superClass}) {
    auto it = ClassTable().find(*name);
    if (!name->empty() && it != ClassTable().end()) return it->second();
  }
  return nullptr;
}


RECT ClientRectOf(const WindowRecord& record) { return RECT{0, 0, RectWidth(record.rect), RectHeight(record.rect)}; }

HostWindowSpec SpecOf(const WindowRecord& record) {
  HostWindowSpec spec;
  spec.hwnd = record.hwnd;
  spec.popup = record.IsPopup();
  spec.owner = record.parent != nullptr ? GetAncestorRoot(record.parent) : nullptr;
  spec.rect = record.rect;
  spec.title = os::GbkToUtf8(record.text);
  spec.toolWindow = (record.exStyle & WS_EX_TOOLWINDOW) != 0;
  spec.frameButtons = (record.style & WS_MINIMIZEBOX) != 0;
  return spec;
}

void ResizeCanvas(WindowRecord& record) {
  if (record.IsChildWindow()) return;
  const int width = std::max<long>(1, RectWidth(record.rect));
  const int height = std::max<long>(1, RectHeight(record.rect));
  if (record.canvas && record.canvas->Width() == width && record.canvas->Height() == height) return;
  record.canvas = std::make_unique<Canvas>(width, height);
  record.canvas->Clear(0xFFFFFFFF);
}

void DestroyTree(const std::shared_ptr<WindowRecord>& record);

}  // namespace

void RegisterWindowClass(const std::string& className, WindowClassFactory factory) {
  std::lock_guard lock(g_classMutex);
  ClassTable()[className] = std::move(factory);
}

std::shared_ptr<WindowRecord> LocalRecord(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto record = WindowTable::Instance().Find(hwnd);
  if (record == nullptr || record->queue != ThreadQueue::Current()) return nullptr;
  return record;
}

LRESULT Deliver(WindowRecord& record, UINT message, WPARAM wParam, LPARAM lParam) {
  if (record.procedure != nullptr) return record.procedure->WindowProcedure(record.hwnd, message, wParam, lParam);
  return DefWindowProc(record.hwnd, message, wParam, lParam);
}

std::shared_ptr<WindowRecord> RootRecord(const std::shared_ptr<WindowRecord>& record) {
  auto current = record;
  while (current != nullptr && current->IsChildWindow()) {
    auto parent = LocalRecord(current->parent);
    if (parent == nullptr) break;
    current = parent;
  }
  return current;
}

POINT OriginInRoot(const std::shared_ptr<WindowRecord>& record) {
  POINT origin{};
  auto current = record;
  while (current != nullptr && current->IsChildWindow()) {
    origin.x += current->rect.left;
    origin.y += current->rect.top;
    current = LocalRecord(current->parent);
  }
  return origin;
}

HWND CreateNativeWindow(const CreateWindowParams& params) {
  EnsureWindowSystem();
  auto queue = ThreadQueue::Current();
  std::shared_ptr<WindowRecord> parent;
  if (params.parent != nullptr) {
    parent = LocalRecord(params.parent);
    if (parent == nullptr) return nullptr;
  }
  if ((params.style & WS_CHILD) != 0 && parent == nullptr) return nullptr;
  auto record = std::make_shared<WindowRecord>();
  record->queue = queue;
  record->className = params.className;
  record->classStyle = params.classStyle;
  record->style = params.style & ~WS_VISIBLE;
  record->exStyle = params.exStyle;
  record->rect = params.rect;
  record->parent = params.parent;
  record->enabled = (params.style & WS_DISABLED) == 0;
  record->text = params.title;
  record->procedure = params.procedure;
  record->behavior = MakeBehavior(params);
  record->video.SetSize(SIZE{RectWidth(record->rect), RectHeight(record->rect)});
  const HWND hwnd = WindowTable::Instance().Add(record);
  queue->windows.push_back(hwnd);
  if (parent != nullptr && record->IsChildWindow()) parent->children.push_back(hwnd);
  ResizeCanvas(*record);
  if (!record->IsChildWindow()) CurrentHost().WindowCreated(SpecOf(*record));

  Deliver(*record, WM_NCCREATE, 0, 0);
  if (Deliver(*record, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!record->alive) return nullptr;
  Deliver(*record, WM_SIZE, SIZE_RESTORED, MAKELPARAM(RectWidth(record->rect), RectHeight(record->rect)));
  if ((params.style & WS_VISIBLE) != 0) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  return hwnd;
}

LRESULT BaseWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return 0;
  switch (message) {
    case WM_CLOSE:
      record->closeResult = static_cast<UINT>(wParam);
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(hwnd, WM_CLOSE, IDCANCEL, 0);
      return 0;
    case WM_SETTEXT:
      SetWindowText(hwnd, reinterpret_cast<const char*>(lParam));
      return 1;
    case WM_GETTEXT:
      return GetWindowText(hwnd, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return GetWindowTextLength(hwnd);
    case WM_PAINT:
      PaintVideoPicture(hwnd, reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return 0;
  }
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return 0;
  if (record->behavior != nullptr) return record->behavior->Handle(hwnd, message, wParam, lParam);
  return BaseWindowProc(hwnd, message, wParam, lParam);
}

namespace {

void DestroyTree(const std::shared_ptr<WindowRecord>& record) {
  if (record->destroying) return;
  record->destroying = true;
  const HWND hwnd = record->hwnd;
  auto queue = record->queue;
  if (record->visible && !record->IsChildWindow()) CurrentHost().WindowShown(hwnd, false, false);

  // Owned windows go first, then the window itself, then its children (innermost last).
  std::vector<std::shared_ptr<WindowRecord>> owned;
  for (HWND candidate : queue->windows) {
    auto other = LocalRecord(candidate);
    if (other != nullptr && !other->IsChildWindow() && other->parent == hwnd) owned.push_back(other);
  }
  for (const auto& other : owned) DestroyTree(other);

  // A window that goes gives up the capture first, and hears of it while it still stands.
  if (queue->capture == hwnd) ReleaseCapture();
  Deliver(*record, WM_DESTROY, 0, 0);
  for (HWND child : std::vector<HWND>(record->children)) {
    if (auto childRecord = LocalRecord(child)) DestroyTree(childRecord);
  }
  FocusAfterDestroy(record);
  queue->KillTimers(hwnd);
  queue->ForgetDirty(hwnd);
  if (auto parent = LocalRecord(record->parent); parent != nullptr && record->IsChildWindow()) {
    std::erase(parent->children, hwnd);
    InvalidateRoot(RootRecord(parent), OffsetRect(record->rect, OriginInRoot(parent)));
  }
  IWindowProcedure* procedure = record->procedure;
  record->procedure = nullptr;
  WindowTable::Instance().Remove(hwnd);
  std::erase(queue->windows, hwnd);
  if (!record->IsChildWindow()) CurrentHost().WindowDestroyed(hwnd);
  // The procedure may delete itself here; nothing of it is touched afterwards.
  if (procedure != nullptr) procedure->WindowProcedure(hwnd, WM_NCDESTROY, 0, 0);
  record->behavior.reset();
  // A modal loop waits for its window to go: it must look again even when no other message
  // follows (the window went in a test driver's code, between messages).
  if (!record->IsChildWindow() && queue->loopDepth > 0) {
    MSG wake;
    wake.message = WM_NULL;
    queue->Post(wake);
  }
}

}  // namespace

bool DestroyWindow(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  DestroyTree(record);
  return true;
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return 0;
  return Deliver(*record, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) { ThreadQueue::Current()->Quit(exitCode); }

bool GetMessage(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage) {
  ThreadQueue::Current()->Get(msg, filter, minMessage, maxMessage, true, true);
  return msg->message != WM_QUIT;
}

bool PeekMessage(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, UINT removeFlags) {
  return ThreadQueue::Current()->Get(msg, filter, minMessage, maxMessage, false, (removeFlags & PM_REMOVE) != 0);
}

// Control characters come from keys, as on the original platform: Backspace and Ctrl+letter
// give their WM_CHAR (the host delivers printable text itself).
bool TranslateMessage(const MSG* msg) {
  if (msg == nullptr || msg->message != WM_KEYDOWN) return false;
  WPARAM ch = 0;
  if (msg->wParam == VK_BACK) {
    ch = 0x08;
  } else if (msg->wParam >= 'A' && msg->wParam <= 'Z' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
    ch = msg->wParam - 'A' + 1;
  }
  return ch != 0 && PostMessage(msg->hwnd, WM_CHAR, ch, msg->lParam);
}

LRESULT DispatchMessage(const MSG* msg) {
  auto record = LocalRecord(msg->hwnd);
  if (record == nullptr) return 0;
  if (msg->message == WM_PAINT && msg->wParam == 0 && !record->IsChildWindow()) {
    PaintRootWindow(msg->hwnd);
    return 0;
  }
  return Deliver(*record, msg->message, msg->wParam, msg->lParam);
}

bool GetClientRect(HWND hwnd, RECT* rc) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || rc == nullptr) return false;
  *rc = ClientRectOf(*record);
  return true;
}

bool GetWindowRect(HWND hwnd, RECT* rc) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || rc == nullptr) return false;
  POINT topLeft{0, 0};
  ClientToScreen(hwnd, &topLeft);
  *rc = RECT{topLeft.x, topLeft.y, topLeft.x + RectWidth(record->rect), topLeft.y + RectHeight(record->rect)};
  return true;
}

bool ClientToScreen(HWND hwnd, POINT* pt) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || pt == nullptr) return false;
  const POINT origin = OriginInRoot(record);
  auto root = RootRecord(record);
  pt->x += origin.x + root->rect.left;
  pt->y += origin.y + root->rect.top;
  return true;
}

bool ScreenToClient(HWND hwnd, POINT* pt) {
  POINT origin{0, 0};
  if (pt == nullptr || !ClientToScreen(hwnd, &origin)) return false;
  pt->x -= origin.x;
  pt->y -= origin.y;
  return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  const RECT old = record->rect;
  const RECT next{x, y, x + std::max(width, 0), y + std::max(height, 0)};
  if (std::memcmp(&old, &next, sizeof(RECT)) == 0) return true;
  auto root = RootRecord(record);
  if (record->IsChildWindow()) {
    InvalidateRoot(root, OffsetRect(old, OriginInRoot(LocalRecord(record->parent))));
  }
  record->rect = next;
  const bool resized = RectWidth(old) != RectWidth(next) || RectHeight(old) != RectHeight(next);
  if (resized) record->video.SetSize(SIZE{RectWidth(next), RectHeight(next)});
  if (!record->IsChildWindow()) {
    ResizeCanvas(*record);
    CurrentHost().WindowMoved(hwnd, record->rect);
  }
  if (repaint || resized) InvalidateRect(hwnd, nullptr);
  if (resized) Deliver(*record, WM_SIZE, SIZE_RESTORED, MAKELPARAM(RectWidth(next), RectHeight(next)));
  Deliver(*record, WM_MOVE, 0, MAKELPARAM(next.left, next.top));
  return true;
}

bool SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  const RECT rc = record->rect;
  if ((flags & SWP_NOMOVE) != 0) {
    x = rc.left;
    y = rc.top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    cx = RectWidth(rc);
    cy = RectHeight(rc);
  }
  MoveWindow(hwnd, x, y, cx, cy, true);
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) != 0 ? SW_SHOWNOACTIVATE : SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(hwnd, SW_HIDE);
  return true;
}

RECT GetWorkArea(HWND) { return CurrentHost().WorkArea(); }

void SetWindowRoundCorner(HWND hwnd, int width, int height) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || record->IsChildWindow()) return;
  record->roundCorner = SIZE{width, height};
  InvalidateRect(hwnd, nullptr);
}

bool ShowWindow(HWND hwnd, int command) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  const bool wasVisible = record->visible;
  const bool show = command != SW_HIDE;
  if (show != wasVisible) {
    record->visible = show;
    Deliver(*record, WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (!record->alive) return wasVisible;
  }
  const bool activate = show && (command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_RESTORE ||
                                 command == SW_MAXIMIZE);
  if (record->IsChildWindow()) {
    // A child that stays as it was changes nothing on the screen.
    auto parent = LocalRecord(record->parent);
    if (parent != nullptr && show != wasVisible) {
      InvalidateRoot(RootRecord(parent), OffsetRect(record->rect, OriginInRoot(parent)));
    }
  } else {
    if (show != wasVisible || activate) CurrentHost().WindowShown(hwnd, show, activate);
    if (show) InvalidateRect(hwnd, nullptr);
  }
  if (!show && !wasVisible) return false;
  if (!show) {
    auto queue = record->queue;
    if (queue->focus == hwnd || IsChild(hwnd, queue->focus)) {
      SetFocus(record->IsChildWindow() ? record->parent : nullptr);
    }
    if (queue->active == hwnd) SetActiveWindow(record->parent != nullptr ? GetAncestorRoot(record->parent) : nullptr);
  } else if (activate && !record->IsChildWindow()) {
    SetActiveWindow(hwnd);
  }
  return wasVisible;
}

bool IsWindowVisible(HWND hwnd) {
  for (auto record = LocalRecord(hwnd); record != nullptr;) {
    if (!record->visible) return false;
    if (!record->IsChildWindow()) return true;
    record = LocalRecord(record->parent);
  }
  return false;
}

bool EnableWindow(HWND hwnd, bool enable) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  const bool wasDisabled = !record->enabled;
  if (record->enabled == enable) return wasDisabled;
  record->enabled = enable;
  if (!enable) {
    auto queue = record->queue;
    if (queue->capture == hwnd || IsChild(hwnd, queue->capture)) ReleaseCapture();
  }
  Deliver(*record, WM_ENABLE, enable ? 1 : 0, 0);
  if (!record->IsChildWindow()) CurrentHost().WindowEnabled(hwnd, enable);
  return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr && record->enabled;
}

HWND GetParent(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? record->parent : nullptr;
}

HWND GetAncestorRoot(HWND hwnd) {
  auto root = RootRecord(LocalRecord(hwnd));
  return root != nullptr ? root->hwnd : nullptr;
}

bool IsChild(HWND parent, HWND hwnd) {
  if (parent == nullptr || hwnd == nullptr) return false;
  for (auto record = LocalRecord(hwnd); record != nullptr && record->IsChildWindow();) {
    if (record->parent == parent) return true;
    record = LocalRecord(record->parent);
  }
  return false;
}

bool SetWindowText(HWND hwnd, const char* text) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  record->text = text != nullptr ? text : "";
  if (!record->IsChildWindow()) CurrentHost().WindowTitleChanged(hwnd, os::GbkToUtf8(record->text));
  return true;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || buffer == nullptr || size <= 0) return 0;
  // Cut on a character boundary, always terminated.
  const std::size_t length = os::GbkPrefixLength(record->text, static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, record->text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

int GetWindowTextLength(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? static_cast<int>(record->text.size()) : 0;
}

std::string GetWindowTextString(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? record->text : std::string();
}

std::string GetWindowClassNameOf(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? record->className : std::string();
}

DWORD GetWindowStyle(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? (record->style | (record->visible ? WS_VISIBLE : 0)) : 0;
}

void SetWindowIcon(HWND hwnd, UINT resourceId) {
  if (auto record = LocalRecord(hwnd)) record->icon = resourceId;
}

void SetPostedMessageDiscarder(HWND hwnd, PostedMessageDiscarder discarder) {
  if (auto record = LocalRecord(hwnd)) record->discarder = discarder;
}

UINT GetWindowIcon(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  return record != nullptr ? record->icon : 0;
}

void InvalidateRoot(const std::shared_ptr<WindowRecord>& root, const RECT& rc) {
  if (root == nullptr || root->IsChildWindow()) return;
  RECT clipped;
  if (!IntersectRect(&clipped, rc, ClientRectOf(*root))) return;
  RECT& dirty = root->dirty;
  if (dirty.right <= dirty.left || dirty.bottom <= dirty.top) {
    dirty = clipped;
  } else {
    dirty.left = std::min(dirty.left, clipped.left);
    dirty.top = std::min(dirty.top, clipped.top);
    dirty.right = std::max(dirty.right, clipped.right);
    dirty.bottom = std::max(dirty.bottom, clipped.bottom);
  }
  root->queue->MarkDirty(root->hwnd);
}

bool InvalidateRect(HWND hwnd, const RECT* rc, bool) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return false;
  RECT area = ClientRectOf(*record);
  if (rc != nullptr && !IntersectRect(&area, area, *rc)) return true;
  InvalidateRoot(RootRecord(record), OffsetRect(area, OriginInRoot(record)));
  return true;
}

void InvalidateVideoWindow(HWND hwnd) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr) return;
  auto root = RootRecord(record);
  if (!record->IsChildWindow() || root == nullptr) {
    InvalidateRect(hwnd, nullptr);
    return;
  }
  auto& windows = root->dirtyVideoWindows;
  if (std::find(windows.begin(), windows.end(), hwnd) == windows.end()) windows.push_back(hwnd);
  root->queue->MarkDirty(root->hwnd);
}

VideoFrameCounts GetVideoFrameCounts(HWND hwnd) {
  auto record = WindowTable::Instance().Find(hwnd);
  return record != nullptr ? record->video.Counts() : VideoFrameCounts{};
}

bool PaintVideoPicture(HWND hwnd, DrawContext* hDC) {
  auto record = LocalRecord(hwnd);
  if (record == nullptr || hDC == nullptr) return false;
  const Image* picture = record->video.PictureToPaint();
  if (picture == nullptr) return false;
  const RECT client = ClientRectOf(*record);
  CRenderEngine::DrawImage(hDC, *picture, client, client, RECT{0, 0, picture->Width(), picture->Height()}, RECT{});
  return true;
}

void UpdateWindow(HWND hwnd) {
  const HWND root = GetAncestorRoot(hwnd);
  if (root == nullptr) return;
  ThreadQueue::Current()->ForgetDirty(root);
  PaintRootWindow(root);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
  if (LocalRecord(hwnd) == nullptr) return 0;
  return ThreadQueue::Current()->SetTimer(hwnd, id, elapse);
}

bool KillTimer(HWND hwnd, UINT_PTR id) { return ThreadQueue::Current()->KillTimer(hwnd, id); }

short GetKeyState(int virtualKey) {
  return ThreadQueue::Current()->keysDown.count(virtualKey) != 0 ? static_cast<short>(0x8000) : 0;
}

HCURSOR LoadCursor(void*, int cursorId) { return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(cursorId)); }

int CursorIdOf(HCURSOR cursor) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(cursor)); }

HCURSOR SetCursor(HCURSOR cursor) {
  auto queue = ThreadQueue::Current();
  const int previous = queue->cursorId;
  const int next = CursorIdOf(cursor);
  if (next != previous) {
    queue->cursorId = next;
    CurrentHost().CursorChanged(GetAncestorRoot(queue->hover), next);
  }
  return LoadCursor(nullptr, previous);
}

void SetClipboardText(const std::string& text) { CurrentHost().SetClipboardText(text); }

std::string GetClipboardText() { return CurrentHost().GetClipboardText(); }

}  // namespace ui
