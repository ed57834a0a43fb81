#include "configtool/features/whitelist/WlistSegmentCodec.h"

#include "configtool/controls/TimeSegments.h"

namespace {

void FormatSegments(const TimeSegmentTable& table, std::string& text) {
  TimeSegmentsPacked packed;
  PackTimeSegments(packed, table);
  text += FormatTimeSegments(packed);
}

// A text that does not read leaves no entry in use.
void ParseSegments(const std::string& text, TimeSegmentTable& table) {
  TimeSegmentsPacked packed{};
  ParseTimeSegments(packed, text);
  table.enabled = 1;
  UnpackTimeSegments(packed, table);
}

}  // namespace

WlistSegmentCodec WlistTimeSegmentCodec() { return WlistSegmentCodec{FormatSegments, ParseSegments}; }
