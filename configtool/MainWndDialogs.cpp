// The dialogs the main window opens, its web-page menu and the batch program.

#include <cstring>
#include <string>

#include "configtool/DialogBuilderCallbackEx.h"
#include "configtool/MainWnd.h"
#include "configtool/dialogs/DialogControls.h"
#include "configtool/dialogs/DlgNetMoreCfg.h"
#include "configtool/dialogs/DlgTcpEncryptSet.h"
#include "configtool/dialogs/DlgUpdateNetworkParam.h"
#include "configtool/features/export/DlgImportExportCfg.h"
#include "configtool/features/platequery/PlateQueryDlg.h"
#include "configtool/features/rules/RuleCfgDlg.h"
#include "configtool/features/video/VideoCfg.h"
#include "configtool/features/whitelist/DlgWlistManagr.h"
#include "platform/os/Process.h"

namespace {

struct WebPage {
  const char* item;  // the menu item's name, which is also the type of its notification
  const char* text;
  const char* file;
  const char* title;
};

const WebPage kWebPages[] = {
    {"menu_web_network", "网络参数", "SetNetPort.htm", "网络参数"},
    {"menu_web_inoutput", "输入输出", "SetPlateDeviceIO.htm", "输入输出"},
    {"menu_web_storage", "存储管理", "StorgeDeviceMana.htm", "存储管理"},
    {"menu_web_config", "基本配置", "SetAlarm.htm", "基本配置"},
    {"menu_web_platerecord", "车牌历史记录", "PlatePictureView.htm", "车牌历史记录"},
    {"menu_web_usermanage", "用户管理", "AddEditUsers.htm", "用户管理"},
    {"menu_web_about", "关于", "Support.htm", "关于"},
};

// The menu's texts stand after 25 blanks.
const std::string kMenuTextIndent(25, ' ');
constexpr int kMenuOffset = 10;

// Builds the dialog from its layout over `owner` and shows it modal.
template <typename Dialog>
void ShowModalDialog(Dialog* dialog, HWND owner, const char* layout, const char* name,
                     ui::IDialogBuilderCallback* callback) {
  dialog->CreateWnd(layout, owner, name, callback, false, false, false, 0);
  dialog->CenterWindow();
  dialog->ShowModal();
}

}  // namespace

void CMainWnd::OpenRuleCfg() {
  if (!RequireOpenDevice()) return;
  ShowModalDialog(new CRuleCfgDlg(m_device.handle), m_hWnd, "ruleCfg.xml", "ruleCfg", &m_factory);
}

void CMainWnd::OpenPlateQuery() {
  if (!RequireOpenDevice()) return;
  CDialogBuilderCallbackEx callback;
  ShowModalDialog(new CPlateQueryDlg(m_device.handle), m_hWnd, "plateQuery.xml", "plateQuery", &callback);
}

void CMainWnd::OpenWlistManager() {
  if (!RequireOpenDevice()) return;
  CDialogBuilderCallbackEx callback;
  // The export's file is named after the IP as the operator typed it.
  const std::string ip = DialogControlText(m_pEditIp);
  ShowModalDialog(new CDlgWlistManagr(m_device.handle, ip), m_hWnd, "wlistManagr.xml", "wlist_manager", &callback);
}

void CMainWnd::OpenVideoCfg() {
  if (!RequireOpenDevice()) return;
  CDialogBuilderCallbackEx callback;
  ShowModalDialog(new CVideoCfg(m_device.handle), m_hWnd, "Dlg_VideoCfg.xml", "videocfg", &callback);
}

void CMainWnd::OpenImportExportDialog() {
  if (!RequireOpenDevice()) return;
  CDialogBuilderCallbackEx callback;
  ShowModalDialog(new CDlgImportExportCfg(DialogControlText(m_pEditIp), m_device.handle), m_hWnd,
                  "Dlg_Import_Export_Cfg.xml", "import_export_cfg", &callback);
}

void CMainWnd::OpenNetworkParamDialog() {
  if (m_pDeviceList == nullptr || m_pDeviceList->GetCurSel() < 0) {
    ShowMessage("请选择查找设备列表中的一个设备！");
    return;
  }
  auto* dialog = new CDlgUpdateNetworkParam(m_selected.ip, m_selected.idHigh, m_selected.idLow, m_selected.netmask,
                                            m_selected.gateway);
  ShowModalDialog(dialog, m_hWnd, "Dlg_Update_NetworkParam.xml", "updateParamDlg", &m_factory);
}

void CMainWnd::OpenEncryptDialog() {
  if (!RequireOpenDevice()) return;
  CDialogBuilderCallbackEx callback;
  ShowModalDialog(new CDlgTcpEncryptSet(m_device.handle), m_hWnd, "Dlg_Tcp_EncryptSet.xml", "tcpencryptset",
                  &callback);
}

void CMainWnd::ShowWebPageMenu(POINT point) {
  if (!RequireOpenDevice()) return;
  if (m_pWebPageMenu == nullptr) {
    m_pWebPageMenu = new ui::CMenuUI;
    m_pWebPageMenu->CreateMenu("pagelistmenu.xml", m_hWnd, "", &m_factory, true);
    m_pWebPageMenu->SetNotifier(this);
    for (const WebPage& page : kWebPages) m_pWebPageMenu->AppendItem(page.item, (kMenuTextIndent + page.text).c_str());
  }
  ui::ClientToScreen(m_hWnd, &point);
  m_pWebPageMenu->MoveToPos(point, kMenuOffset);
  m_pWebPageMenu->ShowWindow(true, true);
}

bool CMainWnd::OnWebPageMenuPick(const ui::TNotifyUI& msg) {
  for (const WebPage& page : kWebPages) {
    if (msg.sType == page.item) {
      OpenWebPage(page.file, page.title);
      return true;
    }
  }
  return false;
}

void CMainWnd::OpenWebPage(const char* page, const char* title) {
  CDialogBuilderCallbackEx callback;
  auto* dialog = new CDlgNetMoreCfg(page, title, m_device.ip, m_device.port, m_device.user, m_device.password);
  ShowModalDialog(dialog, m_hWnd, "Dlg_Net_MoreCfg.xml", "DlgNetMoreCfg", &callback);
}

void CMainWnd::StartBatchProgram() {
  if (!os::StartProgramBesideThis("Brenlo")) ShowMessage("打开批量配置工具失败！");
}
