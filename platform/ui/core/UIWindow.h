#pragma once
// Windows. CWindowWnd wraps one native window and its message handler; CDialogWnd is a window
// built from a layout, with a paint manager, that calls BindControls once its controls exist.
//
// Lifetime: Close posts WM_CLOSE, whose default handling destroys the window. After the last
// message, OnFinalMessage runs; CDialogWnd then hands the object (made with new) to the
// framework, which deletes it once the code that showed it has returned to its message loop, so
// the caller of ShowModal may still read the dialog's members after ShowModal returns.

#include <memory>

#include "platform/os/WinTypes.h"
#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIEvents.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

class CWindowWnd : private IWindowProcedure {
 public:
  CWindowWnd();
  virtual ~CWindowWnd();
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }  // NOLINT

  // Creates the native window on this thread (see NativeWindow.h for the kinds). With a size of 0
  // a dialog takes the size its layout gives.
  HWND Create(HWND parent, const char* name, DWORD style, DWORD exStyle, const RECT& rc);
  HWND Create(HWND parent, const char* name, DWORD style, DWORD exStyle, int x = 0, int y = 0, int cx = 0,
              int cy = 0);

  virtual void ShowWindow(bool show = true, bool takeFocus = true);
  // Shows the window and runs a nested message loop until it is destroyed; the owner is disabled
  // meanwhile. Returns the code given to Close.
  UINT ShowModal();
  // Asks the window to close (asynchronous): posts WM_CLOSE with `ret` as the result.
  virtual void Close(UINT ret = IDOK);
  // Centres over the owner (or the work area when it has none), kept inside the work area.
  void CenterWindow();
  void SetIcon(UINT resourceId);
  void ResizeClient(int cx = -1, int cy = -1);

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

 protected:
  virtual const char* GetWindowClassName() const = 0;
  // The class whose default behaviour this window takes ("Edit"), or nullptr.
  virtual const char* GetSuperClassName() const;
  virtual UINT GetClassStyle() const;
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // After the window's last message; the window object may delete itself here.
  virtual void OnFinalMessage(HWND hwnd);

  HWND m_hWnd = nullptr;
  // The loop depth that ShowModal was called at, while the window is modal; -1 otherwise.
  int m_iModalCallerDepth = -1;

 private:
  LRESULT WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CDialogWnd : public CWindowWnd {
 public:
  CDialogWnd();
  ~CDialogWnd() override;

  void ShowWindow(bool show = true, bool takeFocus = true) override;
  // Builds the window from the layout: a top-level window (owned when `parent` is given), or a
  // child window with `asChild`. `toolWindow` keeps it out of the task bar. `endsMessageLoop` makes
  // the window's destruction end CPaintManagerUI::MessageLoop (main windows). `appWindow` non-zero
  // gives it minimise and close frame buttons on hosts with frames. Calls BindControls once the
  // controls exist. nullptr when the layout cannot be built.
  virtual HWND CreateWnd(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                         bool asChild = false, bool toolWindow = false, bool endsMessageLoop = false,
                         int appWindow = 0);
  // The same with a native style and extended style of the caller's choice.
  virtual HWND CreateWndEx(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback,
                           DWORD style, DWORD exStyle);
  virtual HWND CreateChildWnd(const char* layout, HWND parent, const char* name, IDialogBuilderCallback* callback);
  // The framework calls this once, after the layout is built and attached.
  virtual void BindControls();

  // The base reaction to notifications: a "click" on the control named "closebtn" closes.
  virtual void Notify(TNotifyUI& msg);

  CPaintManagerUI* GetPaintManager() { return &m_pm; }

 protected:
  const char* GetWindowClassName() const override;  // "DialogWnd"
  UINT GetClassStyle() const override;              // CS_DBLCLKS: controls see double clicks
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hwnd) override;

  virtual LRESULT OnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // The frame's close command: clicks "closebtn" when the layout has one, so that the window's
  // own close handling runs; otherwise closes.
  virtual LRESULT OnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

  CPaintManagerUI m_pm;

 private:
  class NotifyForwarder;

  std::string m_layout;
  IDialogBuilderCallback* m_pCallback = nullptr;
  bool m_bEndsMessageLoop = false;
  std::unique_ptr<NotifyForwarder> m_forwarder;
  INotifyUI* m_pNotifier = nullptr;
};

}  // namespace ui
