#pragma once
// The host that shows the framework's windows as real GTK 3 windows on the display. It serves the
// thread that created it (the programs' UI thread); GTK runs on that thread only, after GTK's start
// for the process, which may run on a thread of its own before (StartGtkElsewhere).
//
// Besides the windows it installs, while it lives, the GTK open-file dialog as
// os::SetOpenFileDialogHandler, a GTK message box as os::SetPlainMessageBoxHandler and the
// WebKitGTK page view behind the web browser control.

#include <memory>

#include "platform/ui/host/Host.h"
#include "platform/ui/host/StartingHost.h"

namespace ui {

// nullptr when no display can be opened.
std::unique_ptr<Host> CreateGtkHost();

// GTK's start for the process begun on a thread of its own, for a StartingHost: CreateGtkHost
// then makes the host without waiting once it is done. Called on the thread the host will serve,
// before anything else of GTK.
HostStart StartGtkElsewhere();

}  // namespace ui
