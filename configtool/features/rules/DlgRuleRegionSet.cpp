#include "configtool/features/rules/DlgRuleRegionSet.h"

#include "configtool/dialogs/DialogControls.h"

void CDlgRuleRegionSet::BindControls() {
  m_pOptEnable = FindDialogControl<ui::COptionUI>(m_pm, "dlg_opt_enable_rule");
  m_pOptDraw = FindDialogControl<ui::COptionUI>(m_pm, "dlg_opt_draw_rule");
  m_pBtnOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  LoadFields();
}

void CDlgRuleRegionSet::LoadFields() {
  if (m_pRecord == nullptr) return;
  if (m_pOptEnable != nullptr) m_pOptEnable->Selected(m_pRecord->byEnable == 1);
  if (m_pOptDraw != nullptr) m_pOptDraw->Selected(m_pRecord->byDraw == 1);
}

void CDlgRuleRegionSet::Apply() {
  if (m_pOptEnable != nullptr) m_pRecord->byEnable = m_pOptEnable->IsSelected() ? 1 : 0;
  if (m_pOptDraw != nullptr) m_pRecord->byDraw = m_pOptDraw->IsSelected() ? 1 : 0;
}

void CDlgRuleRegionSet::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    if (msg.pSender == m_pBtnOk) {
      if (m_pRecord == nullptr) return;
      Apply();
      Close(IDOK);
      return;
    }
    if (msg.pSender == m_pBtnCancel) {
      Close(IDCANCEL);
      return;
    }
  }
  CDialogWnd::Notify(msg);
}
