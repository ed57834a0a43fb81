#include "platform/ui/core/UIWindow.h"

#include <algorithm>

#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/core/WindowModel.h"

namespace ui {

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
  // A window object deleted while its window lives takes the window with it.
  if (m_hWnd != nullptr) {
    const HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    DestroyWindow(hwnd);
  }
}

HWND CWindowWnd::Create(HWND parent, const char* name, DWORD style, DWORD exStyle, const RECT& rc) {
  CreateWindowParams params;
  params.exStyle = exStyle;
  params.className = GetWindowClassName();
  params.superClass = GetSuperClassName() != nullptr ? GetSuperClassName() : "";
  params.classStyle = GetClassStyle();
  params.title = name != nullptr ? name : "";
  params.style = style;
  params.rect = rc;
  params.parent = parent;
  params.procedure = this;
  return CreateNativeWindow(params);
}

HWND CWindowWnd::Create(HWND parent, const char* name, DWORD style, DWORD exStyle, int x, int y, int cx, int cy) {
  return Create(parent, name, style, exStyle, RECT{x, y, x + cx, y + cy});
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
  if (m_hWnd == nullptr) return;
  ::ui::ShowWindow(m_hWnd, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
  const HWND hwnd = m_hWnd;
  if (hwnd == nullptr) return IDCANCEL;
  const HWND owner = GetParent(hwnd);
  // Kept past the window's end: it holds the code that Close gave.
  const std::shared_ptr<WindowRecord> record = LocalRecord(hwnd);
  if (record == nullptr) return IDCANCEL;
  m_iModalCallerDepth = CurrentLoopDepth();
  ShowWindow(true, true);
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (owner != nullptr) EnableWindow(owner, false);
  RunLoopUntil([hwnd] { return !IsWindow(hwnd); });
  // The window object may be gone by now (windows that delete themselves in OnFinalMessage).
  if (owner != nullptr && ownerWasEnabled && IsWindow(owner)) {
    EnableWindow(owner, true);
    SetActiveWindow(owner);
  }
  return record->closeResult;
}

void CWindowWnd::Close(UINT ret) {
  if (m_hWnd != nullptr) PostMessage(WM_CLOSE, ret, 0);
}

void CWindowWnd::CenterWindow() {
  if (m_hWnd == nullptr) return;
  RECT window{};
  GetWindowRect(m_hWnd, &window);
  const RECT work = GetWorkArea(m_hWnd);
  RECT area = work;
  const HWND owner = GetParent(m_hWnd);
  if (owner != nullptr && (GetWindowStyle(m_hWnd) & WS_CHILD) == 0 && IsWindowVisible(owner)) {
    GetWindowRect(owner, &area);
  }
  long x = area.left + (RectWidth(area) - RectWidth(window)) / 2;
  long y = area.top + (RectHeight(area) - RectHeight(window)) / 2;
  x = std::max(work.left, std::min(x, work.right - RectWidth(window)));
  y = std::max(work.top, std::min(y, work.bottom - RectHeight(window)));
  MoveWindow(m_hWnd, static_cast<int>(x), static_cast<int>(y), static_cast<int>(RectWidth(window)),
             static_cast<int>(RectHeight(window)), false);
}

void CWindowWnd::SetIcon(UINT resourceId) {
  if (m_hWnd != nullptr) SetWindowIcon(m_hWnd, resourceId);
}

void CWindowWnd::ResizeClient(int cx, int cy) {
  if (m_hWnd == nullptr) return;
  RECT rc{};
  GetClientRect(m_hWnd, &rc);
  if (cx < 0) cx = static_cast<int>(RectWidth(rc));
  if (cy < 0) cy = static_cast<int>(RectHeight(rc));
  RECT window{};
  GetWindowRect(m_hWnd, &window);
  if ((GetWindowStyle(m_hWnd) & WS_CHILD) != 0) {
    POINT topLeft{window.left, window.top};
    ScreenToClient(GetParent(m_hWnd), &topLeft);
    window.left = topLeft.x;
    window.top = topLeft.y;
  }
  MoveWindow(m_hWnd, static_cast<int>(window.left), static_cast<int>(window.top), cx, cy, true);
}

LRESULT CWindowWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::ui::SendMessage(m_hWnd, message, wParam, lParam);
}

bool CWindowWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::ui::PostMessage(m_hWnd, message, wParam, lParam);
}

const char* CWindowWnd::GetSuperClassName() const { return nullptr; }
UINT CWindowWnd::GetClassStyle() const { return 0; }

LRESULT CWindowWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(m_hWnd, message, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

LRESULT CWindowWnd::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    HandleMessage(message, wParam, lParam);
    m_hWnd = nullptr;
    OnFinalMessage(hwnd);  // may delete this
    return 0;
  }
  if (m_hWnd == nullptr) m_hWnd = hwnd;
  return HandleMessage(message, wParam, lParam);
}

}  // namespace ui
