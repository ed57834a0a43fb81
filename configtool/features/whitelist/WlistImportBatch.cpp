#include "configtool/features/whitelist/WlistImportBatch.h"

WlistImportBatch::WlistImportBatch(CameraClientHandle handle, const WlistSegmentCodec& segments)
    : m_handle(handle), m_segments(segments) {
  for (int i = 0; i < kCapacity; ++i) m_entries[static_cast<std::size_t>(i)] = {0, &m_records[static_cast<std::size_t>(i)]};
}

bool WlistImportBatch::Add(const WlistCsvRow& row) {
  if (row.plate != WlistPlateCheck::Fits) {
    if (!m_firstSkipped) m_firstSkipped = row.line;
    return true;
  }
  if (m_pending == 0) m_firstLine = row.line;
  CameraClientWhiteListRecord& record = m_records[static_cast<std::size_t>(m_pending++)];
  record = row.record;
  if (!row.segmentText.empty() && m_segments.parse) m_segments.parse(row.segmentText, record.segments);
  return m_pending < kCapacity || Flush();
}

bool WlistImportBatch::Flush() {
  if (m_pending == 0) return true;
  if (CameraClient_ImportWhiteList(m_handle, m_pending, m_entries.data(), m_zeroed.data()) != 0) {
    m_refused = m_firstLine;
    return false;
  }
  m_sent += m_pending;
  m_pending = 0;
  return true;
}
