#pragma once
// A weekly schedule of up to 8 time segments, each a set of weekdays with a start and an end time
// of day, in the three forms the tool keeps: the packed 80-byte form the time-period controls edit,
// its text (shown in the time-period fields and written into the whitelist CSV file), and the
// camera client library's table inside a whitelist record. Pure conversions, on any thread.
//
// Text of one entry: "星期" and the day words of its days joined by ", ", then the start and the
// end time as "%02d:%02d:%02d" around " 至 ", for example 星期一, 二, 日 08:00:00 至 18:30:00.
// A schedule's text joins the texts of its entries by ";".

#include <cstdint>
#include <string>
#include <string_view>

#include "cameraclient/CameraClient.h"

constexpr int kTimeSegmentCount = 8;
constexpr int kTimeSegmentDays = 7;
// Day bits 0..6: Monday .. Sunday.
constexpr std::uint8_t kTimeSegmentDayMask = 0x7F;

// One entry, byte for byte as the packed form lays it out.
struct TimeSegmentEntry {
  std::uint8_t enable;  // 0 = empty entry, any other value = in use
  std::uint8_t days;    // bit 0 Monday .. bit 6 Sunday
  std::uint8_t startHour;
  std::uint8_t startMinute;
  std::uint8_t startSecond;
  std::uint8_t reserved5;
  std::uint8_t endHour;
  std::uint8_t endMinute;
  std::uint8_t endSecond;
  std::uint8_t reserved9;
};
static_assert(sizeof(TimeSegmentEntry) == 10);

struct TimeSegmentsPacked {
  TimeSegmentEntry entries[kTimeSegmentCount];
};
static_assert(sizeof(TimeSegmentsPacked) == 80);

// The words of day bits 0..6.
inline constexpr std::string_view TimeSegmentDayWords[kTimeSegmentDays] = {"一", "二", "三", "四", "五", "六", "日"};

// The text of one entry, whatever it holds (day bit 7 aside).
std::string FormatTimeSegment(const TimeSegmentEntry& entry);
// The texts of the entries in use that have days, in entry order, joined by ";"; empty when
// there are none. An entry without days never applies, and its text could not be read back.
std::string FormatTimeSegments(const TimeSegmentsPacked& segments);

// Reads the whole text as at most 8 entries, separated by ";" (and blanks). True when it did:
// the entries fill the array from the front and the rest is cleared. False for the empty text,
// any entry that does not read, text after an entry, or a ninth entry: the array stays as it was.
bool ParseTimeSegments(TimeSegmentsPacked& segments, std::string_view text);
// Reads one entry from the start of `text` and moves `text` past it. Day words must come in
// table order, each at most once, with at least one; times must be clock times, where 24:00:00 may
// only end a segment; an end earlier than the start is exchanged with it. False leaves `entry`
// and `text` as they were.
bool ParseTimeSegment(TimeSegmentEntry& entry, std::string_view& text);

// "%02d:%02d:%02d".
std::string FormatHms(std::uint8_t hour, std::uint8_t minute, std::uint8_t second);
// "hour:minute:second" with blanks before each number; 00:00:00 to 23:59:59 or 24:00:00. False
// leaves the outputs and `text` as they were.
bool ParseHms(std::string_view& text, std::uint8_t& hour, std::uint8_t& minute, std::uint8_t& second);

// Whether the schedule can be written as text and read back as the same schedule: every entry in
// use has days, clock times, a start before 24:00:00 and an end not before its start.
bool AreTimeSegmentsValid(const TimeSegmentsPacked& segments);

// From the camera's table: nothing when its enabled field is 0, else one entry per table entry
// (in use when its enable is non-zero).
void PackTimeSegments(TimeSegmentsPacked& packed, const TimeSegmentTable& table);
// Into the camera's table: each entry's enable, and the days and times of the entries in use;
// the fields of empty entries and the table's enabled field are left to the caller.
void UnpackTimeSegments(const TimeSegmentsPacked& packed, TimeSegmentTable& table);
