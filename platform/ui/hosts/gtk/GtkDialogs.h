#pragma once
// The GTK versions of the plain native dialogs (platform/os/NativeDialogs.h). Internal to the gtk host.

#include <gtk/gtk.h>

#include <string>

#include "platform/os/NativeDialogs.h"

namespace ui::gtkhost {

// The chosen file as a GBK path, or empty when cancelled.
std::string RunOpenFileDialog(GtkWindow* parent, const os::OpenFileRequest& request);
// A modal notice with one OK button; text and caption are GBK.
void RunPlainMessageBox(GtkWindow* parent, const std::string& text, const std::string& caption);

}  // namespace ui::gtkhost
