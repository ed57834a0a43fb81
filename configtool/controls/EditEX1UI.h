#pragma once
// CEditEX1UI: the masked edit field of a time of day, "hh:mm:ss" (layout class "EditEX1"). Its
// value's date is of no meaning: users take only the time. It starts with the current time.

#include "configtool/controls/MaskedEditUI.h"

class CEditEX1UI : public CMaskedEditUI {
 public:
  CEditEX1UI();

  const char* GetClass() const override;          // "EditEX1UI"
  void* GetInterface(const char* name) override;  // "Edit1EX"
  const MaskedTextForm& TextForm() const override;
  void DoEvent(ui::TEventUI& event) override;

 protected:
  CMaskedEditWnd* NewEditWindow() const override;
};
