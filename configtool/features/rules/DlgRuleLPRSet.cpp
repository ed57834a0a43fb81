#include "configtool/features/rules/DlgRuleLPRSet.h"

#include <cstdio>
#include <string>

#include "configtool/dialogs/DialogControls.h"
#include "configtool/features/rules/RuleRecords.h"
#include "configtool/features/rules/WholeDecimal.h"

namespace {

constexpr int kMinPlateWidth = 45;
constexpr int kMaxPlateWidth = 600;
constexpr int kMaxInterval = 255;

std::string Formatted(const char* format, int a, int b) {
  char text[128];
  std::snprintf(text, sizeof(text), format, a, b);
  return text;
}

bool InRange(const std::optional<std::int32_t>& value, int low, int high) {
  return value.has_value() && *value >= low && *value <= high;
}

}  // namespace

void CDlgRuleLPRSet::BindControls() {
  m_pEditName = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_rule_name");
  m_pEditMin = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_rule_min");
  m_pEditMax = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_rule_max");
  m_pCmbDir = FindDialogControl<ui::CComboUI>(m_pm, "dlg_cmb_dir");
  m_pEditTime = FindDialogControl<ui::CEditUI>(m_pm, "dlg_edit_lpr_time");
  m_pBtnOk = FindDialogControl<ui::CButtonUI>(m_pm, "ok");
  m_pBtnCancel = FindDialogControl<ui::CButtonUI>(m_pm, "cancel");
  SetDialogControlText(m_pm.FindControl("lp_width_hint"), Formatted("(%d-%d)", kMinPlateWidth, kMaxPlateWidth));
  LoadFields();
}

void CDlgRuleLPRSet::LoadFields() {
  if (m_pEntry == nullptr) return;
  SetDialogControlText(m_pEditName, LoopNameOf(*m_pEntry));
  SetDialogControlText(m_pEditMin, std::to_string(m_pEntry->minWidth));
  SetDialogControlText(m_pEditMax, std::to_string(m_pEntry->maxWidth));
  SetDialogControlText(m_pEditTime, std::to_string(m_pEntry->interval));
  if (m_pCmbDir != nullptr) {
    const int direction = m_pEntry->direction;
    m_pCmbDir->SelectItem(direction >= 0 && direction < m_pCmbDir->GetCount() ? direction : 0);
  }
}

bool CDlgRuleLPRSet::Refuse(const char* text) {
  ui::UIMessageBox(m_hWnd, text);
  return false;
}

bool CDlgRuleLPRSet::Apply() {
  if (m_pEntry == nullptr) return false;
  const std::string name = DialogControlText(m_pEditName);
  if (name.empty()) return Refuse("请输入规则名称！");
  const auto minimum = ParseWholeDecimal(DialogControlText(m_pEditMin));
  const auto maximum = ParseWholeDecimal(DialogControlText(m_pEditMax));
  if (!InRange(minimum, kMinPlateWidth, kMaxPlateWidth) || !InRange(maximum, kMinPlateWidth, kMaxPlateWidth)) {
    return Refuse(Formatted("车牌检测的大小范围需要在%d-%d之间！", kMinPlateWidth, kMaxPlateWidth).c_str());
  }
  if (*maximum < *minimum) return Refuse("最大尺寸需要大于等于最小尺寸！");
  const auto interval = ParseWholeDecimal(DialogControlText(m_pEditTime));
  if (!InRange(interval, 0, kMaxInterval)) return Refuse("相同车牌触发间隔时间应在0-255秒之间! ");

  StoreLoopName(*m_pEntry, name);
  m_pEntry->enable = 1;
  m_pEntry->draw = 1;
  m_pEntry->minWidth = *minimum;
  m_pEntry->maxWidth = *maximum;
  m_pEntry->interval = *interval;
  if (m_pCmbDir != nullptr && m_pCmbDir->GetCurSel() >= 0) m_pEntry->direction = m_pCmbDir->GetCurSel();
  return true;
}

void CDlgRuleLPRSet::Notify(ui::TNotifyUI& msg) {
  if (msg.sType == "click" && msg.pSender != nullptr) {
    if (msg.pSender == m_pBtnOk) {
      if (Apply()) Close(IDOK);
      return;
    }
    if (msg.pSender == m_pBtnCancel) {
      Close(IDCANCEL);
      return;
    }
  }
  CDialogWnd::Notify(msg);
}
