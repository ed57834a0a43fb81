#pragma once
// Every request a camera received, with its arguments as the bytes of its payload (records as
// their own bytes) and the status it was answered with, for tests to read back.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/camera/protocol/Operation.h"
#include "platform/camera/protocol/Status.h"

namespace camsim {

struct CallRecord {
  camera::protocol::Operation operation{};
  std::uint32_t sequence = 0;
  std::uint64_t connection = 0;  // which connection of the camera sent it
  std::vector<std::uint8_t> payload;
  // The status answered; nullopt while not answered, or when no reply was sent.
  std::optional<camera::protocol::Status> status;
};

class CallLog {
 public:
  explicit CallLog(std::size_t limit = 4096) : m_limit(limit) {}

  // Returns the entry's number, for Answered.
  std::uint64_t Add(CallRecord record);
  void Answered(std::uint64_t number, camera::protocol::Status status);

  std::vector<CallRecord> All() const;
  std::vector<CallRecord> Of(camera::protocol::Operation operation) const;
  std::size_t CountOf(camera::protocol::Operation operation) const;
  void Clear();

 private:
  mutable std::mutex m_mutex;
  std::size_t m_limit;
  std::deque<CallRecord> m_calls;
  std::uint64_t m_first = 0;  // number of m_calls.front()
};

}  // namespace camsim
