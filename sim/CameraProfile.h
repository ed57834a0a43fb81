#pragma once
// What a simulated camera is when it starts: where it answers, what it reports about itself, and
// how it lets clients in.

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace camsim {

// Model ids the programs tell apart: the zoom model with lens options and overlay switches, and
// the fixed-focus models with an install distance.
inline constexpr int kZoomModelId = 0x2004;
inline constexpr std::array<int, 5> kFixedFocusModelIds = {0x3045, 0x3085, 0x30C5, 0x3105, 0x3185};

struct CameraProfile {
  std::string ip = "127.0.10.1";  // always a loopback address
  std::uint16_t port = 8080;
  std::string netmask = "255.255.255.0";
  std::string gateway = "127.0.10.254";
  std::uint32_t idLow = 1;
  std::uint32_t idHigh = 0;

  int hardwareType = 0;  // 0, 2 or 3
  int modelId = kZoomModelId;
  int modelExtra = 0;
  std::array<int, 4> firmwareVersion = {5, 1, 6, 20};

  // Login accounts, user to password (UTF-8 texts are fine: the camera compares bytes).
  std::map<std::string, std::string> accounts = {{"qorvt", "qorvt"}};
  int encryptMode = 0;  // 2 demands the second login
  std::string userPassword = "123456";
  std::string masterPassword = "888888";

  // Plates read per minute of the camera's clock; 0 reads only on a manual trigger.
  double platesPerMinute = 0;
  std::uint64_t seed = 1;
};

}  // namespace camsim
