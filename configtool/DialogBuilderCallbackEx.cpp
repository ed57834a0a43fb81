#include "configtool/DialogBuilderCallbackEx.h"

#include <cstring>
#include <new>

#include "configtool/controls/PlateListItem.h"
#include "configtool/controls/PlateViewerUI.h"
#include "configtool/features/rules/RuleListItemUI.h"

namespace {

using Creator = ui::CControlUI* (*)(ui::CPaintManagerUI* manager);

struct OwnControl {
  const char* className;
  Creator create;
};

// Compared byte for byte, in this order. The controls of the dialogs still to come (rule-list
// rows, date-time pickers, masked edits, calendar, time periods) join with their classes.
const OwnControl kOwnControls[] = {
    {"RuleListItem", [](ui::CPaintManagerUI*) -> ui::CControlUI* { return new (std::nothrow) CRuleListItemUI; }},
    {"PlateListItem", [](ui::CPaintManagerUI*) -> ui::CControlUI* { return new (std::nothrow) CPlateListItem; }},
    {"PlateViewer", [](ui::CPaintManagerUI*) -> ui::CControlUI* { return new (std::nothrow) CPlateViewerUI; }},
};

}  // namespace

ui::CControlUI* CDialogBuilderCallbackEx::CreateControl(const char* className, ui::CPaintManagerUI* manager) {
  if (className != nullptr) {
    for (const OwnControl& control : kOwnControls) {
      if (std::strcmp(className, control.className) == 0) return control.create(manager);
    }
  }
  return ui::CJqExControlFactory::CreateControl(className, manager);
}
