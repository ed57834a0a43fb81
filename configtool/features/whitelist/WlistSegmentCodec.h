#pragma once
// The time segments of a whitelist record as text. The conversions belong to the time-segment
// functions of the tool's controls; the whitelist code takes them from its caller and treats the
// text as opaque, apart from the "&" that stands for "," in the CSV file.

#include <functional>
#include <string>

#include "cameraclient/CameraClient.h"

struct WlistSegmentCodec {
  // Appends the text of the table's schedule (empty without enabled segments).
  std::function<void(const TimeSegmentTable& table, std::string& text)> format;
  // Fills the table from a text the file held: the schedule it reads, the table's enabled word 1.
  std::function<void(const std::string& text, TimeSegmentTable& table)> parse;
};
