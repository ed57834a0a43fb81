#include "sim/CallLog.h"

#include <algorithm>

namespace camsim {

std::uint64_t CallLog::Add(CallRecord record) {
  std::lock_guard lock(m_mutex);
  m_calls.push_back(std::move(record));
  while (m_calls.size() > m_limit) {
    m_calls.pop_front();
    ++m_first;
  }
  return m_first + m_calls.size() - 1;
}

void CallLog::Answered(std::uint64_t number, camera::protocol::Status status) {
  std::lock_guard lock(m_mutex);
  if (number < m_first || number - m_first >= m_calls.size()) return;
  m_calls[number - m_first].status = status;
}

std::vector<CallRecord> CallLog::All() const {
  std::lock_guard lock(m_mutex);
  return {m_calls.begin(), m_calls.end()};
}

std::vector<CallRecord> CallLog::Of(camera::protocol::Operation operation) const {
  std::lock_guard lock(m_mutex);
  std::vector<CallRecord> calls;
  for (const CallRecord& call : m_calls) {
    if (call.operation == operation) calls.push_back(call);
  }
  return calls;
}

std::size_t CallLog::CountOf(camera::protocol::Operation operation) const {
  std::lock_guard lock(m_mutex);
  return static_cast<std::size_t>(std::count_if(m_calls.begin(), m_calls.end(),
                                                [operation](const CallRecord& c) { return c.operation == operation; }));
}

void CallLog::Clear() {
  std::lock_guard lock(m_mutex);
  m_first += m_calls.size();
  m_calls.clear();
}

}  // namespace camsim
