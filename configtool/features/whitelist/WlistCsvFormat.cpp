#include "configtool/features/whitelist/WlistCsvFormat.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "configtool/features/whitelist/CsvField.h"
#include "configtool/features/whitelist/WlistDateText.h"

namespace {

template <std::size_t N>
std::string_view FieldView(const char (&field)[N]) {
  return std::string_view(field, strnlen(field, N));
}

void AppendTime(std::string& text, std::int32_t isSet, const WlistTime& time) {
  text += ',';
  if (isSet != 0) AppendWlistTime(text, time, false);
}

void AppendText(std::string& text, std::string_view field) {
  text += ',';
  AppendCsvField(text, field);
}

// A segment text holds ", " between its day words; the file keeps its commas for columns and
// writes "&" instead. Neither byte can be the second byte of a GBK character. Replaced where it
// lands, so that long schedules are not copied once more.
void AppendSegments(std::string& text, std::string_view segments) {
  text += ',';
  const std::size_t at = text.size();
  text.append(segments);
  for (std::size_t comma = text.find(',', at); comma != std::string::npos; comma = text.find(',', comma + 1)) {
    text[comma] = '&';
  }
  if (!CsvFieldNeedsQuotes(std::string_view(text).substr(at))) return;
  const std::string field = text.substr(at);
  text.resize(at);
  AppendCsvField(text, field);
}

}  // namespace

const std::string& WlistCsvHeaderLine() {
  static const std::string header = "ID,车牌号码,是否启用,建档时间,过期时间,启用时间段,时间段,报警,客户代码,客户编码\r\n";
  return header;
}

const char* WlistYesNo(std::int32_t flag) { return flag != 0 ? "是" : "否"; }

void AppendWlistCsvRow(std::string& text, const CameraClientWhiteListRecord& record, std::string_view segmentText) {
  char id[16];
  text.append(id, static_cast<std::size_t>(std::to_chars(id, id + sizeof id, record.recordId).ptr - id));
  AppendText(text, FieldView(record.plate));
  AppendText(text, WlistYesNo(record.enabled));
  AppendTime(text, record.createTimeSet, record.createTime);
  AppendTime(text, record.expiryTimeSet, record.expiryTime);
  AppendText(text, WlistYesNo(record.useTimeSegments));
  AppendSegments(text, segmentText);
  AppendText(text, WlistYesNo(record.alarm));
  AppendText(text, FieldView(record.customerCode));
  AppendText(text, FieldView(record.customerNumber));
  text += "\r\n";
}
