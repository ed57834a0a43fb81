#include "sim/CamsimOptions.h"

#include <charconv>
#include <cstdlib>
#include <sstream>

namespace camsim {
namespace {

// A whitelist as large as the camera holds; plate readings whose pictures stay within a few hundred MB.
constexpr std::size_t kMaxSeedWhitelist = 200'000;
constexpr std::size_t kMaxSeedPlateRecords = 5'000;

template <typename Number>
bool ParseNumber(const std::string& text, Number& value, int base = 10) {
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) begin += 2;
  const auto result = std::from_chars(begin, end, value, base);
  return result.ec == std::errc() && result.ptr == end && begin != end;
}

bool ParseRate(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() && value >= 0 && value <= 6000;
}

bool ParseVersion(const std::string& text, std::array<int, 4>& version) {
  std::istringstream in(text);
  std::string part;
  for (int i = 0; i < 4; ++i) {
    if (!std::getline(in, part, '.') || !ParseNumber(part, version[static_cast<std::size_t>(i)]) ||
        version[static_cast<std::size_t>(i)] < 0 || version[static_cast<std::size_t>(i)] > 65535) {
      return false;
    }
  }
  return in.peek() == std::char_traits<char>::eof();
}

bool ParseCameraList(const std::string& text, std::set<std::size_t>& numbers) {
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    std::size_t number = 0;
    if (!ParseNumber(part, number) || number == 0) return false;
    numbers.insert(number);
  }
  return !numbers.empty();
}

}  // namespace

const char* CamsimUsage() {
  return "usage: lpr-camsim [--cameras N] [--base 127.0.10.1] [--port P] [--plates-per-minute R]\n"
         "                  [--encrypted K[,K...]] [--hardware-type 0|2|3] [--model ID] [--firmware A.B.C.D]\n"
         "                  [--reboot-seconds S] [--update-seconds S] [--no-multicast]\n"
         "                  [--whitelist N] [--plate-records N]\n"
         "Simulates N cameras on loopback addresses from --base upwards, all on port P (default 8080).\n"
         "--whitelist and --plate-records fill each camera's whitelist and its store of plate readings\n"
         "(with pictures, timed between midnight and now).\n"
         "--encrypted lists the cameras (1-based) that demand the second login; logins: qorvt/qorvt,\n"
         "user password 123456, master password 888888. Ends on SIGTERM or SIGINT.\n";
}

std::optional<CamsimOptions> ParseCamsimOptions(const std::vector<std::string>& arguments, std::string& error) {
  CamsimOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--no-multicast") {
      options.multicast = false;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      error = "missing value after " + name;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    bool ok = false;
    if (name == "--cameras") {
      ok = ParseNumber(value, options.cameras) && options.cameras >= 1 && options.cameras <= 60000;
    } else if (name == "--base") {
      options.base = value;
      ok = value.rfind("127.", 0) == 0;
    } else if (name == "--port") {
      ok = ParseNumber(value, options.port) && options.port != 0;
    } else if (name == "--plates-per-minute") {
      ok = ParseRate(value, options.platesPerMinute);
    } else if (name == "--encrypted") {
      ok = ParseCameraList(value, options.encrypted);
    } else if (name == "--hardware-type") {
      ok = ParseNumber(value, options.hardwareType) &&
           (options.hardwareType == 0 || options.hardwareType == 2 || options.hardwareType == 3);
    } else if (name == "--model") {
      ok = ParseNumber(value, options.modelId, 16) && options.modelId > 0;
    } else if (name == "--firmware") {
      ok = ParseVersion(value, options.firmwareVersion);
    } else if (name == "--reboot-seconds") {
      ok = ParseNumber(value, options.rebootSeconds) && options.rebootSeconds >= 0 && options.rebootSeconds <= 3600;
    } else if (name == "--whitelist") {
      ok = ParseNumber(value, options.whitelist) && options.whitelist <= kMaxSeedWhitelist;
    } else if (name == "--plate-records") {
      ok = ParseNumber(value, options.plateRecords) && options.plateRecords <= kMaxSeedPlateRecords;
    } else if (name == "--update-seconds") {
      ok = ParseNumber(value, options.updateSeconds) && options.updateSeconds >= 0 && options.updateSeconds <= 3600;
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace camsim
