#include "configtool/features/rules/RuleCfgDlg.h"

#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/rules/GraphObjectManager.h"

namespace {

bool IsClickOn(const ui::TNotifyUI& msg, const ui::CControlUI* control) {
  return msg.sType == "click" && control != nullptr && msg.pSender == control;
}

}  // namespace

CRuleCfgDlg::CRuleCfgDlg(CameraClientHandle handle) : m_handle(handle) {
  m_loop.SetType(kLoopShapeType);
  m_region.SetType(kRegionShapeType);
}

CRuleCfgDlg::~CRuleCfgDlg() {
  StopVideo();
  GraphObjectManager::Instance().Clear();
}

void CRuleCfgDlg::BindControls() {
  m_pPlayControl = FindDialogControl<ui::CPlayControlUI>(m_pm, "play_control");
  if (m_pPlayControl != nullptr) {
    m_pm.SetTimer(m_pPlayControl, kPaintTimer, kPaintPeriod);
    m_pPlayControl->SetPlayOnPaintCallBack(&m_surface);
  }
  m_pListRules = FindDialogControl<ui::CListUI>(m_pm, "lst_rules");
  m_pBtnSaveRule = FindDialogControl<ui::CButtonUI>(m_pm, "btnSaveRule");
  m_pBtnDeleteRule = FindDialogControl<ui::CButtonUI>(m_pm, "btn_delete_rule");
  m_pBtnAddRule = FindDialogControl<ui::CButtonUI>(m_pm, "btn_add_rule");
  m_pBtnAddPloygen = FindDialogControl<ui::CButtonUI>(m_pm, "btn_add_ploygen");
  m_pBtnFocusAdd = m_pm.FindControl("intell_btnFocusAdd");
  m_pBtnFocusSub = m_pm.FindControl("intell_btnFocusSub");
  m_pBtnZoomAdd = m_pm.FindControl("intell_btnZoomAdd");
  m_pBtnZoomSub = m_pm.FindControl("intell_btnZoomSub");
  m_pOptRemind = FindDialogControl<ui::COptionUI>(m_pm, "intell_opt_remind");
  if (m_pOptRemind != nullptr) m_pOptRemind->Selected(true);
  m_pPanZoom = m_pm.FindControl("intell_pan_zoom");
  m_pPanFixedFocus = m_pm.FindControl("intell_pan_fixed_focus");
  m_pCmbDistance = FindDialogControl<ui::CComboUI>(m_pm, "intell_cmb_dis");

  // A model that cannot be read is none of the models with controls of their own.
  int model = 0;
  int extra = 0;
  if (m_handle != 0 && CameraClient_GetModelId(m_handle, &model, &extra) == 0) m_modelId = model;
  if (m_modelId == kLensModelId) BindLensControls();
  StartStream();
  LoadInstallDistance();
}

LRESULT CRuleCfgDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_RULE_FIRST_FRAME) OnFirstFrame();
  if (message == WM_KEYDOWN && wParam == VK_DELETE) DeleteActiveVertex();
  return CDialogWnd::HandleMessage(message, wParam, lParam);
}

LRESULT CRuleCfgDlg::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  // However the window goes (close button, frame, the program's end), no frame may follow.
  StopVideo();
  return CDialogWnd::OnDestroy(message, wParam, lParam, handled);
}

void CRuleCfgDlg::Notify(ui::TNotifyUI& msg) {
  ui::CControlUI* sender = msg.pSender;
  if (msg.sType == "click" && sender != nullptr) {
    if (sender->GetName() == "closebtn") StopVideo();
    if (sender->GetName() == "rule_btn_para") return OpenRuleParams(sender);
    if (IsClickOn(msg, m_pBtnSaveRule)) return SaveRules();
    if (IsClickOn(msg, m_pBtnDeleteRule)) return DeleteSelectedRule();
    if (IsClickOn(msg, m_pBtnAddRule)) return AddLoop();
    if (IsClickOn(msg, m_pBtnAddPloygen)) return AddRegion();
  } else if (msg.sType == "timer" && sender != nullptr) {
    if (sender == m_pPlayControl && msg.wParam == kPaintTimer) m_surface.PresentFrame();
    if (sender == m_pBtnSaveRule && msg.wParam == kWideAngleHintTimer) EndWideAngleHint();
  } else if (msg.sType == "play_control_buttondown" && sender == m_pPlayControl) {
    return PressOnVideo(msg);
  } else if (msg.sType == "play_control_mousemove" && sender == m_pPlayControl) {
    return HoverOnVideo(msg);
  } else if (msg.sType == "play_control_dbclick" && sender == m_pPlayControl) {
    return DoubleClickOnVideo(msg);
  } else if (msg.sType == "ptz_button_down" && IsPtzButton(sender)) {
    const int command = sender == m_pBtnFocusAdd ? 1 : sender == m_pBtnFocusSub ? 2 : sender == m_pBtnZoomAdd ? 3 : 4;
    LensControl(command);
  } else if (msg.sType == "ptz_button_up" && IsPtzButton(sender)) {
    LensControl(0);
  } else if (msg.sType == "option_click" && sender != nullptr) {
    if (sender == m_pOptRemind) m_surface.SetPlateHint(m_pOptRemind->IsSelected());
    if (sender == m_pRadioWideAngle || sender == m_pRadioLongFocus || sender == m_pOptOverlySmall ||
        sender == m_pOptOverlyDepth) {
      ApplyLensOptions();
    }
  } else if (msg.sType == "itemclick" && sender != nullptr && sender->GetName() == "rule_item") {
    SelectByRow(sender);
  } else if (msg.sType == "itemselect" && sender != nullptr && sender == m_pCmbDistance) {
    SaveInstallDistance();
  }
  CDialogWnd::Notify(msg);
}

void CRuleCfgDlg::ShowMessage(const char* text) { ui::UIMessageBox(m_hWnd, text); }
