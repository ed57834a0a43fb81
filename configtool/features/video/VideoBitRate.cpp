#include "configtool/features/video/VideoBitRate.h"

#include <limits>

#include "common/StringUtil.h"
#include "common/DecimalText.h"

namespace {

struct BitRateRange {
  int lowest;
  int highest;
  const char* text;
};

constexpr BitRateRange kFamily0Range{100, 4096, "码流上限值范围应该在：[100, 4096)"};
constexpr BitRateRange kFamily2Range{512, 5000, "码流上限值范围应该在：[512, 5000)"};

const BitRateRange& RangeOf(int family) { return family == 2 ? kFamily2Range : kFamily0Range; }

constexpr std::int64_t kStreamBitRateUnit = 1000;

}  // namespace

std::optional<int> CheckBitRateLimit(int family, const std::string& text) {
  if (!IsAllDigits(text)) return std::nullopt;
  const std::int64_t value = ParseDecimalText(text);
  const BitRateRange& range = RangeOf(family);
  if (value < range.lowest || value > range.highest) return std::nullopt;
  return static_cast<int>(value);
}

const char* BitRateLimitRangeText(int family) { return RangeOf(family).text; }

std::optional<std::int32_t> StreamBitRate(const std::string& text, std::int32_t lower, std::int32_t upper) {
  if (!IsAllDigits(text)) return std::nullopt;
  const std::int64_t value = ParseDecimalText(text);
  // Beyond this the product could not lie below an int32 limit (and would overflow 64 bits).
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  const std::int64_t bitRate = value * kStreamBitRateUnit;
  if (bitRate <= lower || bitRate >= upper) return std::nullopt;
  return static_cast<std::int32_t>(bitRate);
}
