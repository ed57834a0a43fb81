#pragma once
// CEditEXUI: the masked edit field of a full date and time, "yyyy-mm-dd hh:mm:ss" (layout class
// "EditEX"). It starts with the current time.

#include "configtool/controls/MaskedEditUI.h"

class CEditEXUI : public CMaskedEditUI {
 public:
  CEditEXUI();

  const char* GetClass() const override;          // "EditEXUI"
  void* GetInterface(const char* name) override;  // "EditEX"
  const MaskedTextForm& TextForm() const override;

 protected:
  CMaskedEditWnd* NewEditWindow() const override;
};
