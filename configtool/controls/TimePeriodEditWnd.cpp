#include "configtool/controls/TimePeriodEditWnd.h"

#include "configtool/controls/TimePeriodUI.h"

void CTimePeriodEditWnd::OnEditChanged() {
  if (!IsInitialized() || GetOwner() == nullptr) return;
  // Only a CTimePeriodUI makes this window.
  static_cast<CTimePeriodUI*>(GetOwner())->TakeTypedText(ui::GetWindowTextString(m_hWnd));
}
