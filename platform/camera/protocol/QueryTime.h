#pragma once
// The time texts of the plate query: "%d-%02d-%02d %02d:%02d:%02d" of a valid date and time.

#include <cstdint>
#include <optional>
#include <string_view>

namespace camera::protocol {

struct QueryTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  // Orders times: a earlier than b exactly when a.Key() < b.Key().
  std::int64_t Key() const;
};

// nullopt for any other text (a year of 1 to 4 digits, two digits for the rest, a real date).
std::optional<QueryTime> ParseQueryTime(std::string_view text);

}  // namespace camera::protocol
