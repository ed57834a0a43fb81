#include "sim/PlateRecordStore.h"

#include <algorithm>
#include <tuple>

#include "sim/GbkText.h"

namespace camsim {
namespace {

auto OrderKey(const PlateRecord& record) {
  return std::make_tuple(TimeOf(record.result).Key(), record.result.recordId);
}

}  // namespace

int QueryTriggerOf(int triggerBits) {
  switch (triggerBits) {
    case CAMERACLIENT_TRIGGER_STABLE: return 1;
    case CAMERACLIENT_TRIGGER_MANUAL: return 2;
    case CAMERACLIENT_TRIGGER_IO: return 3;
    case CAMERACLIENT_TRIGGER_LOOP: return 4;
    default: return 5;
  }
}

camera::protocol::QueryTime TimeOf(const CameraClientPlateResult& result) {
  return camera::protocol::QueryTime{result.year, result.month, result.day, result.hour, result.minute, result.second};
}

void PlateRecordStore::Add(PlateRecord record) {
  const auto key = OrderKey(record);
  auto at = std::upper_bound(m_records.begin(), m_records.end(), key,
                             [](const auto& k, const PlateRecord& r) { return k < OrderKey(r); });
  m_records.insert(at, std::move(record));
  while (m_records.size() > m_capacity) m_records.pop_front();
}

template <typename Visit>
void PlateRecordStore::ForEachMatch(const camera::protocol::QueryTime& start, const camera::protocol::QueryTime& end,
                                    std::string_view plate, Visit visit) const {
  const auto from = start.Key();
  const auto to = end.Key();
  for (const PlateRecord& record : m_records) {
    const auto key = TimeOf(record.result).Key();
    if (key < from) continue;
    if (key > to) break;
    if (!GbkContains(FieldText(record.result.plate), plate)) continue;
    if (!visit(record)) break;
  }
}

std::size_t PlateRecordStore::Count(const camera::protocol::QueryTime& start, const camera::protocol::QueryTime& end,
                                    std::string_view plate) const {
  std::size_t count = 0;
  ForEachMatch(start, end, plate, [&count](const PlateRecord&) {
    ++count;
    return true;
  });
  return count;
}

std::vector<camera::protocol::PlateQueryRecord> PlateRecordStore::Page(const camera::protocol::QueryTime& start,
                                                                       const camera::protocol::QueryTime& end,
                                                                       std::string_view plate, std::size_t first,
                                                                       std::size_t last) const {
  std::vector<camera::protocol::PlateQueryRecord> page;
  std::size_t index = 0;
  ForEachMatch(start, end, plate, [&](const PlateRecord& record) {
    if (index >= last) return false;
    if (index++ >= first) page.push_back({record.result, record.queryTrigger});
    return true;
  });
  return page;
}

std::shared_ptr<const std::vector<std::uint8_t>> PlateRecordStore::Image(std::int32_t recordId) const {
  const auto found = std::find_if(m_records.begin(), m_records.end(),
                                  [recordId](const PlateRecord& r) { return r.result.recordId == recordId; });
  return found == m_records.end() ? nullptr : found->jpeg;
}

}  // namespace camsim
