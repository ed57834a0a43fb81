#pragma once
// What a row's worker reports and the row shows: status word, percent, progress and whether
// the row's action button is enabled while it works. The worker stores it and posts
// WM_ITEM_REFRESH; the window thread shows it. Held by shared ownership, so that a worker never
// writes into a row that may be gone.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "platform/os/WinTypes.h"

struct RowStatusFields {
  std::string status;
  int percent = 0;
  int progress = 1;
  bool actionEnabled = true;
};

class RowStatus {
 public:
  explicit RowStatus(RowStatusFields initial) : m_fields(std::move(initial)) {}

  RowStatusFields Fields() const;
  void Store(RowStatusFields fields);

  // A worker's run: started on the window thread, ended by the worker's last post. The row
  // stays busy until that post has been handled.
  void BeginRun();
  void EndRun() { m_ended = true; }
  bool RunHandled() const { return m_ended && m_pendingPosts == 0; }

  void CountPost() { ++m_pendingPosts; }
  void PostHandled() { --m_pendingPosts; }

 private:
  mutable std::mutex m_mutex;
  RowStatusFields m_fields;
  std::atomic<int> m_pendingPosts{0};
  std::atomic<bool> m_ended{false};
};

// The worker's side: stores the row's status and asks the window thread to show it.
class RowReporter {
 public:
  RowReporter(std::shared_ptr<RowStatus> status, HWND window, LPARAM rowId)
      : m_status(std::move(status)), m_window(window), m_rowId(rowId) {}

  // PostItemStatus: stores the fields and posts WM_ITEM_REFRESH with the row.
  void Post(const std::string& status, int percent, int progress, bool actionEnabled) const;
  // The run's last post.
  void PostFinal(const std::string& status, int percent, int progress, bool actionEnabled) const;

 private:
  void Send(RowStatusFields fields, bool last) const;

  std::shared_ptr<RowStatus> m_status;
  HWND m_window;
  LPARAM m_rowId;
};
