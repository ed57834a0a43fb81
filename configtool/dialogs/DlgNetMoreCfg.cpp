#include "configtool/dialogs/DlgNetMoreCfg.h"

#include "common/FixedText.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/dialogs/WebPageSession.h"

CDlgNetMoreCfg::CDlgNetMoreCfg(std::string page, std::string title, std::string ip, int port, std::string user,
                               std::string password)
    : m_title(std::move(title)),
      m_ip(std::move(ip)),
      m_port(port),
      m_user(std::move(user)),
      m_password(std::move(password)),
      m_page(std::move(page)) {}

CDlgNetMoreCfg::~CDlgNetMoreCfg() = default;

void CDlgNetMoreCfg::BindControls() {
  m_pWebBrowser = FindDialogControl<ui::CWebBrowserUI>(m_pm, "web_browser");
  m_pTitle = FindDialogControl<ui::CLabelUI>(m_pm, "title");
  if (m_pTitle != nullptr) m_pTitle->SetText(("更多配置-" + m_title).c_str());
  // A failed login is not reported: the page then loads without the cookie.
  m_handle = CameraClient_Open(m_ip.c_str(), m_port, m_user.c_str(), m_password.c_str());
  if (m_pWebBrowser != nullptr) m_pm.SetTimer(m_pWebBrowser, kWebPageLoadTimer, kWebPageLoadDelayMs);
}

void CDlgNetMoreCfg::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (msg.sType == "timer") {
    if (sender == m_pWebBrowser && sender != nullptr) {
      LoadPage();
    } else if (sender == m_pTitle && sender != nullptr) {
      SetSessionCookie();
    }
  } else if (msg.sType == "click" && sender != nullptr && sender->GetName() == "closebtn") {
    EndSession();
  }
  CDialogWnd::Notify(msg);
}

void CDlgNetMoreCfg::LoadPage() {
  m_pm.KillTimer(m_pWebBrowser);
  m_pWebBrowser->Navigate2("about:blank");
  SetSessionCookie();
  m_pWebBrowser->Navigate2(WebPageUrl(m_ip, m_port, m_page).c_str());
  if (m_pTitle != nullptr) m_pm.SetTimer(m_pTitle, kWebCookieRenewTimer, kWebCookieRenewMs);
}

void CDlgNetMoreCfg::SetSessionCookie() {
  const std::string cookie = BuildSessionCookie();
  if (cookie.empty()) return;
  ui::InternetSetCookieExA(WebCookieUrl(m_ip).c_str(), kWebSessionCookieName, cookie.c_str(), 0, 0);
}

std::string CDlgNetMoreCfg::BuildSessionCookie() {
  if (m_handle == 0) return {};
  int lifetimeSeconds = 0;
  int sessionCount = 0;
  CameraClient_PrepareWebSession(m_ip.c_str(), m_port, &lifetimeSeconds, &sessionCount);
  char sessionId[kWebSessionIdBuffer] = {};
  CameraClient_GetWebSessionId(m_handle, sessionId, sizeof sessionId);
  return WebSessionCookie(FieldText(sessionId));
}

LRESULT CDlgNetMoreCfg::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  EndSession();
  return CDialogWnd::OnDestroy(message, wParam, lParam, handled);
}

void CDlgNetMoreCfg::EndSession() {
  if (m_pWebBrowser != nullptr) m_pm.KillTimer(m_pWebBrowser);
  if (m_pTitle != nullptr) m_pm.KillTimer(m_pTitle);
  if (m_handle == 0) return;
  CameraClient_Close(m_handle);
  m_handle = 0;
}
