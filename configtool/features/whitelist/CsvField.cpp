#include "configtool/features/whitelist/CsvField.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// None of these bytes can be the second byte of a GBK character (those are 0x40 and above).
bool NeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return true;
  return text.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& line, std::string_view text) {
  if (!NeedsQuotes(text)) {
    line.append(text);
    return;
  }
  line += '"';
  for (const char c : text) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}
