#pragma once
// The camera's own web pages under /htmldata/. Each asks for the "sessionID" cookie of a session
// the camera handed out to a logged-in client; without it the page is refused.

#include <chrono>
#include <string>
#include <string_view>

#include "sim/CameraState.h"

namespace camsim {

struct WebReply {
  unsigned status = 200;
  std::string contentType = "text/html; charset=utf-8";
  std::string body;
};

// `cookies` is the request's Cookie header (empty when it has none).
WebReply ServeWebPage(std::string_view method, std::string_view target, std::string_view cookies,
                      const CameraState& state, std::chrono::milliseconds now);

// The value of cookie `name` in a Cookie header; empty when absent.
std::string_view CookieValue(std::string_view cookies, std::string_view name);

}  // namespace camsim
