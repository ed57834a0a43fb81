#pragma once
// One camera that answered the LAN search, as the search callback hands it to the main window
// (WM_SEARCH_RESULT), and the texts of its row in "lst_device_find".

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct SearchResultRecord {
  char ip[16];
  std::uint16_t port;
  std::uint16_t value;  // reported by the search, read by nobody
  std::uint32_t idLow;
  std::uint32_t idHigh;
  char netmask[16];
  char gateway[16];
};
static_assert(sizeof(SearchResultRecord) == 60);
static_assert(offsetof(SearchResultRecord, port) == 16);
static_assert(offsetof(SearchResultRecord, value) == 18);
static_assert(offsetof(SearchResultRecord, idLow) == 20);
static_assert(offsetof(SearchResultRecord, idHigh) == 24);
static_assert(offsetof(SearchResultRecord, netmask) == 28);
static_assert(offsetof(SearchResultRecord, gateway) == 44);

// A record from `malloc` for one search report, or nullptr when the report is dropped (no IP
// text, port 0) or memory is short. Texts longer than a field keep their first 15 bytes, never
// half a character.
SearchResultRecord* NewSearchResultRecord(const char* ip, int port, int value, std::uint32_t idLow,
                                          std::uint32_t idHigh, const char* netmask, const char* gateway);

// "ip:port", the row's text.
std::string SearchRowText(const SearchResultRecord& record);
// "idHigh:idLow netmask gateway", the row's user data.
std::string SearchRowUserData(const SearchResultRecord& record);

// What a picked row tells; a field is empty where the row does not say it.
struct SearchRowFields {
  std::string ip;
  std::string port;  // the text after the ':'
  std::optional<std::uint32_t> idHigh;
  std::optional<std::uint32_t> idLow;
  // Present only when the user data has its three pieces.
  std::optional<std::string> netmask;
  std::optional<std::string> gateway;
};
SearchRowFields ParseSearchRow(const std::string& text, const std::string& userData);
