#include "configtool/features/whitelist/WlistQuery.h"

#include "common/FixedText.h"

namespace {

// The search of every whitelist query: one item, "PlateID", with the filter.
struct PlateSearch {
  explicit PlateSearch(const std::string& filter) {
    CopyToField(item.key, "PlateID");
    // CopyToField fills the whole field when the text is that long; keep its terminator.
    CopyToField(item.value, filter.substr(0, os::GbkPrefixLength(filter, sizeof item.value - 1)));
  }
  CameraClientWhiteListKeyValue item{};
  CameraClientWhiteListSearch search{0, 1, &item};
};

}  // namespace

std::optional<std::uint32_t> QueryWlistCount(CameraClientHandle handle, const std::string& filter) {
  PlateSearch plate(filter);
  std::uint32_t count = 0;
  if (CameraClient_QueryWhiteListCount(handle, &count, &plate.search) != 0) return std::nullopt;
  return count;
}

int QueryWlistRows(CameraClientHandle handle, const std::string& filter, int first, int count) {
  PlateSearch plate(filter);
  CameraClientWhiteListRange range{first, count};
  CameraClientWhiteListLimit limit{CAMERACLIENT_WHITELIST_LIMIT_RANGE, &range};
  CameraClientWhiteListCondition condition{&plate.search, &limit, 0};
  return CameraClient_QueryWhiteList(handle, &condition);
}

int WlistPageCount(std::uint32_t count, int rows) {
  return static_cast<int>(count / static_cast<std::uint32_t>(rows) + (count % static_cast<std::uint32_t>(rows) != 0 ? 1 : 0));
}
