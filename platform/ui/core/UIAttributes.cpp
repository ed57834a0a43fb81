#include "platform/ui/core/UIAttributes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/ui/core/UIStyle.h"

namespace ui {
namespace {

// Far beyond any screen, and far enough from the limits of long that sums of positions, sizes
// and insets cannot overflow.
constexpr long kLargestCoordinate = 1L << 24;

// Reads up to `count` comma-separated integers, each kept within +-kLargestCoordinate; returns how
// many were read.
int ReadNumbers(const char* value, long* numbers, int count) {
  if (value == nullptr) return 0;
  const char* cursor = value;
  int read = 0;
  while (read < count && *cursor != '\0') {
    char* end = nullptr;
    const long number = std::strtol(cursor, &end, 10);
    if (end == cursor) break;
    numbers[read++] = std::clamp(number, -kLargestCoordinate, kLargestCoordinate);
    cursor = end;
    while (*cursor == ' ') ++cursor;
    if (*cursor != ',') break;
    ++cursor;
  }
  return read;
}

}  // namespace

int ParseNumberAttribute(const char* value) {
  long number = 0;
  ReadNumbers(value, &number, 1);
  return static_cast<int>(number);
}

RECT ParseRectAttribute(const char* value) {
  long numbers[4] = {0, 0, 0, 0};
  ReadNumbers(value, numbers, 4);
  return RECT{numbers[0], numbers[1], numbers[2], numbers[3]};
}

SIZE ParseSizeAttribute(const char* value) {
  long numbers[2] = {0, 0};
  ReadNumbers(value, numbers, 2);
  return SIZE{numbers[0], numbers[1]};
}

bool ParseBoolAttribute(const char* value) { return value != nullptr && std::strcmp(value, "true") == 0; }

DWORD ParseColorAttribute(const char* value) { return CStyleManagerUI::Instance()->GetColor(value); }

bool NextAttributePair(const char*& cursor, std::string_view* name, std::string_view* value) {
  if (cursor == nullptr) return false;
  while (*cursor == ' ' || *cursor == '\t' || *cursor == '\r' || *cursor == '\n') ++cursor;
  if (*cursor == '\0') return false;
  const char* nameStart = cursor;
  while (*cursor != '\0' && *cursor != '=') ++cursor;
  if (*cursor != '=') return false;
  const char* nameEnd = cursor;
  while (nameEnd > nameStart && nameEnd[-1] == ' ') --nameEnd;
  ++cursor;
  while (*cursor == ' ') ++cursor;
  const char quote = *cursor;
  if (quote != '"' && quote != '\'') return false;
  ++cursor;
  const char* valueStart = cursor;
  while (*cursor != '\0' && *cursor != quote) ++cursor;
  if (*cursor != quote) return false;
  *name = std::string_view(nameStart, static_cast<std::size_t>(nameEnd - nameStart));
  *value = std::string_view(valueStart, static_cast<std::size_t>(cursor - valueStart));
  ++cursor;
  return true;
}

}  // namespace ui
