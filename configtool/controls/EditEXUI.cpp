#include "configtool/controls/EditEXUI.h"

#include <cstring>

#include "configtool/controls/EditEXWnd.h"

CEditEXUI::CEditEXUI() { ShowValue(); }

const char* CEditEXUI::GetClass() const { return "EditEXUI"; }

void* CEditEXUI::GetInterface(const char* name) {
  if (name != nullptr && std::strcmp(name, "EditEX") == 0) return this;
  return CLabelUI::GetInterface(name);
}

const MaskedTextForm& CEditEXUI::TextForm() const { return MaskedTextForm::FullDateTime(); }

CMaskedEditWnd* CEditEXUI::NewEditWindow() const { return new CEditEXWnd; }
