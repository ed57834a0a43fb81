#pragma once
// CEditEXWnd: the edit window of a CEditEXUI while it is edited (window class "EditEXWnd").

#include "configtool/controls/MaskedEditWnd.h"

class CEditEXWnd : public CMaskedEditWnd {
 protected:
  const char* GetWindowClassName() const override;  // "EditEXWnd"
};
