#pragma once
// CJqExControlFactory: the framework's extension factory, the builder callback that the programs'
// own factories derive from. It creates the extension controls by layout class name:
// "PlayControl" (CPlayControlUI) and "PtzButton" (CPtzButtonUI); any other name gives nullptr.

#include "platform/ui/core/UIBuilder.h"

namespace ui {

class CJqExControlFactory : public IDialogBuilderCallback {
 public:
  CControlUI* CreateControl(const char* className, CPaintManagerUI* manager) override;
};

}  // namespace ui
