#pragma once
// The host choice at start-up (lpr::ui_app): the gtk host when a display is present and
// LPR_UI_HOST is not "headless", the headless host otherwise. Linking lpr::ui_app is enough: the
// choice registers itself as the host factory before main. When LPR_UI_SCRIPT names a step file,
// the step runner drives the program's windows (platform/ui/test/ScriptRunner.h). The gtk host ends
// when the outermost message loop of its thread has ended (at exit for a program that ran none),
// before the process's statics go.
//
// The gtk host (platform/ui/hosts/gtk) provides `std::unique_ptr<ui::Host> ui::CreateGtkHost()`,
// which returns nullptr when no display can be opened.

#include <memory>

#include "platform/ui/host/Host.h"

namespace ui {

// The host the environment asks for (see above).
std::unique_ptr<Host> CreateHostFromEnvironment();

// For a program's main, before its first window: when the environment asks for the gtk host, the
// display starts on a thread of its own while the program builds and paints its first window
// (StartingHost.h); else nothing happens here. Called on the thread that the windows will use.
void StartHostFromEnvironment();

}  // namespace ui
