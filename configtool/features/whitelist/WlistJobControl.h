#pragma once
// What the whitelist manager's window and the worker of its running job share: the kind of job,
// the flag that lets it go on, its two counters, and the event the worker signals as it ends.
// Held by both through shared ownership, so that the worker's signal never touches a window that
// has closed in between.

#include <atomic>

#include "platform/os/ManualResetEvent.h"

enum class WlistJobKind { None = 0, Import = 1, Export = 2 };

class WlistJobControl {
 public:
  // --- The window thread ---
  // As a job starts, before its worker: the flag set, both counters 0, the event unsignalled. The
  // event is reset here only, so a close never waits for a signal given before its wait began.
  void Begin(WlistJobKind kind);
  // On the job's end message.
  void Finish() { m_kind = WlistJobKind::None; }
  WlistJobKind Kind() const { return m_kind; }
  // A confirmed close: tells the worker to stop, then waits until it has ended (at most the
  // library call it is in).
  void StopAndWait();

  // --- The worker (and the window's progress display) ---
  bool GoOn() const { return m_goOn; }
  // Import: records sent and data lines; export: rows fetched and the camera's count.
  int Done() const { return m_done; }
  int Total() const { return m_total; }
  void SetDone(int done) { m_done = done; }
  void SetTotal(int total) { m_total = total; }
  // The worker's last act but its end message.
  void SignalEnded() { m_ended.Set(); }
  bool HasEnded() const { return m_ended.IsSet(); }

 private:
  std::atomic<WlistJobKind> m_kind{WlistJobKind::None};
  std::atomic<bool> m_goOn{true};
  std::atomic<int> m_done{0};
  std::atomic<int> m_total{0};
  os::ManualResetEvent m_ended;
};
