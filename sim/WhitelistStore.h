#pragma once
// The camera's whitelist: records in the order of their ids, which the camera assigns; plates are
// unique. Filters match anywhere in the plate (an empty filter matches all).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camsim {

class WhitelistStore {
 public:
  enum class Result { Ok, NotFound, Invalid, Conflict, Full };

  explicit WhitelistStore(std::size_t capacity = 200'000) : m_capacity(capacity) {}

  std::size_t Size() const { return m_rows.size(); }
  std::size_t Capacity() const { return m_capacity; }
  std::uint32_t Count(std::string_view filter) const;
  // Rows [first, first + count) of those matching the filter.
  std::vector<CameraClientWhiteListRecord> Page(std::string_view filter, std::size_t first, std::size_t count) const;
  std::optional<CameraClientWhiteListRecord> FindByPlate(std::string_view plate) const;
  std::optional<CameraClientWhiteListRecord> FindById(std::int32_t id) const;

  // All or nothing, keyed on the plate: each record replaces the record of the same plate (which
  // keeps its id) or is added under a new id; the ids the records carry are not looked at. A
  // malformed record (empty or unterminated texts), or no room for the new plates, refuses the
  // whole batch before anything changes.
  Result Import(std::span<const CameraClientWhiteListRecord> records);
  // Replaces the record with this id; its plate must not be another record's.
  Result Update(const CameraClientWhiteListRecord& record);
  Result Delete(std::int32_t id);
  void Clear();

 private:
  static bool IsAcceptable(const CameraClientWhiteListRecord& record);
  std::vector<CameraClientWhiteListRecord>::iterator RowOf(std::int32_t id);
  std::vector<CameraClientWhiteListRecord>::const_iterator RowOf(std::int32_t id) const;
  Result Add(const CameraClientWhiteListRecord& record);
  Result Replace(CameraClientWhiteListRecord& row, const CameraClientWhiteListRecord& record);

  // Where the last filtered page ended, so that paging on through a filter does not scan from the
  // start for every page.
  struct FilterCursor {
    std::string filter;
    std::uint64_t version = 0;
    std::size_t matched = 0;  // matching rows before `row`
    std::size_t row = 0;
  };

  std::size_t m_capacity;
  std::uint64_t m_version = 0;  // counts changes
  mutable std::optional<FilterCursor> m_cursor;
  // Sorted by id: ids only grow, so new rows go to the end.
  std::vector<CameraClientWhiteListRecord> m_rows;
  std::unordered_map<std::string, std::int32_t> m_idOfPlate;
  std::int32_t m_nextId = 1;
};

}  // namespace camsim
