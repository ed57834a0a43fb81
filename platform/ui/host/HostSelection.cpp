#include "platform/ui/host/HostSelection.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/ui/core/MessageLoop.h"
#include "platform/ui/host/StartingHost.h"
#include "platform/ui/hosts/headless/HeadlessHost.h"
#include "platform/ui/test/ScriptRunner.h"
#if LPR_UI_HAVE_GTK
#include "platform/ui/hosts/gtk/GtkHost.h"
#endif

namespace ui {
namespace {

bool HasDisplay() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

// The thread the gtk host serves (none until it is made): only there may it end.
std::atomic<std::thread::id> g_gtkHostThread;

// The host goes before the process's statics do: it puts back what it installed in some of them.
void TearDownGtkHostOnItsThread() {
  if (g_gtkHostThread.load() == std::this_thread::get_id()) TearDownHost();
}

const bool g_registered = [] {
  SetHostFactory(CreateHostFromEnvironment);
  SetOutermostLoopHook([](bool started) {
    if (started) {
      test::StartScriptFromEnvironment();
    } else {
      test::StopScriptFromEnvironment();
      // The program is done with its windows.
      TearDownGtkHostOnItsThread();
    }
  });
  return true;
}();

bool WantsGtkHost() {
  const char* choice = std::getenv("LPR_UI_HOST");
  const bool headless = choice != nullptr && std::strcmp(choice, "headless") == 0;
  return !headless && HasDisplay();
}

}  // namespace

std::unique_ptr<Host> CreateHostFromEnvironment() {
#if LPR_UI_HAVE_GTK
  if (WantsGtkHost()) {
    if (auto host = CreateGtkHost()) {
      g_gtkHostThread = std::this_thread::get_id();
      // Also for a program that ends without running its loop (a second copy after its notice).
      static const bool atExit = std::atexit(TearDownGtkHostOnItsThread) == 0;
      (void)atExit;
      return host;
    }
  }
#else
  (void)WantsGtkHost;
#endif
  return std::make_unique<HeadlessHost>();
}

void StartHostFromEnvironment() {
#if LPR_UI_HAVE_GTK
  if (WantsGtkHost()) SetHost(std::make_unique<StartingHost>(StartGtkElsewhere(), CreateHostFromEnvironment));
#endif
}

}  // namespace ui
