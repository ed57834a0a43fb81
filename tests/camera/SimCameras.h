#pragma once
// The in-process simulator for contract tests: cameras on loopback addresses of this process's
// own (tests run in parallel processes), the library set up, and the clock the test chose.

#include <memory>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/os/Clock.h"
#include "sim/Simulator.h"

namespace camera::test {

class SimCameras {
 public:
  struct Options {
    bool virtualClock = false;
    camsim::SimCamera::Timing timing;
    int ioThreads = 2;
  };

  explicit SimCameras(Options options);
  SimCameras() : SimCameras(Options{}) {}
  ~SimCameras();
  SimCameras(const SimCameras&) = delete;
  SimCameras& operator=(const SimCameras&) = delete;

  // Starts `count` cameras from this process's base address; false when one could not start.
  bool Add(std::size_t count, const camsim::CameraProfile& profile = {});
  // `count` cameras on `ports` ports (8080, 8081, ...) of each address from the block's first, for
  // more cameras than the block has addresses; instead of Add.
  bool AddSharingAddresses(std::size_t count, std::uint16_t ports);
  camsim::SimCamera& Camera(std::size_t index) { return m_simulator->Camera(index); }
  camsim::Simulator& Simulator() { return *m_simulator; }
  // Null without a virtual clock.
  os::VirtualClock* Clock() { return m_clock.get(); }

  // Opens camera `index` with the default login; 0 on failure.
  CameraClientHandle Open(std::size_t index, const char* user = "qorvt", const char* password = "qorvt");
  // A loopback address no camera of this process uses (for moves).
  std::string SpareIp(int host) const;

 private:
  std::unique_ptr<os::VirtualClock> m_clock;
  std::unique_ptr<camsim::Simulator> m_simulator;
  std::string m_base;
};

}  // namespace camera::test
