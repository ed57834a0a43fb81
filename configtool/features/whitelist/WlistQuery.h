#pragma once
// The whitelist requests of the manager and its export, with the query records built for each
// call: the count of the plates that hold a filter, and a range of their rows.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

// Rows of a manager page, and of an export page.
inline constexpr int kWlistPageRows = 20;
inline constexpr int kWlistExportPageRows = 200;

// The number of records whose plate holds `filter` ("" for all); nullopt when the camera did not
// answer. A filter longer than the request's field is cut without splitting a GBK character.
std::optional<std::uint32_t> QueryWlistCount(CameraClientHandle handle, const std::string& filter);

// Asks rows [first, first + count) of the filtered list; they arrive through the whitelist
// callback before this returns. The library's result: 0 = done.
int QueryWlistRows(CameraClientHandle handle, const std::string& filter, int first, int count);

// Pages of `rows` rows that `count` records fill.
int WlistPageCount(std::uint32_t count, int rows);

// Gathers the rows that page requests deliver through the whitelist callback (on a library
// thread, before the request returns): registered while it lives, cleared when it goes.
class WlistRowCollector {
 public:
  explicit WlistRowCollector(CameraClientHandle handle);
  ~WlistRowCollector();
  WlistRowCollector(const WlistRowCollector&) = delete;
  WlistRowCollector& operator=(const WlistRowCollector&) = delete;

  // The rows delivered since the last call, in order.
  std::vector<CameraClientWhiteListRecord> Take();

 private:
  static int OnWlistRecord(CameraClientHandle handle, void* user, const CameraClientWhiteListRecord* record);

  const CameraClientHandle m_handle;
  std::mutex m_mutex;
  std::vector<CameraClientWhiteListRecord> m_rows;
};
