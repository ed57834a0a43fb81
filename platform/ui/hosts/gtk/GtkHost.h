#pragma once
// The host that shows the framework's windows as real GTK 3 windows on the display. It serves the
// thread that created it (the programs' UI thread); GTK runs on that thread only.
//
// Besides the windows it installs, while it lives, the GTK open-file dialog as
// os::SetOpenFileDialogHandler, a GTK message box as os::SetPlainMessageBoxHandler and the
// WebKitGTK page view behind the web browser control.

#include <memory>

#include "platform/ui/host/Host.h"

namespace ui {

// nullptr when no display can be opened.
std::unique_ptr<Host> CreateGtkHost();

}  // namespace ui
