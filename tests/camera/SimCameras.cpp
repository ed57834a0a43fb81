#include "SimCameras.h"

#include <algorithm>
#include <cstdio>

#include "tests/support/LoopbackBlock.h"

namespace camera::test {

SimCameras::SimCameras(Options options) : m_base(lpr::test::ProcessLoopbackPrefix()) {
  if (options.virtualClock) {
    m_clock = std::make_unique<os::VirtualClock>();
    os::SetClock(m_clock.get());
  }
  camsim::SimulatorOptions simulatorOptions;
  simulatorOptions.clock = m_clock.get();
  simulatorOptions.timing = options.timing;
  simulatorOptions.ioThreads = options.ioThreads;
  simulatorOptions.multicastGroup.clear();
  m_simulator = std::make_unique<camsim::Simulator>(simulatorOptions);
  CameraClient_Setup();
}

SimCameras::~SimCameras() {
  CameraClient_Cleanup();
  m_simulator->Stop();
  m_simulator.reset();
  if (m_clock) os::SetClock(nullptr);
}

bool SimCameras::Add(std::size_t count, const camsim::CameraProfile& profile) {
  std::string error;
  const bool added = m_simulator->AddCameras(count, m_base + std::to_string(m_simulator->Count() + 1), 8080, profile,
                                             &error);
  if (!added) std::fprintf(stderr, "cameras not started: %s\n", error.c_str());
  return added;
}

bool SimCameras::AddSharingAddresses(std::size_t count, std::uint16_t ports) {
  const std::size_t perPort = (count + ports - 1) / ports;
  for (std::uint16_t port = 8080; count > 0; ++port) {
    const std::size_t cameras = std::min(perPort, count);
    std::string error;
    if (!m_simulator->AddCameras(cameras, m_base + "1", port, {}, &error)) {
      std::fprintf(stderr, "cameras not started: %s\n", error.c_str());
      return false;
    }
    count -= cameras;
  }
  return true;
}

CameraClientHandle SimCameras::Open(std::size_t index, const char* user, const char* password) {
  auto& camera = m_simulator->Camera(index);
  return CameraClient_Open(camera.Ip().c_str(), camera.Port(), user, password);
}

std::string SimCameras::SpareIp(int host) const { return m_base + std::to_string(host); }

}  // namespace camera::test
