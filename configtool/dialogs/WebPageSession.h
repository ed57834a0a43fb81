#pragma once
// How the web-page dialog reaches the camera's own pages: the page address, and the "sessionID"
// cookie that lets the browser in, set for the camera's address.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr const char* kWebSessionCookieName = "sessionID";
// The buffer the camera's session id is read into, terminator included.
inline constexpr std::size_t kWebSessionIdBuffer = 256;

// "http://<ip>:<port>/htmldata/<page>".
std::string WebPageUrl(const std::string& ip, int port, const std::string& page);
// "http://<ip>", where the cookie is set.
std::string WebCookieUrl(const std::string& ip);
// The session id with its expiry, whole however long the id is; empty for an empty id.
std::string WebSessionCookie(std::string_view sessionId);
