#pragma once
// CEditEX1Wnd: the edit window of a CEditEX1UI while it is edited (window class "EditEX1Wnd").

#include "configtool/controls/MaskedEditWnd.h"

class CEditEX1Wnd : public CMaskedEditWnd {
 protected:
  const char* GetWindowClassName() const override;  // "EditEX1Wnd"
};
