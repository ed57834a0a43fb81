#pragma once
// The two times of a whitelist record as texts: the CSV file's form without seconds, the list's
// form with them, and one bounded reader for both (and for what spreadsheet programs make of them).

#include <cstdint>
#include <string>
#include <string_view>

// year, month (1-12), day, hour, minute, second: the layout of the record's times.
using WlistTime = std::int16_t[6];

// Appends "%d-%02d-%02d %02d:%02d", and ":%02d" of the seconds when asked.
void AppendWlistTime(std::string& text, const WlistTime& time, bool withSeconds);
// "%d-%02d-%02d %02d:%02d" (no seconds).
std::string FormatWlistCsvTime(const WlistTime& time);
// "%d-%02d-%02d %02d:%02d:%02d".
std::string FormatWlistListTime(const WlistTime& time);

// "Y-M-D H:M" or "Y-M-D H:M:S", with "-" or "/" between the date's parts, a four-digit year (from 1000) and
// one or two digits for the rest, naming a real day and time of day. Fills `time` (seconds 0 when
// absent) and returns true; false leaves `time` as it was.
bool ParseWlistDateTime(std::string_view text, WlistTime& time);
