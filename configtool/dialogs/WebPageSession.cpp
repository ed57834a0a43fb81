#include "configtool/dialogs/WebPageSession.h"

namespace {

constexpr std::string_view kCookieExpiry = ";expires=Sun, 18 Jan 2038 00:00:00 GMT";

}  // namespace

std::string WebPageUrl(const std::string& ip, int port, const std::string& page) {
  return "http://" + ip + ":" + std::to_string(port) + "/htmldata/" + page;
}

std::string WebCookieUrl(const std::string& ip) { return "http://" + ip; }

std::string WebSessionCookie(std::string_view sessionId) {
  if (sessionId.empty()) return {};
  std::string cookie(sessionId);
  cookie += kCookieExpiry;
  return cookie;
}
