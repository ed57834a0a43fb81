// The whitelist CSV reader on any bytes, fed in pieces of a size the input picks. Every record it
// hands over must fit the camera's record, and what it took must read back the same once the
// writer has written it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "configtool/features/whitelist/WlistCsvFormat.h"
#include "configtool/features/whitelist/WlistCsvReader.h"

namespace {

template <std::size_t N>
std::string_view Text(const char (&field)[N]) {
  if (std::memchr(field, 0, N) == nullptr) __builtin_trap();
  return std::string_view(field);
}

// A time as the file carries it: to the minute.
std::string Minutes(std::int32_t isSet, const std::int16_t (&time)[6]) {
  return isSet != 0 ? std::string(reinterpret_cast<const char*>(time), 5 * sizeof time[0]) : std::string();
}

// What the file carries of a row.
struct Carried {
  std::int32_t id, enabled, createSet, expirySet, useSegments, alarm;
  std::string created, expires, plate, segments, code, number;
  bool operator==(const Carried&) const = default;
};

struct ReadOut {
  std::vector<Carried> carried;  // of the rows that may go to the camera
  std::string rewritten;         // those rows as the writer writes them
  bool wellFormed = false;
};

ReadOut ReadAll(std::string_view text, std::size_t piece) {
  ReadOut out;
  out.rewritten = WlistCsvHeaderLine();
  WlistCsvReader reader([&](WlistCsvRow& row) {
    const CameraClientWhiteListRecord& r = row.record;
    const Carried carried{r.recordId, r.enabled, r.createTimeSet, r.expiryTimeSet, r.useTimeSegments, r.alarm,
                          Minutes(r.createTimeSet, r.createTime), Minutes(r.expiryTimeSet, r.expiryTime),
                          std::string(Text(r.plate)), row.segmentText, std::string(Text(r.customerCode)),
                          std::string(Text(r.customerNumber))};
    if (row.line < 2 || row.segmentText.size() > kWlistSegmentTextBytes) __builtin_trap();
    if (row.plate == WlistPlateCheck::Fits) {
      if (carried.plate.empty()) __builtin_trap();
      out.carried.push_back(carried);
      AppendWlistCsvRow(out.rewritten, r, row.segmentText);
    }
    return true;
  });
  bool reading = true;
  for (std::size_t at = 0; reading && at < text.size(); at += piece) reading = reader.Feed(text.substr(at, piece));
  out.wellFormed = reading && reader.Finish();
  if (reader.MalformedLine().has_value() == out.wellFormed || reader.MalformedLine().value_or(2) < 2) {
    __builtin_trap();
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 97;
  const ReadOut first = ReadAll(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), piece);
  const ReadOut again = ReadAll(first.rewritten, 4096);
  if (!again.wellFormed || again.carried != first.carried) __builtin_trap();
  return 0;
}
