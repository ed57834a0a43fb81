// lpr-camsim: simulated cameras on loopback addresses, until SIGTERM or SIGINT.

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/CamsimOptions.h"
#include "sim/SeedData.h"
#include "sim/Simulator.h"

namespace {

camsim::SimulatorOptions SimulatorOptionsOf(const camsim::CamsimOptions& options) {
  camsim::SimulatorOptions simulator;
  simulator.timing.rebootDowntime = std::chrono::seconds(options.rebootSeconds);
  simulator.timing.updateWriting = std::chrono::milliseconds(options.updateSeconds * 500);
  simulator.timing.updateVerifying = std::chrono::milliseconds(options.updateSeconds * 500);
  simulator.ioThreads = 4;
  simulator.plateRecordCapacity = std::max(simulator.plateRecordCapacity, options.plateRecords);
  if (!options.multicast) simulator.multicastGroup.clear();
  return simulator;
}

// The data every camera starts with; the same whitelist on each, its own plate readings on each.
void Seed(camsim::Simulator& simulator, const camsim::CamsimOptions& options) {
  const auto whitelist = camsim::MakeSeedWhitelist(options.whitelist, 1);
  for (std::size_t i = 0; i < simulator.Count(); ++i) {
    camsim::SimCamera& camera = simulator.Camera(i);
    if (!whitelist.empty()) camera.With([&](camsim::CameraState& state) { state.whitelist.Import(whitelist); });
    camsim::SeedPlateRecords(camera, options.plateRecords, i + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = camsim::ParseCamsimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "lpr-camsim: %s\n%s", error.c_str(), camsim::CamsimUsage());
    return 2;
  }
  if (options->help) {
    std::fputs(camsim::CamsimUsage(), stdout);
    return 0;
  }

  // The signals are taken by sigwait below; every thread started from here on inherits the mask.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  camsim::Simulator simulator(SimulatorOptionsOf(*options));
  if (!simulator.MulticastError().empty()) {
    std::fprintf(stderr, "lpr-camsim: no address-change datagrams: %s\n", simulator.MulticastError().c_str());
  }
  camsim::CameraProfile profile;
  profile.hardwareType = options->hardwareType;
  profile.modelId = options->modelId;
  profile.firmwareVersion = options->firmwareVersion;
  profile.platesPerMinute = options->platesPerMinute;
  if (!simulator.AddCameras(options->cameras, options->base, options->port, profile, &error)) {
    std::fprintf(stderr, "lpr-camsim: %s\n", error.c_str());
    return 1;
  }
  for (const std::size_t number : options->encrypted) {
    if (number > simulator.Count()) continue;
    simulator.Camera(number - 1).With([](camsim::CameraState& state) {
      state.encryption.SetMode(state.encryption.UserPassword(), camsim::EncryptionState::kSecondLoginMode);
    });
  }
  Seed(simulator, *options);
  std::printf("lpr-camsim: %zu cameras from %s, port %u\n", simulator.Count(), simulator.Camera(0).Ip().c_str(),
              options->port);
  std::printf("CAMERACLIENT_SEARCH_TARGETS=%s\n", simulator.SearchTargets().c_str());
  std::fflush(stdout);

  int received = 0;
  sigwait(&signals, &received);
  simulator.Stop();
  std::printf("lpr-camsim: stopped\n");
  return 0;
}
