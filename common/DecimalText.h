#pragma once

#include <cstdint>
#include <string_view>

// Reads a text as C's atol does: leading white space, an optional sign, then decimal digits up
// to the first other character; no digits give 0. Unlike atol it cannot overflow: the value
// saturates at the 64-bit limits. Callers store it into their field's width.
std::int64_t ParseDecimalText(std::string_view text);
