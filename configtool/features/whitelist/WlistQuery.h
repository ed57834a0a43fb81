#pragma once
// The whitelist requests of the manager and its export, with the query records built for each
// call: the count of the plates that hold a filter, and a range of their rows.

#include <cstdint>
#include <optional>
#include <string>

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
