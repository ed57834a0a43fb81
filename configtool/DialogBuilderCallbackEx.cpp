#include "configtool/DialogBuilderCallbackEx.h"

#include <cstring>
#include <new>

#include "configtool/controls/CalendarUI.h"
#include "configtool/controls/DateTimeCtrlUI.h"
#include "configtool/controls/EditEX1UI.h"
#include "configtool/controls/EditEXUI.h"
#include "configtool/controls/JqDateTimeUI.h"
#include "configtool/controls/PlateListItem.h"
#include "configtool/controls/PlateViewerUI.h"
#include "configtool/controls/TimePeriodPickerUI.h"
#include "configtool/controls/TimePeriodUI.h"
#include "configtool/features/rules/RuleListItemUI.h"

namespace {

using Creator = ui::CControlUI* (*)(ui::CPaintManagerUI* manager);

struct OwnControl {
  const char* className;
  Creator create;
};

template <typename Control>
ui::CControlUI* Create(ui::CPaintManagerUI*) {
  return new (std::nothrow) Control;
}

template <typename Control>
ui::CControlUI* CreateWithManager(ui::CPaintManagerUI* manager) {
  return new (std::nothrow) Control(manager);
}

// Compared byte for byte, in this order; the first match decides.
const OwnControl kOwnControls[] = {
    {"RuleListItem", &Create<CRuleListItemUI>},
    {"PlateListItem", &Create<CPlateListItem>},
    {"PlateViewer", &Create<CPlateViewerUI>},
    {"JqDateTime", &Create<CJqDateTimeUI>},
    {"DateTimeCtrl", &CreateWithManager<CDateTimeCtrlUI>},
    {"EditEX", &Create<CEditEXUI>},
    {"EditEX1", &Create<CEditEX1UI>},
    {"Calendar", &CreateWithManager<CCalendarUI>},
    {"TimePeriod", &Create<CTimePeriodUI>},
    {"TimePeriodPicker", &Create<CTimePeriodPickerUI>},
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
