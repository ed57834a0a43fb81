#include "configtool/features/whitelist/WlistCsvFormatter.h"

#include "configtool/features/whitelist/WlistCsvFormat.h"

namespace {

// Pages that may wait for the formatter (200 rows of 416 bytes each).
constexpr std::size_t kQueuedPages = 4;

}  // namespace

WlistCsvFormatter::WlistCsvFormatter(const WlistSegmentCodec& segments, int expectedRows)
    : m_segments(segments), m_expectedRows(expectedRows), m_text(WlistCsvHeaderLine()), m_thread([this] { Run(); }) {}

WlistCsvFormatter::~WlistCsvFormatter() { Finish(); }

void WlistCsvFormatter::Add(std::vector<CameraClientWhiteListRecord> page) {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_pages.size() < kQueuedPages; });
  m_pages.push_back(std::move(page));
  m_changed.notify_all();
}

std::string WlistCsvFormatter::TakeText() {
  Finish();
  return std::move(m_text);
}

void WlistCsvFormatter::Finish() {
  {
    std::lock_guard lock(m_mutex);
    m_finishing = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
}

void WlistCsvFormatter::Run() {
  for (;;) {
    std::vector<CameraClientWhiteListRecord> page;
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [&] { return !m_pages.empty() || m_finishing; });
      if (m_pages.empty()) return;
      page = std::move(m_pages.front());
      m_pages.pop_front();
    }
    m_changed.notify_all();
    Format(page);
  }
}

void WlistCsvFormatter::Format(const std::vector<CameraClientWhiteListRecord>& page) {
  for (const CameraClientWhiteListRecord& record : page) {
    m_segmentText.clear();
    if (m_segments.format) m_segments.format(record.segments, m_segmentText);
    AppendWlistCsvRow(m_text, record, m_segmentText);
    ++m_rows;
  }
  // Room for the rows to come, each the size of those so far, so that the text is not copied over
  // and over as it grows.
  if (m_rows > 0 && m_rows == static_cast<int>(page.size()) && m_expectedRows > m_rows) {
    const std::size_t perRow = (m_text.size() - WlistCsvHeaderLine().size()) / static_cast<std::size_t>(m_rows) + 1;
    m_text.reserve(m_text.size() + perRow * static_cast<std::size_t>(m_expectedRows - m_rows) * 9 / 8);
  }
}
