#include "configtool/features/rules/RuleListItemUI.h"

#include "configtool/DialogBuilderCallbackEx.h"

void CRuleListItemUI::BindParts(const std::string& label) {
  if (m_pManager != nullptr) {
    m_pLabel = m_pManager->FindSubControlByName(this, "rule_lbl_name");
    m_pParamButton = m_pManager->FindSubControlByName(this, "rule_btn_para");
  }
  SetLabelText(label);
}

std::string CRuleListItemUI::GetLabelText() const {
  return m_pLabel != nullptr ? m_pLabel->GetText().Str() : std::string();
}

void CRuleListItemUI::SetLabelText(const std::string& text) {
  if (m_pLabel != nullptr) m_pLabel->SetText(text.c_str());
}

CRuleListItemUI* CreateRuleRow(ui::CPaintManagerUI* manager) {
  return CreateRowFromTemplate<CRuleListItemUI>("RuleListItem.xml", manager);
}
