#include "configtool/features/whitelist/CsvField.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

// None of these bytes can be the second byte of a GBK character (those are 0x40 and above).
bool CsvFieldNeedsQuotes(std::string_view text) {
  if (text.empty()) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return true;
  // A search per byte value: find_first_of would scan the set once for every byte of the text.
  for (const char special : {',', '"', '\r', '\n'}) {
    if (std::memchr(text.data(), special, text.size()) != nullptr) return true;
  }
  return false;
}

void AppendCsvField(std::string& line, std::string_view text) {
  if (!CsvFieldNeedsQuotes(text)) {
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
