#include "platform/ui/core/ThreadQueue.h"

#include <algorithm>
#include <iterator>

#include "platform/ui/core/NativeWindow.h"
#include "platform/ui/core/WindowRecord.h"
#include "platform/ui/host/Host.h"

namespace ui {

namespace {

// Messages of the user's input, which the host queues and TranslateMessage adds to.
bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         message == WM_MOUSELEAVE || message == WM_CONTEXTMENU;
}

}  // namespace

std::shared_ptr<ThreadQueue> ThreadQueue::Current() {
  thread_local std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();
  return queue;
}

ThreadQueue::~ThreadQueue() {
  std::vector<Entry> dropped(std::make_move_iterator(m_posted.begin()), std::make_move_iterator(m_posted.end()));
  m_posted.clear();
  Discard(dropped);
}

void ThreadQueue::Post(const MSG& msg, std::function<void()> task, PostedMessageDiscarder discard) {
  {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(Entry{msg, std::move(task), discard});
    if (IsInputMessage(msg.message)) ++m_inputPosted;
  }
  m_cv.notify_all();
  if (std::this_thread::get_id() != m_owner) CurrentHost().Wake();
}

std::uint64_t ThreadQueue::PostCommand(std::function<void()> command) {
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(m_mutex);
    m_commands.push_back(std::move(command));
    generation = m_idleGeneration;
  }
  m_cv.notify_all();
  if (std::this_thread::get_id() != m_owner) CurrentHost().Wake();
  return generation;
}

bool ThreadQueue::WaitForIdle(std::uint64_t afterGeneration, std::chrono::milliseconds realTimeout) {
  std::unique_lock lock(m_mutex);
  m_idleCv.wait_for(lock, realTimeout,
                    [&] { return m_idleWaitersClosed || (m_idle && m_idleGeneration > afterGeneration); });
  return !m_idleWaitersClosed && m_idle && m_idleGeneration > afterGeneration;
}

void ThreadQueue::CloseIdleWaiters() {
  {
    std::lock_guard lock(m_mutex);
    m_idleWaitersClosed = true;
  }
  m_idleCv.notify_all();
}

bool ThreadQueue::IdleWaitersClosed() const {
  std::lock_guard lock(m_mutex);
  return m_idleWaitersClosed;
}

bool ThreadQueue::SleepUnlessClosed(std::chrono::milliseconds realTime) {
  std::unique_lock lock(m_mutex);
  return !m_idleCv.wait_for(lock, realTime, [this] { return m_idleWaitersClosed; });
}

void ThreadQueue::Quit(int exitCode) {
  MSG msg;
  msg.message = WM_QUIT;
  msg.wParam = static_cast<WPARAM>(exitCode);
  Post(msg);
}

bool ThreadQueue::Matches(const MSG& msg, HWND filter, UINT minMessage, UINT maxMessage) const {
  if (msg.message == WM_QUIT) return true;
  if (filter != nullptr && msg.hwnd != filter && !IsChild(filter, msg.hwnd)) return false;
  if (minMessage == 0 && maxMessage == 0) return true;
  return msg.message >= minMessage && msg.message <= maxMessage;
}

void ThreadQueue::Discard(const std::vector<Entry>& dropped) {
  for (const Entry& entry : dropped) {
    if (entry.discard != nullptr) entry.discard(entry.msg.message, entry.msg.wParam, entry.msg.lParam);
  }
}

bool ThreadQueue::TakePosted(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove,
                             std::function<void()>* task) {
  std::vector<Entry> dropped;
  bool taken = false;
  {
    std::lock_guard lock(m_mutex);
    taken = TakePostedLocked(msg, filter, minMessage, maxMessage, remove, task, dropped);
  }
  // Outside the lock: a discarder may post.
  Discard(dropped);
  return taken;
}

bool ThreadQueue::TakePostedLocked(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove,
                                   std::function<void()>* task, std::vector<Entry>& dropped) {
  for (auto it = m_posted.begin(); it != m_posted.end();) {
    // Messages for windows that are gone are dropped (their payloads discarded), as the sender was
    // told at posting time.
    if (it->msg.hwnd != nullptr && WindowTable::Instance().Find(it->msg.hwnd) == nullptr) {
      dropped.push_back(std::move(*it));
      it = ErasePosted(it);
      continue;
    }
    if (!Matches(it->msg, filter, minMessage, maxMessage)) {
      ++it;
      continue;
    }
    *msg = it->msg;
    if (it->task) {
      *task = std::move(it->task);
      ErasePosted(it);
    } else if (remove) {
      ErasePosted(it);
    }
    return true;
  }
  return false;
}

std::deque<ThreadQueue::Entry>::iterator ThreadQueue::ErasePosted(std::deque<Entry>::iterator it) {
  if (IsInputMessage(it->msg.message)) --m_inputPosted;
  return m_posted.erase(it);
}

bool ThreadQueue::InputWaiting() const {
  std::lock_guard lock(m_mutex);
  return m_inputPosted > 0;
}

