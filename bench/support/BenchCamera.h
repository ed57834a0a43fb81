#pragma once
// Simulated cameras for benchmarks, on loopback addresses of this process, and an open handle to
// each.

#include <memory>
#include <string>
#include <vector>

#include "bench/support/BenchProcess.h"
#include "cameraclient/CameraClient.h"
#include "sim/Simulator.h"

namespace bench {

class BenchCamera {
 public:
  explicit BenchCamera(int count = 1) {
    camsim::SimulatorOptions options;
    options.multicastGroup.clear();
    m_simulator = std::make_unique<camsim::Simulator>(options);
    const std::string base = LoopbackPrefix();
    CameraClient_Setup();
    if (!m_simulator->AddCameras(static_cast<std::size_t>(count), base + "1", 8080)) return;
    for (int i = 1; i <= count; ++i) {
      const CameraClientHandle handle = CameraClient_Open((base + std::to_string(i)).c_str(), 8080, "qorvt", "qorvt");
      if (handle == 0) return;
      m_handles.push_back(handle);
    }
  }
  ~BenchCamera() {
    CameraClient_Cleanup();
    m_simulator->Stop();
  }
  BenchCamera(const BenchCamera&) = delete;
  BenchCamera& operator=(const BenchCamera&) = delete;

  // 0 unless every camera opened.
  CameraClientHandle Handle(std::size_t index = 0) const { return index < m_handles.size() ? m_handles[index] : 0; }
  const std::vector<CameraClientHandle>& Handles() const { return m_handles; }
  camsim::SimCamera& Camera(std::size_t index = 0) { return m_simulator->Camera(index); }

 private:
  std::unique_ptr<camsim::Simulator> m_simulator;
  std::vector<CameraClientHandle> m_handles;
};

}  // namespace bench
