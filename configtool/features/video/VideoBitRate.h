#pragma once
// The bit rates the operator types on the encoding page: digits only, read without overflow, then
// checked against the camera family's range.

#include <cstdint>
#include <optional>
#include <string>

// Families 0 and 2: the typed bit-rate limit when the text is digits only and the value lies in
// the family's range, both ends included (family 2: 512 to 5000, family 0: 100 to 4096).
std::optional<int> CheckBitRateLimit(int family, const std::string& text);
// The box that tells the family's range when CheckBitRateLimit refuses a text.
const char* BitRateLimitRangeText(int family);

// Family 3: the typed number times 1000, when the text is digits only and the product lies
// strictly between the stream's lower and upper limits.
std::optional<std::int32_t> StreamBitRate(const std::string& text, std::int32_t lower, std::int32_t upper);
