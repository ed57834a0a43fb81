#pragma once
// Many simulated cameras in one process, each on its own loopback address and port, sharing one
// io_context, one scheduler on the given clock and one listener for the address-change datagram.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

#include "platform/os/Clock.h"
#include "sim/CameraProfile.h"
#include "sim/Scheduler.h"
#include "sim/SimCamera.h"

namespace camsim {

class MulticastListener;
struct NetParamDatagram;

struct SimulatorOptions {
  // The clock of reboots, updates, plate periods and web sessions; null for os::CurrentClock().
  os::Clock* clock = nullptr;
  SimCamera::Timing timing;
  int ioThreads = 2;
  std::size_t plateRecordCapacity = 500;
  // Where the address-change datagram arrives; an empty group turns the listener off.
  std::string multicastGroup = "228.5.6.2";
  std::uint16_t multicastPort = 24100;
};

class Simulator {
 public:
  explicit Simulator(SimulatorOptions options = {});
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Starts a camera; null when its address cannot be bound (the reason in `error`).
  std::shared_ptr<SimCamera> AddCamera(const CameraProfile& profile, std::string* error = nullptr);
  // `count` cameras from `baseIp` upwards (skipping .0 and .255), all on `port`, built from
  // `templateProfile`; search numbers idLow = 1, 2, ... and an idHigh unique to this process.
  // Returns false when one could not start; the ones before it keep running.
  bool AddCameras(std::size_t count, const std::string& baseIp, std::uint16_t port,
                  const CameraProfile& templateProfile = {}, std::string* error = nullptr);

  std::size_t Count() const;
  SimCamera& Camera(std::size_t index) { return *CameraPtr(index); }
  std::shared_ptr<SimCamera> CameraPtr(std::size_t index) const;
  // The camera with these search numbers; null when none.
  std::shared_ptr<SimCamera> FindCamera(std::uint32_t idLow, std::uint32_t idHigh) const;
  // "ip:port,ip:port,...", for CAMERACLIENT_SEARCH_TARGETS.
  std::string SearchTargets() const;

  // Waits (in real time) until every task due on the clock has run.
  bool Settle(std::chrono::milliseconds realTimeout = std::chrono::seconds(10)) { return m_scheduler.WaitIdle(realTimeout); }
  // Empty when the datagram listener runs (or is off), else why it could not start.
  const std::string& MulticastError() const { return m_multicastError; }

  // Closes every camera and ends the threads. Called by the destructor.
  void Stop();

 private:
  void OnNetParamDatagram(const NetParamDatagram& datagram);

  SimulatorOptions m_options;
  boost::asio::io_context m_io;
  boost::asio::executor_work_guard<boost::asio::io_context::executor_type> m_work;
  Scheduler m_scheduler;
  mutable std::mutex m_camerasMutex;
  std::vector<std::shared_ptr<SimCamera>> m_cameras;
  std::shared_ptr<MulticastListener> m_multicast;
  std::string m_multicastError;
  std::vector<std::thread> m_threads;
  bool m_stopped = false;
};

}  // namespace camsim
