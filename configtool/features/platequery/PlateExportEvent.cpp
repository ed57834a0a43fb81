#include "configtool/features/platequery/PlateExportEvent.h"

os::ManualResetEvent& GetPlateExportEvent() {
  static os::ManualResetEvent* const event = new os::ManualResetEvent();
  return *event;
}
