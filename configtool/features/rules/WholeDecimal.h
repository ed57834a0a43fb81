#pragma once
// Numbers typed into the rule dialogs' fields.

#include <cstdint>
#include <optional>
#include <string_view>

// The value of a text that is one decimal number (an optional sign, then digits, blanks around it
// allowed); nullopt for anything else ("abc", "1x", "") and for values beyond 32 bits.
std::optional<std::int32_t> ParseWholeDecimal(std::string_view text);
