#include "configtool/features/whitelist/WlistJobMessages.h"

#include "platform/os/WindowSystem.h"

void EndWlistJob(WlistJobControl& control, HWND window, UINT message, std::unique_ptr<WlistJobEnd> end) {
  control.SignalEnded();
  if (os::PostMessage(window, message, 1, reinterpret_cast<LPARAM>(end.get()))) end.release();
}

void PostWlistProgress(HWND window, UINT message) { os::PostMessage(window, message, 0, 0); }
