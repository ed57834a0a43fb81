#include "platform/ui/host/HostSelection.h"

#include <cstdlib>
#include <cstring>

#include "platform/ui/core/MessageLoop.h"
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

const bool g_registered = [] {
  SetHostFactory(CreateHostFromEnvironment);
  SetOutermostLoopHook([](bool started) {
    if (started) {
      test::StartScriptFromEnvironment();
    } else {
      test::StopScriptFromEnvironment();
    }
  });
  return true;
}();

}  // namespace

std::unique_ptr<Host> CreateHostFromEnvironment() {
  const char* choice = std::getenv("LPR_UI_HOST");
  const bool headless = choice != nullptr && std::strcmp(choice, "headless") == 0;
#if LPR_UI_HAVE_GTK
  if (!headless && HasDisplay()) {
    if (auto host = CreateGtkHost()) return host;
  }
#else
  (void)headless;
  (void)HasDisplay;
#endif
  return std::make_unique<HeadlessHost>();
}

}  // namespace ui