bool ThreadQueue::TakeCommand(std::function<void()>* command) {
  std::lock_guard lock(m_mutex);
  if (m_commands.empty()) return false;
  *command = std::move(m_commands.front());
  m_commands.pop_front();
  return true;
}

void ThreadQueue::MarkDirty(HWND topLevel) {
  if (std::find(m_dirty.begin(), m_dirty.end(), topLevel) == m_dirty.end()) m_dirty.push_back(topLevel);
}

void ThreadQueue::ForgetDirty(HWND topLevel) { std::erase(m_dirty, topLevel); }

bool ThreadQueue::TakePaint(MSG* msg, HWND filter, bool remove) {
  for (auto it = m_dirty.begin(); it != m_dirty.end(); ++it) {
    if (!IsWindowVisible(*it)) continue;
    if (filter != nullptr && *it != filter && GetAncestorRoot(filter) != *it) continue;
    *msg = MSG{};
    msg->hwnd = *it;
    msg->message = WM_PAINT;
    if (remove) m_dirty.erase(it);
    return true;
  }
  return false;
}

UINT_PTR ThreadQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse) {
  const auto due = os::CurrentClock().Now() + os::Clock::Duration(std::max<UINT>(elapse, 1));
  for (Timer& timer : m_timers) {
    if (timer.hwnd == hwnd && timer.id == id) {
      timer.elapse = elapse;
      timer.due = due;
      return id;
    }
  }
  m_timers.push_back(Timer{hwnd, id, elapse, due});
  return id;
}

bool ThreadQueue::KillTimer(HWND hwnd, UINT_PTR id) {
  return std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

void ThreadQueue::KillTimers(HWND hwnd) {
  std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<os::Clock::Duration> ThreadQueue::NextTimerIn() const {
  if (m_timers.empty()) return std::nullopt;
  auto due = m_timers.front().due;
  for (const Timer& timer : m_timers) due = std::min(due, timer.due);
  return std::max(os::Clock::Duration(0), due - os::CurrentClock().Now());
}

bool ThreadQueue::TakeTimer(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool remove) {
  const auto now = os::CurrentClock().Now();
  Timer* next = nullptr;
  for (Timer& timer : m_timers) {
    if (timer.due > now) continue;
    MSG candidate;
    candidate.hwnd = timer.hwnd;
    candidate.message = WM_TIMER;
    if (!Matches(candidate, filter, minMessage, maxMessage)) continue;
    if (next == nullptr || timer.due < next->due) next = &timer;
  }
  if (next == nullptr) return false;
  *msg = MSG{};
  msg->hwnd = next->hwnd;
  msg->message = WM_TIMER;
  msg->wParam = next->id;
  if (remove) {
    // A late timer fires once, not once per missed period.
    next->due = std::max(next->due + os::Clock::Duration(std::max<UINT>(next->elapse, 1)),
                         now + os::Clock::Duration(1));
  }
  return true;
}

void ThreadQueue::WaitForWork() {
  const auto timeout = NextTimerIn();
  std::unique_lock lock(m_mutex);
  if (!m_posted.empty() || !m_commands.empty()) return;
  m_idle = true;
  ++m_idleGeneration;
  m_idleCv.notify_all();
  CurrentHost().WaitForWork(lock, m_cv, timeout, [this] { return !m_posted.empty() || !m_commands.empty(); });
  m_idle = false;
  m_lastHostTurn = std::chrono::steady_clock::now();
}

void ThreadQueue::GiveHostItsTurn() {
  // The host's own turn comes when the queue runs dry; a queue that never does (a timer whose
  // handler outlasts its period, frames posted faster than they are shown) would keep the display
  // from drawing and from taking input. The order stays that of a queue that runs dry: the host
  // adds input only once the input it added before has been handled (a key's character, which
  // TranslateMessage queues, included), and one piece at a time, so that keys are handled in the
  // order and the state (Ctrl held or not) they were typed in.
  constexpr std::chrono::milliseconds kHostTurnPeriod{10};
  constexpr int kEventsPerTurn = 32;  // a source that is always ready must not hold up the queue
  const auto now = std::chrono::steady_clock::now();
  if (now - m_lastHostTurn < kHostTurnPeriod) return;
  m_lastHostTurn = now;
  Host& host = CurrentHost();
  for (int event = 0; event < kEventsPerTurn && !InputWaiting(); ++event) {
    if (!host.HandlePendingEvent()) return;
  }
}

bool ThreadQueue::Get(MSG* msg, HWND filter, UINT minMessage, UINT maxMessage, bool wait, bool remove) {
  for (;;) {
    // Only in the loops' own waits: a peek for some messages stays what it was asked to be.
    if (wait) GiveHostItsTurn();
    std::function<void()> work;
    if (TakeCommand(&work)) {
      work();
      continue;
    }
    if (TakePosted(msg, filter, minMessage, maxMessage, remove, &work)) {
      if (work) {
        work();
        continue;
      }
      return true;
    }
    if (TakePaint(msg, filter, remove)) return true;
    if (TakeTimer(msg, filter, minMessage, maxMessage, remove)) return true;
    if (!wait) return false;
    WaitForWork();
  }
}

}  // namespace ui
