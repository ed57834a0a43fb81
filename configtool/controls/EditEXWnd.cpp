#include "configtool/controls/EditEXWnd.h"

const char* CEditEXWnd::GetWindowClassName() const { return "EditEXWnd"; }
