#pragma once
// CDlgNetMoreCfg: one of the camera's own web pages inside the tool. The dialog logs in to the
// camera on a connection of its own, gives the browser the camera's session cookie, loads the
// page 1.5 s after opening and renews the cookie every 50 s while it is open. However the dialog
// ends, its timers stop and its own connection is closed; the main window's stays open.

#include <string>

#include "cameraclient/CameraClient.h"
#include "platform/ui/UIlib.h"

inline constexpr UINT kWebPageLoadTimer = 1157;
inline constexpr UINT kWebPageLoadDelayMs = 1500;
inline constexpr UINT kWebCookieRenewTimer = 1158;
inline constexpr UINT kWebCookieRenewMs = 50000;

class CDlgNetMoreCfg : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // The page file and title of the menu item, and the login of the main window's last complete open.
  CDlgNetMoreCfg(std::string page, std::string title, std::string ip, int port, std::string user,
                 std::string password);
  ~CDlgNetMoreCfg() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // The cookie text for the browser; empty without the own connection or a session id.
  std::string BuildSessionCookie();

 protected:
  LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void LoadPage();
  void SetSessionCookie();
  // Stops the timers and closes the own connection; safe to call again.
  void EndSession();

  ui::CWebBrowserUI* m_pWebBrowser = nullptr;
  ui::CLabelUI* m_pTitle = nullptr;
  std::string m_title;
  std::string m_ip;
  int m_port;
  std::string m_user;
  std::string m_password;
  std::string m_page;
  CameraClientHandle m_handle = 0;
};
