#pragma once
// Internal: the message queue of one window thread, with its timers, its windows' focus,
// activation and capture, the loop depth and the work deferred to the message loop.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/os/Clock.h"
#include "platform/os/WinTypes.h"
#include "platform/ui/core/NativeWindow.h"

namespace ui {

class ThreadQueue {
 public:
  // The queue of the calling thread, made on first use.
  static std::shared_ptr<ThreadQueue> Current();
  // Messages still queued are discarded (see SetPostedMessageDiscarder).
  ~ThreadQueue();

  // --- Any thread ---
  // Queues a message (and, with a task, code to run at its turn instead of a dispatch).
  // `discard` frees the message's payload if its window is gone before its turn.
  void Post(const MSG& msg, std::function<void()> task = {}, PostedMessageDiscarder discard = nullptr);
  // Work for the window thread that runs between messages, even inside nested loops (test driver).
  // Returns the idle generation at posting: the next idle wait after it comes once the command ran.
  std::uint64_t PostCommand(std::function<void()> command);
  // Blocks (real time) until the thread waits for work with nothing to do, in a wait that began
  // after the idle generation `afterGeneration` (see PostCommand).
  bool WaitForIdle(std::uint64_t afterGeneration, std::chrono::milliseconds realTimeout);
  // Makes every WaitForIdle (now and later) return false at once: the thread no longer serves.
  void CloseIdleWaiters();
  bool IdleWaitersClosed() const;
  // Sleeps for `realTime`, or less when CloseIdleWaiters comes first (false then).
  bool SleepUnlessClosed(std::chrono::milliseconds realTime);

  // --- The window thread ---
  // The next message for `filter` (nullptr: any window), blocking until there is one.
  // False for WM_QUIT.
  bool Get(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool wait, bool remove);
  void Quit(int exitCode);

  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  void KillTimers(HWND hwnd);
  // Time until the next timer is due (nullopt: no timer).
  std::optional<os::Clock::Duration> NextTimerIn() const;

  void MarkDirty(HWND topLevel);
  void ForgetDirty(HWND topLevel);

  // This thread's windows in creation order.
  std::vector<HWND> windows;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND hover = nullptr;
  POINT cursorScreen{};
  HWND lastDownWindow = nullptr;
  UINT lastDownMessage = 0;
  os::Clock::Duration lastDownTime{};
  POINT lastDownPoint{};
  std::set<int> keysDown;
  int cursorId = 0;

  // Framework loops now running on this thread, and work deferred to them (see MessageLoop.h).
  int loopDepth = 0;
  std::vector<std::pair<int, std::function<void()>>> deferred;

 private:
  struct Entry {
    MSG msg;
    std::function<void()> task;
    PostedMessageDiscarder discard = nullptr;
  };
  struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    os::Clock::Duration due;
  };

  bool Matches(const MSG& msg, HWND filter, UINT minMessage, UINT maxMessage) const;
  bool TakePosted(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove, std::function<void()>* task);
  // Under the lock: the next matching message; messages for windows that are gone go to `dropped`.
  bool TakePostedLocked(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove,
                        std::function<void()>* task, std::vector<Entry>& dropped);
  static void Discard(const std::vector<Entry>& dropped);
  bool TakeCommand(std::function<void()>* command);
  bool TakePaint(MSG* msg, HWND filter, bool remove);
  bool TakeTimer(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove);
  std::deque<Entry>::iterator ErasePosted(std::deque<Entry>::iterator it);
  bool InputWaiting() const;
  void WaitForWork();
  void GiveHostItsTurn();

  const std::thread::id m_owner = std::this_thread::get_id();
  mutable std::mutex m_mutex;
  std::condition_variable m_cv;
  std::condition_variable m_idleCv;
  std::deque<Entry> m_posted;
  std::size_t m_inputPosted = 0;  // keyboard and mouse messages in m_posted
  std::deque<std::function<void()>> m_commands;
  bool m_idle = false;
  bool m_idleWaitersClosed = false;
  std::uint64_t m_idleGeneration = 0;
  std::vector<Timer> m_timers;
  std::vector<HWND> m_dirty;
  // When the host last handled its events (real time: the display's pace is not the clock's).
  std::chrono::steady_clock::time_point m_lastHostTurn = std::chrono::steady_clock::now();
};

}  // namespace ui
