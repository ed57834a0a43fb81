#pragma once
// Readers of layout attribute values, shared by every control's SetAttribute.

#include <string_view>

#include "platform/os/WinTypes.h"

namespace ui {

// Numbers of positions and sizes are kept within +-2^24, so that sums of them never overflow.
// One number; 0 when there is none.
int ParseNumberAttribute(const char* value);
// "l,t,r,b": missing numbers stay 0.
RECT ParseRectAttribute(const char* value);
// "cx,cy".
SIZE ParseSizeAttribute(const char* value);
// "true" (exactly) is true, anything else false.
bool ParseBoolAttribute(const char* value);
// A colour text ("#AARRGGBB", "0xAARRGGBB", six digits, or a style colour name): the style
// manager's GetColor.
DWORD ParseColorAttribute(const char* value);
// Reads the next name="value" pair (or name='value') of an attribute list; false at the end.
bool NextAttributePair(const char*& cursor, std::string_view* name, std::string_view* value);

}  // namespace ui
