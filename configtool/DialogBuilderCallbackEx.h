#pragma once
// CDialogBuilderCallbackEx: the tool's builder callback. It creates the tool's own controls by
// their layout class name and hands every other name to the framework's extension factory.
// It holds no state: make one on the stack for each build.

#include "platform/ui/UIlib.h"

class CDialogBuilderCallbackEx : public ui::CJqExControlFactory {
 public:
  ui::CControlUI* CreateControl(const char* className, ui::CPaintManagerUI* manager) override;
};
