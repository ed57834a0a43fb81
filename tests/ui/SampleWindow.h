#pragma once
// The framework's sample window (tests/ui/fixtures/SampleWindow.xml): lists, a combo box, options,
// edits, a slider, tabs, a menu, a message box and a modal dialog, wired the way the programs wire
// their windows. The headless tests drive it; the gtk host opens the same window for real.

#include <cstdio>
#include <string>

#include "platform/os/File.h"
#include "platform/ui/UIlib.h"
#include "tests/ui/TestSkin.h"

namespace ui::testing {

// The fixtures and the skin's own message box layouts, as one skin archive.
inline bool InstallSampleSkin(TestSkin& skin) {
  for (const char* folder : {LPR_UI_TEST_FIXTURES, LPR_SKIN_SOURCE_DIR}) {
    for (const std::string& name : os::ListFiles(folder, ".xml")) {
      if (auto bytes = os::ReadWholeFile(std::string(folder) + "/" + name)) skin.Add(name, *bytes);
    }
  }
  return skin.Install();
}

class SampleDialog : public CDialogWnd, public INotifyUI {
 public:
  void BindControls() override {
    m_type = static_cast<CComboUI*>(m_pm.FindControl("dlg_cmb_type"));
    m_password = static_cast<CEditUI*>(m_pm.FindControl("dlg_user_pwd"));
    for (const char* mode : {"不加密", "加密模式一", "加密模式二"}) {
      auto* item = new CListLabelElementUI;
      item->SetText(mode);
      m_type->Add(item);
    }
    m_type->SelectItem(0);
  }
  void Notify(TNotifyUI& msg) override {
    if (msg.sType == "click" && msg.pSender->GetName() == "ok") {
      password = m_password->GetText().Str();
      mode = m_type->GetCurSel();
      Close(IDOK);
      return;
    }
    if (msg.sType == "click" && msg.pSender->GetName() == "cancel") {
      Close(IDCANCEL);
      return;
    }
    CDialogWnd::Notify(msg);
  }
  std::string password;
  int mode = -1;

 private:
  CComboUI* m_type = nullptr;
  CEditUI* m_password = nullptr;
};

class SampleWindow : public CDialogWnd, public INotifyUI {
 public:
  void BindControls() override {
    SetIcon(101);
    m_devices = static_cast<CListUI*>(m_pm.FindControl("device_list"));
    m_plates = static_cast<CListUI*>(m_pm.FindControl("plate_list"));
    m_switch = static_cast<CTabLayoutUI*>(m_pm.FindControl("switch"));
    m_province = static_cast<CComboUI*>(m_pm.FindControl("intell_cmb_prov"));
    m_slider = static_cast<CSliderUI*>(m_pm.FindControl("intell_slider_LED"));
    for (const auto& [ip, port] : {std::pair{"192.168.1.20", "80"}, std::pair{"192.168.1.100", "8080"},
                                   std::pair{"10.0.0.3", "80"}, std::pair{"172.16.5.9", "9000"}}) {
      auto* row = new CListTextElementUI;
      m_devices->Add(row);
      row->SetText(0, ip);
      row->SetText(1, port);
    }
    const char* const plates[][4] = {{"2026-01-01 08:00:05", "京A12345", "蓝色", "稳定识别结果"},
                                     {"2026-01-01 08:01:17", "沪B6789D", "绿色", "虚拟线圈触发"},
                                     {"2026-01-01 08:02:40", "粤C54321", "黄色", "手动触发"}};
    for (const auto& plate : plates) {
      auto* row = new CListTextElementUI;
      m_plates->Add(row);
      for (int column = 0; column < 4; ++column) row->SetText(column, plate[column]);
    }
    for (const char* province : {"无", "京", "沪", "粤", "川"}) {
      auto* item = new CListLabelElementUI;
      item->SetText(province);
      m_province->Add(item);
    }
    m_province->SelectItem(0);
    ShowLedText(m_slider->GetValue());
  }

  void Notify(TNotifyUI& msg) override {
    const CDuiString name = msg.pSender != nullptr ? msg.pSender->GetName() : CDuiString();
    if (msg.sType == "selectchanged" && (name == "tab_login" || name == "tab_results")) {
      m_switch->SelectItem(name == "tab_login" ? 0 : 1);
    } else if (msg.sType == "itemselect" && name == "device_list") {
      auto* row = static_cast<CListTextElementUI*>(m_devices->GetItemAt(m_devices->GetCurSel()));
      if (row != nullptr) {
        m_pm.FindControl("edit_device_ip")->SetText(row->GetText(0));
        m_pm.FindControl("edit_device_port")->SetText(row->GetText(1));
      }
    } else if (msg.sType == "itemselect" && name == "intell_cmb_prov") {
      province = m_province->GetCurSel();
    } else if (msg.sType == "option_click" && name.Find("intell_opt_LED_") == 0) {
      ledOption = name.Str();
      ledSelected = static_cast<COptionUI*>(msg.pSender)->IsSelected();
    } else if ((msg.sType == "valuechanged" || msg.sType == "slidermousemove") && name == "intell_slider_LED") {
      ShowLedText(m_slider->GetValue());
      if (msg.sType == "valuechanged") ledLevel = m_slider->GetValue();
    } else if (msg.sType == "click" && name == "btn_open") {
      const bool empty = m_pm.FindControl("edit_device_ip")->GetText().IsEmpty();
      UIMessageBox(m_hWnd, empty ? "请输入设备IP！" : "打开设备成功！");
    } else if (msg.sType == "click" && name == "btn_encrypt_set") {
      auto* dialog = new SampleDialog;
      dialog->CreateWnd("SampleDialog.xml", m_hWnd, "tcpencryptset", nullptr);
      dialog->CenterWindow();
      dialogResult = static_cast<int>(dialog->ShowModal());
      dialogPassword = dialog->password;
      dialogMode = dialog->mode;
    } else if (msg.sType == "click" && name == "btn_more_cfg") {
      ShowMenu(msg.ptMouse);
    } else if (msg.sType == "menu_web_network" || msg.sType == "menu_web_about") {
      pickedMenu = msg.sType.Str();
    }
    CDialogWnd::Notify(msg);
  }

  int province = -1;
  std::string ledOption;
  bool ledSelected = false;
  int ledLevel = -1;
  int dialogResult = -1;
  std::string dialogPassword;
  int dialogMode = -1;
  std::string pickedMenu;

 private:
  void ShowLedText(int value) {
    CDuiString text;
    text.Format("%d米", value + 2);
    m_pm.FindControl("lbl_led")->SetText(text);
  }

  void ShowMenu(POINT clientPoint) {
    if (m_menu == nullptr) {
      m_menu = new CMenuUI;
      m_menu->CreateMenu("SampleMenu.xml", m_hWnd, "", nullptr, true);
      m_menu->SetNotifier(this);
      m_menu->AppendItem("menu_web_about", "关于");
    }
    ClientToScreen(m_hWnd, &clientPoint);
    m_menu->MoveToPos(clientPoint, 10);
    m_menu->ShowWindow(true);
  }

  CListUI* m_devices = nullptr;
  CListUI* m_plates = nullptr;
  CTabLayoutUI* m_switch = nullptr;
  CComboUI* m_province = nullptr;
  CSliderUI* m_slider = nullptr;
  CMenuUI* m_menu = nullptr;
};

}  // namespace ui::testing
