#include "platform/ui/render/ImageDescription.h"

#include <cctype>
#include <cstdlib>

#include "platform/ui/render/Color.h"

namespace ui {
namespace {

// A description in key='value' form; anything else is a plain file name.
bool HasKeyValuePairs(std::string_view text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return false;
  std::size_t next = eq + 1;
  while (next < text.size() && text[next] == ' ') ++next;
  return next < text.size() && (text[next] == '\'' || text[next] == '"');
}

// Up to four comma-separated integers; missing ones are 0.
RECT ParseRect(std::string_view value) {
  long parts[4] = {0, 0, 0, 0};
  std::string text(value);
  const char* p = text.c_str();
  for (long& part : parts) {
    char* end = nullptr;
    part = std::strtol(p, &end, 10);
    if (end == p) break;
    p = end;
    while (*p == ' ') ++p;
    if (*p != ',') break;
    ++p;
  }
  return RECT{parts[0], parts[1], parts[2], parts[3]};
}

void ApplyPair(std::string_view key, std::string_view value, ImageDescription& d) {
  if (key == "file") {
    d.file = std::string(value);
  } else if (key == "source") {
    d.source = ParseRect(value);
  } else if (key == "dest") {
    d.dest = ParseRect(value);
  } else if (key == "corner") {
    d.corner = ParseRect(value);
  } else if (key == "mask") {
    if (auto color = ParseColor(value)) d.mask = *color;
  } else if (key == "fade") {
    const long fade = std::strtol(std::string(value).c_str(), nullptr, 10);
    d.fade = static_cast<BYTE>(fade < 0 ? 0 : fade > 255 ? 255 : fade);
  } else if (key == "font") {
    d.font = value == "true";
  } else if (key == "fontcolor") {
    if (auto color = ParseColor(value)) d.fontColor = *color;
  }
}

void ApplyPairs(std::string_view text, ImageDescription& d) {
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    const std::size_t eq = text.find('=', at);
    if (eq == std::string_view::npos) return;
    std::string_view key = text.substr(at, eq - at);
    while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
    std::size_t open = eq + 1;
    while (open < text.size() && text[open] == ' ') ++open;
    if (open >= text.size() || (text[open] != '\'' && text[open] != '"')) return;
    const std::size_t close = text.find(text[open], open + 1);
    if (close == std::string_view::npos) return;
    ApplyPair(key, text.substr(open + 1, close - open - 1), d);
    at = close + 1;
  }
}

}  // namespace

std::optional<ImageDescription> ParseImageDescription(std::string_view text, const ImageDescription& base) {
  ImageDescription d = base;
  if (HasKeyValuePairs(text)) {
    ApplyPairs(text, d);
  } else if (!text.empty()) {
    d.file = std::string(text);
  }
  if (d.file.empty()) return std::nullopt;
  return d;
}

std::optional<ImageDescription> ParseImageDescription(std::string_view text) {
  return ParseImageDescription(text, ImageDescription{});
}

}  // namespace ui
