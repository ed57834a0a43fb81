#pragma once
// The plates the camera has read, each with its picture, kept in time order; the oldest go first
// when the store is full.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/QueryTime.h"

namespace camsim {

struct PlateRecord {
  CameraClientPlateResult result{};
  int queryTrigger = 1;  // 1 stable, 2 manual, 3 ground loop, 4 virtual loop, 5 several
  std::shared_ptr<const std::vector<std::uint8_t>> jpeg;
};

// The query trigger value of a result's trigger bits.
int QueryTriggerOf(int triggerBits);

class PlateRecordStore {
 public:
  explicit PlateRecordStore(std::size_t capacity = 500) : m_capacity(capacity == 0 ? 1 : capacity) {}

  std::int32_t NextId() { return m_nextId++; }
  // Files a record (its id from NextId) by its time, then its id.
  void Add(PlateRecord record);

  std::size_t Size() const { return m_records.size(); }
  std::size_t Count(const camera::protocol::QueryTime& start, const camera::protocol::QueryTime& end,
                    std::string_view plate) const;
  // Matching records [first, last) in time order.
  std::vector<camera::protocol::PlateQueryRecord> Page(const camera::protocol::QueryTime& start,
                                                       const camera::protocol::QueryTime& end, std::string_view plate,
                                                       std::size_t first, std::size_t last) const;
  // The picture of a record; null when there is no such record.
  std::shared_ptr<const std::vector<std::uint8_t>> Image(std::int32_t recordId) const;
  const std::deque<PlateRecord>& Records() const { return m_records; }

 private:
  template <typename Visit>
  void ForEachMatch(const camera::protocol::QueryTime& start, const camera::protocol::QueryTime& end,
                    std::string_view plate, Visit visit) const;

  std::size_t m_capacity;
  std::deque<PlateRecord> m_records;
  std::int32_t m_nextId = 1;
};

// The time of a result as a query time.
camera::protocol::QueryTime TimeOf(const CameraClientPlateResult& result);

}  // namespace camsim
