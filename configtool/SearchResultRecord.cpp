#include "configtool/SearchResultRecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/DecimalText.h"
#include "common/FixedText.h"
#include "common/StringUtil.h"
#include "platform/os/Charset.h"

namespace {

// The library's texts are terminated; the bound only keeps a broken one from running on.
constexpr std::size_t kLongestReportedText = 256;

std::string ReportedText(const char* text) {
  return text == nullptr ? std::string() : std::string(text, strnlen(text, kLongestReportedText));
}

// A 16-byte field keeps at most 15 bytes and its terminator.
template <std::size_t N>
void CopyTerminated(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), os::GbkPrefixLength(text, N - 1));
}

std::uint32_t DecimalNumber(const std::string& text) {
  return static_cast<std::uint32_t>(ParseDecimalText(text));
}

}  // namespace

SearchResultRecord* NewSearchResultRecord(const char* ip, int port, int value, std::uint32_t idLow,
                                          std::uint32_t idHigh, const char* netmask, const char* gateway) {
  const std::string ipText = ReportedText(ip);
  if (ipText.empty() || port == 0) return nullptr;
  auto* record = static_cast<SearchResultRecord*>(std::calloc(1, sizeof(SearchResultRecord)));
  if (record == nullptr) return nullptr;
  CopyTerminated(record->ip, ipText);
  record->port = static_cast<std::uint16_t>(port);
  record->value = static_cast<std::uint16_t>(value);
  record->idLow = idLow;
  record->idHigh = idHigh;
  CopyTerminated(record->netmask, ReportedText(netmask));
  CopyTerminated(record->gateway, ReportedText(gateway));
  return record;
}

std::string SearchRowText(const SearchResultRecord& record) {
  return FieldText(record.ip) + ":" + std::to_string(record.port);
}

std::string SearchRowUserData(const SearchResultRecord& record) {
  char ids[32];
  std::snprintf(ids, sizeof ids, "%u:%u", record.idHigh, record.idLow);
  return std::string(ids) + " " + FieldText(record.netmask) + " " + FieldText(record.gateway);
}

SearchRowFields ParseSearchRow(const std::string& text, const std::string& userData) {
  SearchRowFields fields;
  const std::size_t colon = text.find(':');
  if (colon != std::string::npos && colon != 0) {
    fields.ip = text.substr(0, colon);
    fields.port = text.substr(colon + 1);
  }
  std::vector<std::string> pieces;
  SplitString(userData, " ", pieces);
  if (pieces.size() != 3) return fields;
  const std::size_t idColon = pieces[0].find(':');
  const std::string high = pieces[0].substr(0, idColon);
  const std::string low = idColon == std::string::npos ? std::string() : pieces[0].substr(idColon + 1);
  if (!high.empty()) fields.idHigh = DecimalNumber(high);
  if (!low.empty()) fields.idLow = DecimalNumber(low);
  fields.netmask = pieces[1];
  fields.gateway = pieces[2];
  return fields;
}
