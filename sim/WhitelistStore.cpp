#include "sim/WhitelistStore.h"

#include <algorithm>
#include <unordered_set>

#include "platform/camera/protocol/RecordRules.h"
#include "sim/GbkText.h"

namespace camsim {
namespace {

std::string_view PlateOf(const CameraClientWhiteListRecord& record) { return FieldText(record.plate); }

bool IdLess(const CameraClientWhiteListRecord& row, std::int32_t id) { return row.recordId < id; }

}  // namespace

bool WhitelistStore::IsAcceptable(const CameraClientWhiteListRecord& record) {
  return camera::protocol::IsWellFormed(record) && !PlateOf(record).empty();
}

std::vector<CameraClientWhiteListRecord>::iterator WhitelistStore::RowOf(std::int32_t id) {
  auto row = std::lower_bound(m_rows.begin(), m_rows.end(), id, IdLess);
  return row != m_rows.end() && row->recordId == id ? row : m_rows.end();
}

std::vector<CameraClientWhiteListRecord>::const_iterator WhitelistStore::RowOf(std::int32_t id) const {
  auto row = std::lower_bound(m_rows.begin(), m_rows.end(), id, IdLess);
  return row != m_rows.end() && row->recordId == id ? row : m_rows.end();
}

std::uint32_t WhitelistStore::Count(std::string_view filter) const {
  if (filter.empty()) return static_cast<std::uint32_t>(m_rows.size());
  return static_cast<std::uint32_t>(std::count_if(m_rows.begin(), m_rows.end(), [filter](const auto& row) {
    return GbkContains(PlateOf(row), filter);
  }));
}

std::vector<CameraClientWhiteListRecord> WhitelistStore::Page(std::string_view filter, std::size_t first,
                                                              std::size_t count) const {
  std::vector<CameraClientWhiteListRecord> page;
  if (filter.empty()) {
    if (first >= m_rows.size()) return page;
    const std::size_t last = std::min(m_rows.size(), first + std::min(count, m_rows.size()));
    page.assign(m_rows.begin() + static_cast<std::ptrdiff_t>(first), m_rows.begin() + static_cast<std::ptrdiff_t>(last));
    return page;
  }
  std::size_t matched = 0;
  std::size_t row = 0;
  if (m_cursor && m_cursor->filter == filter && m_cursor->version == m_version && m_cursor->matched <= first) {
    matched = m_cursor->matched;
    row = m_cursor->row;
  }
  for (; row < m_rows.size() && page.size() < count; ++row) {
    if (!GbkContains(PlateOf(m_rows[row]), filter)) continue;
    if (matched++ >= first) page.push_back(m_rows[row]);
  }
  m_cursor = FilterCursor{std::string(filter), m_version, matched, row};
  return page;
}

std::optional<CameraClientWhiteListRecord> WhitelistStore::FindByPlate(std::string_view plate) const {
  const auto found = m_idOfPlate.find(std::string(plate));
  if (found == m_idOfPlate.end()) return std::nullopt;
  return FindById(found->second);
}

std::optional<CameraClientWhiteListRecord> WhitelistStore::FindById(std::int32_t id) const {
  const auto row = RowOf(id);
  if (row == m_rows.end()) return std::nullopt;
  return *row;
}

WhitelistStore::Result WhitelistStore::Add(const CameraClientWhiteListRecord& record) {
  if (m_rows.size() >= m_capacity || m_nextId == INT32_MAX) return Result::Full;
  CameraClientWhiteListRecord row = record;
  row.recordId = m_nextId++;
  ++m_version;
  m_idOfPlate.emplace(std::string(PlateOf(row)), row.recordId);
  m_rows.push_back(row);
  return Result::Ok;
}

WhitelistStore::Result WhitelistStore::Replace(CameraClientWhiteListRecord& row,
                                               const CameraClientWhiteListRecord& record) {
  const std::string newPlate(PlateOf(record));
  const auto owner = m_idOfPlate.find(newPlate);
  if (owner != m_idOfPlate.end() && owner->second != row.recordId) return Result::Conflict;
  m_idOfPlate.erase(std::string(PlateOf(row)));
  ++m_version;
  const std::int32_t id = row.recordId;
  row = record;
  row.recordId = id;
  m_idOfPlate[newPlate] = id;
  return Result::Ok;
}

WhitelistStore::Result WhitelistStore::Import(std::span<const CameraClientWhiteListRecord> records) {
  if (!std::all_of(records.begin(), records.end(), IsAcceptable)) return Result::Invalid;
  std::unordered_set<std::string_view> newPlates;
  for (const auto& record : records) {
    if (!m_idOfPlate.contains(std::string(PlateOf(record)))) newPlates.insert(PlateOf(record));
  }
  if (newPlates.size() > m_capacity - m_rows.size() ||
      newPlates.size() > static_cast<std::size_t>(INT32_MAX - m_nextId)) {
    return Result::Full;
  }
  // Checked above: a replacement keeps its own plate, and every addition has room.
  for (const auto& record : records) {
    const auto owner = m_idOfPlate.find(std::string(PlateOf(record)));
    if (owner != m_idOfPlate.end()) {
      Replace(*RowOf(owner->second), record);
    } else {
      Add(record);
    }
  }
  return Result::Ok;
}

WhitelistStore::Result WhitelistStore::Update(const CameraClientWhiteListRecord& record) {
  if (!IsAcceptable(record)) return Result::Invalid;
  const auto row = RowOf(record.recordId);
  if (row == m_rows.end()) return Result::NotFound;
  return Replace(*row, record);
}

WhitelistStore::Result WhitelistStore::Delete(std::int32_t id) {
  const auto row = RowOf(id);
  if (row == m_rows.end()) return Result::NotFound;
  m_idOfPlate.erase(std::string(PlateOf(*row)));
  m_rows.erase(row);
  ++m_version;
  return Result::Ok;
}

void WhitelistStore::Clear() {
  ++m_version;
  m_rows.clear();
  m_idOfPlate.clear();
}

}  // namespace camsim
