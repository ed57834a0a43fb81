#include "platform/ui/controls/JqExControlFactory.h"

#include "platform/ui/controls/ControlHelpers.h"
#include "platform/ui/controls/UIPlayControl.h"
#include "platform/ui/controls/UIPtzButton.h"

namespace ui {

CControlUI* CJqExControlFactory::CreateControl(const char* className, CPaintManagerUI*) {
  if (IsName(className, "PlayControl")) return new CPlayControlUI;
  if (IsName(className, "PtzButton")) return new CPtzButtonUI;
  return nullptr;
}

}  // namespace ui
