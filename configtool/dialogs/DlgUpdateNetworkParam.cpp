#include "configtool/dialogs/DlgUpdateNetworkParam.h"

#include <vector>

#include "common/AddressUtil.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/dialogs/NetParamDatagram.h"
#include "configtool/dialogs/NetParamMulticast.h"
#include "configtool/dialogs/UdpMulticastSocket.h"

namespace {

// The usual gateway of the camera's subnet: its IP with ".1" for the last part.
std::string GatewayGuess(const std::string& ip) {
  const std::size_t lastDot = ip.rfind('.');
  if (lastDot == std::string::npos) return {};
  return ip.substr(0, lastDot) + ".1";
}

}  // namespace

CDlgUpdateNetworkParam::CDlgUpdateNetworkParam(std::string ip, std::uint32_t idHigh, std::uint32_t idLow,
                                               std::string netmask, std::string gateway,
                                               std::unique_ptr<IMulticastSocket> socket)
    : m_ip(std::move(ip)),
      m_idHigh(idHigh),
      m_idLow(idLow),
      m_netmask(std::move(netmask)),
      m_gateway(std::move(gateway)),
      m_socket(socket != nullptr ? std::move(socket) : std::make_unique<UdpMulticastSocket>()) {}

CDlgUpdateNetworkParam::~CDlgUpdateNetworkParam() = default;

void CDlgUpdateNetworkParam::BindControls() {
  m_pBtnOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  m_pEditIp = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_IP");
  m_pEditGateway = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_gateway");
  m_pEditNetmask = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_netmask");
  SetDialogControlText(m_pEditIp, m_ip);
  SetDialogControlText(m_pEditNetmask, m_netmask.empty() ? DefaultNetmask(m_ip) : m_netmask);
  SetDialogControlText(m_pEditGateway, m_gateway.empty() ? GatewayGuess(m_ip) : m_gateway);
}

void CDlgUpdateNetworkParam::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click") {
    if (msg.pSender == m_pBtnOk) {
      if (CheckAndSend()) Close(IDOK);
    } else if (msg.pSender == m_pBtnCancel) {
      Close(IDCANCEL);
    }
  }
  CDialogWnd::Notify(msg);
}

bool CDlgUpdateNetworkParam::CheckAndSend() {
  const std::string ip = DialogControlText(m_pEditIp);
  if (ip.empty()) return Refuse("请输入设备IP");
  if (!IsValidIpv4(ip)) return Refuse("IP格式不正确，请重新输入! ");
  const std::string gateway = DialogControlText(m_pEditGateway);
  if (gateway.empty()) return Refuse("请输入默认网关");
  if (!IsValidIpv4(gateway)) return Refuse("默认网关格式不正确，请重新输入! ");
  const std::string netmask = DialogControlText(m_pEditNetmask);
  if (netmask.empty()) return Refuse("请输入子网掩码");
  if (!IsValidIpv4(netmask)) return Refuse("子网掩码不正确，请重新输入! ");
  if (IsDifferentSubnet(ip, gateway, netmask)) return Refuse("设备IP跟网关不在同一网段，请重新输入! ");

  if (SendNetParamMulticast(m_idHigh, m_idLow, DottedQuadValue(ip), DottedQuadValue(gateway),
                            DottedQuadValue(netmask)) != 0) {
    return Refuse("修改失败，请检查设备是否支持修改");
  }
  ShowMessage("修改网络参数成功");
  return true;
}

int CDlgUpdateNetworkParam::SendNetParamMulticast(std::uint32_t idHigh, std::uint32_t idLow, std::uint32_t ip,
                                                  std::uint32_t gateway, std::uint32_t netmask) {
  std::vector<std::string> localAddresses;
  GetLocalAddresses(localAddresses);
  return ::SendNetParamMulticast(BuildNetParamDatagram(idHigh, idLow, ip, gateway, netmask), localAddresses,
                                 *m_socket);
}

void CDlgUpdateNetworkParam::ShowMessage(const char* text) { ui::UIMessageBox(m_hWnd, text); }

bool CDlgUpdateNetworkParam::Refuse(const char* text) {
  ShowMessage(text);
  return false;
}
