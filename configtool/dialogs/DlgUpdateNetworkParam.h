#pragma once
// CDlgUpdateNetworkParam: gives a camera found by the LAN search a new IP, gateway and netmask.
// It needs no open camera: "ok" checks the three entries and sends the multicast datagram that
// names the camera by its two search numbers, from every local IPv4 address.

#include <cstdint>
#include <memory>
#include <string>

#include "configtool/dialogs/MulticastSocket.h"
#include "platform/ui/UIlib.h"

class CDlgUpdateNetworkParam : public ui::CDialogWnd, public ui::INotifyUI {
 public:
  // The found camera's row; the datagram goes through `socket` (the real UDP socket when null).
  CDlgUpdateNetworkParam(std::string ip, std::uint32_t idHigh, std::uint32_t idLow, std::string netmask,
                         std::string gateway, std::unique_ptr<IMulticastSocket> socket = nullptr);
  ~CDlgUpdateNetworkParam() override;

  void BindControls() override;
  void Notify(ui::TNotifyUI& msg) override;

  // Addresses as DottedQuadValue gives them. 0 when sent, 1 on failure.
  int SendNetParamMulticast(std::uint32_t idHigh, std::uint32_t idLow, std::uint32_t ip, std::uint32_t gateway,
                            std::uint32_t netmask);

 private:
  // True when the entries passed and the datagram went out.
  bool CheckAndSend();
  void ShowMessage(const char* text);
  // Shows the text; false, so that a failed check can end with it.
  bool Refuse(const char* text);

  ui::CButtonUI* m_pBtnOk = nullptr;
  ui::CButtonUI* m_pBtnCancel = nullptr;
  ui::CEditUI* m_pEditIp = nullptr;
  ui::CEditUI* m_pEditGateway = nullptr;
  ui::CEditUI* m_pEditNetmask = nullptr;

  std::string m_ip;
  std::uint32_t m_idHigh;
  std::uint32_t m_idLow;
  std::string m_netmask;
  std::string m_gateway;
  std::unique_ptr<IMulticastSocket> m_socket;
};
