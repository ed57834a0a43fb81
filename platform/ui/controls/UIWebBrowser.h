#pragma once
// CWebBrowserUI: a control that shows web pages through the web browser backend. Navigate2 loads a
// URL ("about:blank" included); the cookies of InternetSetCookieExA go with the page requests.
// The control forwards its timers as "timer" notifications like any control. Where the backend
// can make no view (the web library cannot be loaded), the control shows that as its text.

#include <memory>

#include "platform/ui/controls/WebBrowserBackend.h"
#include "platform/ui/core/UIControl.h"

namespace ui {

class CWebBrowserUI : public CControlUI {
 public:
  CWebBrowserUI();
  ~CWebBrowserUI() override;

  const char* GetClass() const override;          // "WebBrowserUI"
  void* GetInterface(const char* name) override;  // "WebBrowser"

  void Navigate2(const char* url);
  // The URL of the last navigation ("" before the first).
  CDuiString GetCurrentUrl() const;
  void SetPos(RECT rc, bool needInvalidate = true) override;
  void SetVisible(bool visible = true) override;
  void SetInternVisible(bool visible = true) override;
  void PaintBkColor(HDC hDC) override;
  void PaintText(HDC hDC) override;

 private:
  IWebView* View();
  void UpdatePlace();

  std::unique_ptr<IWebView> m_view;
  bool m_noView = false;  // the backend could make none: asked once
};

}  // namespace ui
