#include "configtool/controls/EditEX1UI.h"

#include <cstring>

#include "configtool/controls/EditEX1Wnd.h"

CEditEX1UI::CEditEX1UI() { ShowValue(); }

const char* CEditEX1UI::GetClass() const { return "EditEX1UI"; }

void* CEditEX1UI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "Edit1EX") == 0) return this;
  return CLabelUI::GetInterface(name);
}

const MaskedTextForm& CEditEX1UI::TextForm() const { return MaskedTextForm::TimeOfDay(); }

void CEditEX1UI::DoEvent(ui::TEventUI& event) {
  if (event.Type == ui::UIEVENT_SETFOCUS && IsEnabled()) Invalidate();
  CMaskedEditUI::DoEvent(event);
}

CMaskedEditWnd* CEditEX1UI::NewEditWindow() const { return new CEditEX1Wnd; }
