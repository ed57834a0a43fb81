#pragma once
// Plain native dialogs that can be shown before any skin is loaded, and the open-file dialog.
// Each is a replaceable seam: the window framework installs its GTK versions, the test driver
// installs scripted answers. The defaults need no display.

#include <functional>
#include <string>

#include "platform/os/WinTypes.h"

namespace os {

// A plain message box (text and caption in GBK). Default: one line on stderr, in UTF-8.
using PlainMessageBoxHandler = std::function<void(HWND owner, const std::string& text, const std::string& caption)>;
// Empty restores the default. Returns the handler it replaces (empty: the default), to put back later.
PlainMessageBoxHandler SetPlainMessageBoxHandler(PlainMessageBoxHandler handler);
void ShowPlainMessageBox(HWND owner, const std::string& text, const std::string& caption);

// The open-file dialog. `filterName` is shown to the user, `pattern` like "*.csv".
// Returns the chosen GBK path, or empty when cancelled. Default: cancelled.
struct OpenFileRequest {
  HWND owner = nullptr;
  std::string title;
  std::string filterName;
  std::string pattern;
  std::string initialFolder;
};
using OpenFileDialogHandler = std::function<std::string(const OpenFileRequest& request)>;
// Empty restores the default. Returns the handler it replaces (empty: the default).
OpenFileDialogHandler SetOpenFileDialogHandler(OpenFileDialogHandler handler);
std::string ShowOpenFileDialog(const OpenFileRequest& request);

}  // namespace os
