#include "batch/RowStatus.h"

#include "batch/BatchMessages.h"
#include "platform/os/WindowSystem.h"

RowStatusFields RowStatus::Fields() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_fields;
}

void RowStatus::Store(RowStatusFields fields) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_fields = std::move(fields);
}

void RowStatus::BeginRun() { m_ended = false; }

void RowReporter::Post(const std::string& status, int percent, int progress, bool actionEnabled) const {
  Send(RowStatusFields{status, percent, progress, actionEnabled}, false);
}

void RowReporter::PostFinal(const std::string& status, int percent, int progress, bool actionEnabled) const {
  Send(RowStatusFields{status, percent, progress, actionEnabled}, true);
}

void RowReporter::Send(RowStatusFields fields, bool last) const {
  m_status->Store(std::move(fields));
  // Counted before the run is marked ended, so that the row stays busy until this post is handled.
  m_status->CountPost();
  if (last) m_status->EndRun();
  // A window that is gone takes no more posts: the row went with it.
  if (!os::PostMessage(m_window, WM_ITEM_REFRESH, 0, m_rowId)) m_status->PostHandled();
}
