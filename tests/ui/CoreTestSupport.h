#pragma once
// Small controls and windows that let the core's tests see what the framework delivers.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/UIBuilder.h"
#include "platform/ui/core/UIContainer.h"
#include "platform/ui/core/UIManager.h"
#include "platform/ui/core/UIWindow.h"

namespace ui::testing {

// A native window of the class "test" handled by `procedure` (the class default when null).
inline HWND MakeNativeWindow(IWindowProcedure* procedure, DWORD style, RECT rect, HWND parent = nullptr,
                             const char* title = "") {
  CreateWindowParams params;
  params.className = "test";
  params.style = style;
  params.rect = rect;
  params.parent = parent;
  params.procedure = procedure;
  params.title = title;
  return CreateNativeWindow(params);
}

// A control that records its events and, like a button, sends "click" when a press ends over it.
class ProbeControl : public CControlUI {
 public:
  const char* GetClass() const override { return "ProbeUI"; }
  UINT GetControlFlags() const override { return m_flags; }
  void SetFlags(UINT flags) { m_flags = flags; }

  void DoEvent(TEventUI& event) override {
    events.push_back(event.Type);
    if (event.Type == UIEVENT_CHAR) chars.push_back(event.wParam);
    if (event.Type == UIEVENT_KEYDOWN) keys.push_back(event.wParam);
    if (onEvent && onEvent(event)) return;
    if (event.Type == UIEVENT_BUTTONDOWN) m_pressed = true;
    if (event.Type == UIEVENT_BUTTONUP && m_pressed) {
      m_pressed = false;
      const RECT& rc = GetPos();
      const POINT pt = event.ptMouse;
      if (pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom) {
        m_pManager->SendNotify(this, "click");  // may delete other controls, never this one
      }
      return;
    }
    CControlUI::DoEvent(event);
  }

  int Count(int type) const {
    int count = 0;
    for (int e : events) count += e == type ? 1 : 0;
    return count;
  }

  std::vector<int> events;
  std::vector<WPARAM> chars;
  std::vector<WPARAM> keys;
  // Returns true when it handled the event itself.
  std::function<bool(TEventUI&)> onEvent;

 private:
  UINT m_flags = UIFLAG_TABSTOP;
  bool m_pressed = false;
};

// Creates "Probe" elements; everything else is unknown to it.
class ProbeFactory : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(const char* className, CPaintManagerUI*) override {
    asked.emplace_back(className);
    if (std::strcmp(className, "Probe") == 0) return new ProbeControl;
    return nullptr;
  }
  std::vector<std::string> asked;
};

struct Notification {
  std::string type;
  std::string sender;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A dialog that records its notifications and lets each test add reactions.
class RecordingWindow : public CDialogWnd, public INotifyUI {
 public:
  explicit RecordingWindow(int* destroyed = nullptr) : m_destroyed(destroyed) {}
  ~RecordingWindow() override {
    if (m_destroyed != nullptr) ++*m_destroyed;
  }

  void BindControls() override {
    ++bindCount;
    if (onBind) onBind(*this);
  }

  void Notify(TNotifyUI& msg) override {
    notifications.push_back(
        Notification{msg.sType.Str(), msg.pSender != nullptr ? msg.pSender->GetName().Str() : "", msg.wParam, msg.lParam});
    if (onNotify && onNotify(msg)) return;
    CDialogWnd::Notify(msg);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (onMessage) {
      LRESULT result = 0;
      if (onMessage(message, wParam, lParam, result)) return result;
    }
    return CDialogWnd::HandleMessage(message, wParam, lParam);
  }

  ProbeControl* Probe(const char* name) { return static_cast<ProbeControl*>(m_pm.FindControl(name)); }
  CPaintManagerUI& Manager() { return m_pm; }

  bool Saw(const std::string& type, const std::string& sender) const {
    for (const auto& n : notifications) {
      if (n.type == type && n.sender == sender) return true;
    }
    return false;
  }

  int bindCount = 0;
  std::vector<Notification> notifications;
  std::function<void(RecordingWindow&)> onBind;
  std::function<bool(TNotifyUI&)> onNotify;  // true: handled, the base does not see it
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> onMessage;
  std::string label;  // what a test stores to read after ShowModal

 private:
  int* m_destroyed;
};

}  // namespace ui::testing
