#pragma once
// Internal: the framework's message loops and the work they do between messages. A framework loop
// (the main loop, a modal loop) runs deferred work at the top of each turn: work queued while a
// loop of depth d was dispatching runs at the next turn of a loop of depth <= d, so that nothing a
// caller still stands on (a control inside its own click, a dialog whose ShowModal just returned)
// is deleted under it.

#include <functional>

#include "platform/os/WinTypes.h"

namespace ui {

int CurrentLoopDepth();
// Runs `work` at the next turn of a framework loop of depth <= `depth`.
void DeferToLoop(int depth, std::function<void()> work);
inline void DeferToLoop(std::function<void()> work) { DeferToLoop(CurrentLoopDepth(), std::move(work)); }
// Runs what is due at the current depth (every entry when `all`).
void RunDeferred(bool all = false);
// Dispatches messages until `done()` or WM_QUIT (posted again for the outer loop when
// `repostQuit`); one loop level deeper. Returns false when WM_QUIT ended it.
bool RunLoopUntil(const std::function<bool()>& done, bool repostQuit = true);

// Code to run on the window thread when its outermost CPaintManagerUI::MessageLoop starts
// (`started` true) and after it ended (false): the step runner of LPR_UI_SCRIPT hooks in here.
using LoopHook = std::function<void(bool started)>;
void SetOutermostLoopHook(LoopHook hook);
void RunOutermostLoopHook(bool started);

}  // namespace ui
