#pragma once
// CTaskBase: what every task of the batch program shares, the main dialog, the tab operators
// and the list rows: a run flag that tells its workers to go on, and a stop hook.

#include <atomic>
#include <memory>

// Shared with the workers a task starts, so that a worker can read it after the task is gone.
using RunFlag = std::atomic<bool>;

class CTaskBase {
 public:
  CTaskBase();
  virtual ~CTaskBase();
  CTaskBase(const CTaskBase&) = delete;
  CTaskBase& operator=(const CTaskBase&) = delete;

  // Called after the run flag was cleared; nothing by default.
  virtual void StopHook();

  bool IsRunning() const { return m_run->load(); }
  // Tells the task and its workers to stop; never set again.
  void ClearRunFlag() { m_run->store(false); }
  std::shared_ptr<const RunFlag> SharedRunFlag() const { return m_run; }

 private:
  std::shared_ptr<RunFlag> m_run;
};
