#include "platform/ui/hosts/gtk/PlainMessageBoxBootstrap.h"

#include <atomic>
#include <string>

#include "platform/os/NativeDialogs.h"
#include "platform/ui/host/Host.h"

namespace ui::gtkhost {
namespace {

std::atomic<bool> g_gtkHostUp{false};

const bool g_installed = [] {
  InstallPlainMessageBoxBootstrap();
  return true;
}();

}  // namespace

void SetGtkHostUp(bool up) { g_gtkHostUp = up; }

void InstallPlainMessageBoxBootstrap() {
  os::SetPlainMessageBoxHandler([](HWND owner, const std::string& text, const std::string& caption) {
    StartedHost();
    // Another host leaves this handler in place: the default box then shows it, once.
    if (!g_gtkHostUp) os::SetPlainMessageBoxHandler({});
    os::ShowPlainMessageBox(owner, text, caption);
  });
}

}  // namespace ui::gtkhost
