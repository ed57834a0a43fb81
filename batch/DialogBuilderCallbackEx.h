#pragma once
// CDialogBuilderCallbackEx: the batch program's builder callback for its list rows and its
// login dialog. It creates the three row kinds by their layout class names and hands every
// other name to the framework's extension factory. It holds no state: make one for each build.

#include "platform/ui/UIlib.h"

class CDialogBuilderCallbackEx : public ui::CJqExControlFactory {
 public:
  ui::CControlUI* CreateControl(const char* className, ui::CPaintManagerUI* manager) override;
};
