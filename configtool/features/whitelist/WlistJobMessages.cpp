#include "configtool/features/whitelist/WlistJobMessages.h"

#include "platform/os/WindowSystem.h"

std::unique_ptr<WlistJobEnd> MakeWlistJobEnd(bool succeeded, std::string notice, int done, int total) {
  auto end = std::make_unique<WlistJobEnd>();
  end->succeeded = succeeded;
  end->notice = std::move(notice);
  end->done = done;
  end->total = total;
  return end;
}

void EndWlistJob(WlistJobControl& control, HWND window, UINT message, std::unique_ptr<WlistJobEnd> end) {
  control.SignalEnded();
  if (os::PostMessage(window, message, 1, reinterpret_cast<LPARAM>(end.get()))) end.release();
}

void PostWlistProgress(HWND window, UINT message) { os::PostMessage(window, message, 0, 0); }
