#include "configtool/controls/EditEX1Wnd.h"

const char* CEditEX1Wnd::GetWindowClassName() const { return "EditEX1Wnd"; }
