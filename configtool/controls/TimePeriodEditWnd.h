#pragma once
// CTimePeriodEditWnd: the edit window of a CTimePeriodUI while it is edited. What the operator
// types stays in it; the field takes it (and sends "textchanged") only once it reads as a schedule.

#include "platform/ui/UIlib.h"

class CTimePeriodEditWnd : public ui::CEditWnd {
 protected:
  void OnEditChanged() override;
};
