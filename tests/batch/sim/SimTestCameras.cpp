// The simulated cameras as the backend of the camera tests: in this process, on loopback
// addresses of their own, so that test processes running side by side never meet.

#include <memory>
#include <string>
#include <unistd.h>

#include "cameraclient/CameraClient.h"
#include "sim/Simulator.h"
#include "tests/batch/support/TestCameras.h"

namespace {

std::unique_ptr<camsim::Simulator>& TheSimulator() {
  static std::unique_ptr<camsim::Simulator> simulator;
  return simulator;
}

}  // namespace

std::vector<TestCamera> StartTestCameras(int count) {
  static const int setUp = CameraClient_Setup();
  (void)setUp;
  constexpr std::uint16_t kPort = 8080;
  for (int attempt = 0; attempt < 20; ++attempt) {
    auto simulator = std::make_unique<camsim::Simulator>();
    const int network = static_cast<int>((getpid() + attempt) % 250) + 1;
    const std::string base = "127.43." + std::to_string(network) + ".1";
    if (!simulator->AddCameras(static_cast<std::size_t>(count), base, kPort)) continue;
    std::vector<TestCamera> cameras;
    for (std::size_t i = 0; i < simulator->Count(); ++i) {
      cameras.push_back({simulator->Camera(i).Ip(), kPort});
    }
    TheSimulator() = std::move(simulator);
    return cameras;
  }
  return {};
}

void StopTestCameras() { TheSimulator().reset(); }
