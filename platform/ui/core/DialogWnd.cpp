#include <cstring>
#include <set>

#include "platform/ui/core/LayoutWarmUp.h"
#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/core/UIWindow.h"

namespace ui {

// Delivers notifications to CDialogWnd::Notify for windows that are no INotifyUI themselves.
class CDialogWnd::NotifyForwarder final : public INotifyUI {
 public:
  explicit NotifyForwarder(CDialogWnd& window) : m_window(window) {}
  void Notify(TNotifyUI& msg) override { m_window.Notify(msg); }

 private:
  CDialogWnd& m_window;
};

namespace {

// Dialogs whose deletion the framework has queued; one deleted by its owner meanwhile leaves.
thread_local std::set<CDialogWnd*> t_awaitingDeletion;

}  // namespace

CDialogWnd::CDialogWnd() = default;
CDialogWnd::~CDialogWnd() { t_awaitingDeletion.erase(this); }

void CDialogWnd::ShowWindow(bool show, bool takeFocus) { CWindowWnd::ShowWindow(show, takeFocus); }

HWND CDialogWnd::CreateWnd(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                           bool asChild, bool toolWindow, bool endsMessageLoop, int appWindow) {
  DWORD style = asChild ? (WS_CHILD | WS_VISIBLE) : (WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN);
  if (!asChild && appWindow != 0) style |= WS_MINIMIZEBOX;
  DWORD exStyle = toolWindow ? WS_EX_TOOLWINDOW : 0;
  if (!asChild && appWindow != 0) exStyle |= WS_EX_APPWINDOW;
  m_bEndsMessageLoop = endsMessageLoop;
  return CreateWndEx(layout, parent, name, callback, style, exStyle);
}

HWND CDialogWnd::CreateWndEx(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                             DWORD style, DWORD exStyle) {
  m_layout = layout != nullptr ? layout : "";
  m_pCallback = callback;
  // The process's first window: its texts' fonts are made ready while the host starts.
  WarmUpFirstLayout(m_layout);
  return Create(parent, name, style, exStyle, 0, 0, 0, 0);
}

HWND CDialogWnd::CreateChildWnd(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback) {
  return CreateWnd(layout, parent, name, callback, true);
}

void CDialogWnd::BindControls() {}

void CDialogWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr && msg.pSender->GetName() == "closebtn") Close(IDCANCEL);
}

const char* CDialogWnd::GetWindowClassName() const { return "DialogWnd"; }
UINT CDialogWnd::GetClassStyle() const { return CS_DBLCLKS; }

LRESULT CDialogWnd::OnCreate(UINT, WPARAM, LPARAM, bool& handled) {
  handled = true;
  m_pm.Init(m_hWnd);
  CDialogBuilder builder;
  CControlUI* root = builder.Create(m_layout.c_str(), nullptr, m_pCallback, &m_pm);
  if (root == nullptr) return -1;
  m_pm.AttachDialog(root);
  // The window itself receives its notifications: as the program's INotifyUI when it is one.
  m_pNotifier = dynamic_cast<INotifyUI*>(this);
  if (m_pNotifier == nullptr) {
    m_forwarder = std::make_unique<NotifyForwarder>(*this);
    m_pNotifier = m_forwarder.get();
  }
  m_pm.AddNotifier(m_pNotifier);
  const SIZE size = m_pm.GetInitSize();
  RECT rc{};
  GetClientRect(m_hWnd, &rc);
  if (RectWidth(rc) == 0 && RectHeight(rc) == 0 && size.cx > 0 && size.cy > 0) {
    ResizeClient(static_cast<int>(size.cx), static_cast<int>(size.cy));
  }
  BindControls();
  return 0;
}

LRESULT CDialogWnd::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT CDialogWnd::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  if (m_pNotifier != nullptr) m_pm.RemoveNotifier(m_pNotifier);
  if (m_bEndsMessageLoop) PostQuitMessage(0);
  return 0;
}

LRESULT CDialogWnd::OnSysCommand(UINT, WPARAM wParam, LPARAM, bool& handled) {
  handled = false;
  if ((wParam & 0xFFF0) != SC_CLOSE) return 0;
  CControlUI* closeButton = m_pm.FindControl("closebtn");
  if (closeButton == nullptr || !closeButton->IsVisible() || !closeButton->IsEnabled()) return 0;
  handled = true;
  m_pm.SendNotify(closeButton, "click");
  return 0;
}

LRESULT CDialogWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = 0;
  switch (message) {
    case WM_CREATE:
      result = OnCreate(message, wParam, lParam, handled);
      break;
    case WM_CLOSE:
      result = OnClose(message, wParam, lParam, handled);
      break;
    case WM_DESTROY:
      result = OnDestroy(message, wParam, lParam, handled);
      break;
    case WM_SYSCOMMAND:
      result = OnSysCommand(message, wParam, lParam, handled);
      break;
    default:
      break;
  }
  if (handled) return result;
  if (m_pm.MessageHandler(message, wParam, lParam, result)) return result;
  return CWindowWnd::HandleMessage(message, wParam, lParam);
}

void CDialogWnd::OnFinalMessage(HWND) {
  // Deleted once the code that showed the window has returned to its loop (see UIWindow.h).
  const int depth = m_iModalCallerDepth >= 0 ? m_iModalCallerDepth : CurrentLoopDepth();
  t_awaitingDeletion.insert(this);
  DeferToLoop(depth, [this] {
    if (t_awaitingDeletion.erase(this) != 0) delete this;
  });
}

}  // namespace ui
