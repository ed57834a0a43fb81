#include "configtool/features/whitelist/WlistImportBatch.h"

WlistImportBatch::WlistImportBatch(CameraClientHandle handle, const WlistSegmentCodec& segments,
                                   std::function<void(int sent)> onSent)
    : m_handle(handle), m_segments(segments), m_onSent(std::move(onSent)), m_sender([this] { Run(); }) {
  for (Batch& batch : m_batches) {
    for (int i = 0; i < kCapacity; ++i) batch.entries[static_cast<std::size_t>(i)] = {0, &batch.records[static_cast<std::size_t>(i)]};
  }
}

WlistImportBatch::~WlistImportBatch() {
  {
    std::lock_guard lock(m_mutex);
    m_quit = true;
  }
  m_changed.notify_all();
  m_sender.join();
}

bool WlistImportBatch::Add(const WlistCsvRow& row) {
  if (row.plate != WlistPlateCheck::Fits) {
    if (!m_firstSkipped) m_firstSkipped = row.line;
    return true;
  }
  Batch& batch = m_batches[static_cast<std::size_t>(m_filling)];
  if (batch.count == 0) batch.firstLine = row.line;
  CameraClientWhiteListRecord& record = batch.records[static_cast<std::size_t>(batch.count++)];
  record = row.record;
  if (!row.segmentText.empty() && m_segments.parse) m_segments.parse(row.segmentText, record.segments);
  return batch.count < kCapacity || HandOver();
}

bool WlistImportBatch::Flush() {
  if (m_batches[static_cast<std::size_t>(m_filling)].count > 0 && !HandOver()) return false;
  return WaitIdle();
}

int WlistImportBatch::Sent() const {
  std::lock_guard lock(m_mutex);
  return m_sent;
}

std::optional<int> WlistImportBatch::RefusedLine() const {
  std::lock_guard lock(m_mutex);
  return m_refused;
}

// Waits until the sender is done with its batch; false when the camera refused it.
bool WlistImportBatch::WaitIdle() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_sending == nullptr; });
  return !m_refused;
}

bool WlistImportBatch::HandOver() {
  if (!WaitIdle()) return false;
  {
    std::lock_guard lock(m_mutex);
    m_sending = &m_batches[static_cast<std::size_t>(m_filling)];
  }
  m_changed.notify_all();
  m_filling = 1 - m_filling;
  m_batches[static_cast<std::size_t>(m_filling)].count = 0;
  return true;
}

void WlistImportBatch::Run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [&] { return m_sending != nullptr || m_quit; });
    // A batch handed over as the import was stopped stays unsent.
    if (m_quit) return;
    Batch& batch = *m_sending;
    lock.unlock();
    const bool taken =
        CameraClient_ImportWhiteList(m_handle, batch.count, batch.entries.data(), batch.zeroed.data()) == 0;
    lock.lock();
    if (taken) {
      m_sent += batch.count;
    } else {
      m_refused = batch.firstLine;
    }
    const int sent = m_sent;
    lock.unlock();
    if (taken && m_onSent) m_onSent(sent);
    lock.lock();
    m_sending = nullptr;
    m_changed.notify_all();
  }
}
