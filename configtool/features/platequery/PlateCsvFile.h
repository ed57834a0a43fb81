#pragma once
// The plate records' CSV file: "<folder>/plate_<%d%02d%02d_%02d%02d%02d>.csv", GBK text with CR LF
// line ends, the header "ID, 时间, 车牌号码, 车牌颜色, 触发类型, 车牌类型" (a blank after each comma),
// then one line of the six row texts per record, without blanks.

#include <string>

#include "configtool/features/platequery/PlateQueryTexts.h"
#include "platform/os/LocalTime.h"

// The first line, with its line end.
const std::string& PlateCsvHeaderLine();
// Appends the record's line with its line end (a field quoted only when it must be).
void AppendPlateCsvRow(std::string& text, const PlateQueryRowTexts& texts);
std::string PlateCsvFilePath(const std::string& folder, const os::LocalTime& time);
