#pragma once
// The already-running notice is the first thing a second copy of a program shows, before it has
// made any window, and so before any host is up. Until then a plain message box first brings up
// the host chosen at start-up; the gtk host shows the box in GTK, any other host as the default.
// Installed when the program starts; internal to the gtk host (tests install it again).

namespace ui::gtkhost {

void InstallPlainMessageBoxBootstrap();
// The gtk host tells whether it is up (and has put its own message box in place).
void SetGtkHostUp(bool up);

}  // namespace ui::gtkhost
