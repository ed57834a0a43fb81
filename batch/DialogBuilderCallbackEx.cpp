#include "batch/DialogBuilderCallbackEx.h"

#include <cstring>

#include "batch/ConfigListItem.h"
#include "batch/UpdateListItem.h"
#include "batch/UpdateSelfListItem.h"

ui::CControlUI* CDialogBuilderCallbackEx::CreateControl(const char* className, ui::CPaintManagerUI* manager) {
  if (className == nullptr) return nullptr;
  if (std::strcmp(className, "UpdateListItem") == 0) return new CUpdateListItem;
  if (std::strcmp(className, "ConfigListItem") == 0) return new CConfigListItem;
  if (std::strcmp(className, "UpdateSelfListItem") == 0) return new CUpdateSelfListItem;
  return ui::CJqExControlFactory::CreateControl(className, manager);
}
