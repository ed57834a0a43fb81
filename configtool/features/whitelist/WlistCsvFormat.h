#pragma once
// The whitelist CSV file as the tool writes it: GBK text, CR LF line ends, the header line, then
// one line of ten fields per record:
//   ID, plate, enabled ("是"/"否"), create time, expiry time (both "%d-%02d-%02d %02d:%02d", empty
//   when unset), time segments in use, the segments' text with "&" for ",", alarm, customer code,
//   customer number.
// A field is quoted only when it must be (CsvField.h).

#include <cstddef>
#include <string>
#include <string_view>

#include "cameraclient/CameraClient.h"

// The longest time-segment text a file may carry (eight full-week entries take about 415 bytes).
inline constexpr std::size_t kWlistSegmentTextBytes = 1023;

// The first line, with its line end.
const std::string& WlistCsvHeaderLine();

// Appends the record's line with its line end. `segmentText` is the text of its time segments,
// with its commas.
void AppendWlistCsvRow(std::string& text, const CameraClientWhiteListRecord& record, std::string_view segmentText);

// The words of the three switch columns.
const char* WlistYesNo(std::int32_t flag);
