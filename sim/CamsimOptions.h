#pragma once
// The command line of lpr-camsim.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/CameraProfile.h"

namespace camsim {

struct CamsimOptions {
  std::size_t cameras = 1;
  std::string base = "127.0.10.1";
  std::uint16_t port = 8080;
  double platesPerMinute = 0;
  std::set<std::size_t> encrypted;  // 1-based camera numbers in encryption mode 2
  int hardwareType = 0;
  int modelId = kZoomModelId;
  std::array<int, 4> firmwareVersion = {5, 1, 6, 20};
  int rebootSeconds = 20;
  int updateSeconds = 10;
  bool multicast = true;
  std::size_t whitelist = 0;     // whitelist records each camera starts with
  std::size_t plateRecords = 0;  // stored plate readings (with pictures) each camera starts with
  bool help = false;
};

// Options from argv (without the program name); nullopt with the reason in `error`.
std::optional<CamsimOptions> ParseCamsimOptions(const std::vector<std::string>& arguments, std::string& error);
const char* CamsimUsage();

}  // namespace camsim
