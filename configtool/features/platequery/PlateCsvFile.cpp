#include "configtool/features/platequery/PlateCsvFile.h"

#include <cstdio>

#include "configtool/features/whitelist/CsvField.h"

const std::string& PlateCsvHeaderLine() {
  static const std::string header = "ID, 时间, 车牌号码, 车牌颜色, 触发类型, 车牌类型\r\n";
  return header;
}

void AppendPlateCsvRow(std::string& text, const PlateQueryRowTexts& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) text += ',';
    AppendCsvField(text, texts[i]);
  }
  text += "\r\n";
}

std::string PlateCsvFilePath(const std::string& folder, const os::LocalTime& time) {
  char name[64];
  std::snprintf(name, sizeof name, "plate_%d%02d%02d_%02d%02d%02d.csv", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return folder + "/" + name;
}
