#pragma once
// A simulator on virtual time with cameras on this test process's own loopback addresses.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ProtocolClient.h"
#include "platform/os/Clock.h"
#include "sim/Simulator.h"

namespace camsim::test {

class SimulatorFixture : public ::testing::Test {
 protected:
  static constexpr std::uint16_t kPort = 18080;

  // Builds the simulator; the datagram listener only where a test asks for it.
  void StartSimulator(bool withMulticast = false) {
    SimulatorOptions options;
    options.clock = &m_clock;
    options.timing.rebootDowntime = std::chrono::seconds(20);
    options.timing.updateWriting = std::chrono::seconds(4);
    options.timing.updateVerifying = std::chrono::seconds(6);
    if (!withMulticast) options.multicastGroup.clear();
    m_simulator = std::make_unique<Simulator>(options);
  }

  void SetUp() override { StartSimulator(); }
  void TearDown() override { m_simulator.reset(); }

  static std::string Host(int number) { return ProcessAddressPrefix() + std::to_string(number); }

  std::shared_ptr<SimCamera> AddCamera(CameraProfile profile = {}, int host = 1) {
    profile.ip = Host(host);
    profile.port = kPort;
    profile.idLow = static_cast<std::uint32_t>(host);
    profile.idHigh = 0x51000000u + static_cast<std::uint32_t>(::getpid());
    std::string error;
    auto camera = m_simulator->AddCamera(profile, &error);
    EXPECT_TRUE(camera) << error;
    return camera;
  }

  // Moves virtual time on and waits until the simulator has done what fell due.
  void Advance(std::chrono::milliseconds duration) {
    m_clock.Advance(duration);
    ASSERT_TRUE(m_simulator->Settle());
  }

  os::VirtualClock m_clock;
  std::unique_ptr<Simulator> m_simulator;
};

}  // namespace camsim::test
