#pragma once
// The event that paces the plate-record export: the export's worker resets it before each page and
// waits on it; the window thread sets it when the page's last record has been taken. One for the
// whole process, made on first use and never destroyed, so a late Set never meets a gone event.

#include "platform/os/ManualResetEvent.h"

// How long the worker waits for one page.
inline constexpr os::Milliseconds kPlateExportPageWait{15000};

os::ManualResetEvent& GetPlateExportEvent();
