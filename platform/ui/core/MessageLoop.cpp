#include "platform/ui/core/MessageLoop.h"

#include <algorithm>
#include <mutex>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/ThreadQueue.h"
#include "platform/ui/core/UIManager.h"

namespace ui {

int CurrentLoopDepth() { return ThreadQueue::Current()->loopDepth; }

void DeferToLoop(int depth, std::function<void()> work) {
  ThreadQueue::Current()->deferred.emplace_back(depth, std::move(work));
}

void RunDeferred(bool all) {
  auto queue = ThreadQueue::Current();
  // Work queued outside any loop runs in the first loop that turns.
  const int depth = std::max(queue->loopDepth, 1);
  for (;;) {
    auto& deferred = queue->deferred;
    auto it = std::find_if(deferred.begin(), deferred.end(),
                           [&](const auto& entry) { return all || std::max(entry.first, 1) >= depth; });
    if (it == deferred.end()) return;
    auto work = std::move(it->second);
    deferred.erase(it);
    work();  // may defer more work, hence the fresh search
  }
}

bool RunLoopUntil(const std::function<bool()>& done, bool repostQuit) {
  auto queue = ThreadQueue::Current();
  ++queue->loopDepth;
  bool quit = false;
  while (!done()) {
    RunDeferred();
    if (done()) break;
    MSG msg;
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      // An outer loop must see the quit as well.
      if (repostQuit) PostQuitMessage(static_cast<int>(msg.wParam));
      quit = true;
      break;
    }
    if (!CPaintManagerUI::TranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  --queue->loopDepth;
  return !quit;
}

namespace {

std::mutex g_hookMutex;
LoopHook& Hook() {
  static LoopHook hook;
  return hook;
}

}  // namespace

void SetOutermostLoopHook(LoopHook hook) {
  std::lock_guard lock(g_hookMutex);
  Hook() = std::move(hook);
}

void RunOutermostLoopHook(bool started) {
  LoopHook hook;
  {
    std::lock_guard lock(g_hookMutex);
    hook = Hook();
  }
  if (hook) hook(started);
}

}  // namespace ui
