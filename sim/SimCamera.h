#pragma once
// One simulated camera: its state, its address (control protocol and web pages on one TCP port,
// search answers on the UDP port of the same number), its connections, live video and plate
// readings, reboot and update on the simulator's clock, and the handles tests use.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <boost/asio/io_context.hpp>

#include "platform/camera/protocol/Operation.h"
#include "sim/CallLog.h"
#include "sim/CameraProfile.h"
#include "sim/CameraState.h"
#include "sim/FaultPlan.h"
#include "sim/Operations.h"
#include "sim/PlateGenerator.h"
#include "sim/PlateReading.h"
#include "sim/Scheduler.h"
#include "sim/VideoSource.h"
#include "sim/WebPages.h"

namespace camsim {

class ControlSession;
class Listener;
class SearchResponder;

class SimCamera : public std::enable_shared_from_this<SimCamera> {
 public:
  // Durations on the simulator's clock.
  struct Timing {
    std::chrono::milliseconds rebootDowntime{20'000};
    std::chrono::milliseconds updateWriting{5'000};
    std::chrono::milliseconds updateVerifying{5'000};
  };

  SimCamera(boost::asio::io_context& io, Scheduler& scheduler, const CameraProfile& profile, const Timing& timing,
            std::size_t plateRecordCapacity = 500);
  ~SimCamera();
  SimCamera(const SimCamera&) = delete;
  SimCamera& operator=(const SimCamera&) = delete;

  // Binds the address; empty text on success, else what failed.
  std::string Start();
  // Closes everything for good.
  void Stop();

  // The camera's state under its lock: `work(CameraState&)`.
  template <typename Work>
  decltype(auto) With(Work&& work) {
    std::lock_guard lock(m_mutex);
    return work(m_state);
  }
  FaultPlan& Faults() { return m_faults; }
  CallLog& Calls() { return m_calls; }

  std::string Ip() const;
  std::uint16_t Port() const;
  // "ip:port", as CAMERACLIENT_SEARCH_TARGETS lists it.
  std::string Address() const;
  std::uint32_t IdLow() const;
  std::uint32_t IdHigh() const;
  bool IsUp() const;
  std::size_t ConnectionCount() const;

  // Closes every connection, refuses connections and search probes for the downtime, then comes
  // back (with the version of a finished update).
  void Reboot();
  // Answers at a new loopback address and port from now on; false (nothing changed) when the
  // address is not loopback or cannot be bound. Connections stay until CloseConnections.
  bool MoveTo(const CameraClientNetParam& address);
  // While set, the port is closed: connecting is refused. Open connections stay.
  void RefuseConnections(bool refuse);
  // Ends every connection, after what was queued for it.
  void CloseConnections();
  // A plate reading with these trigger bits, now on the camera's clock.
  void Trigger(int triggerBits);
  // Reports this plate at once, hidden (filling its field without a terminator) when asked.
  void ReportPlate(const SyntheticPlate& plate, int triggerBits, bool hidden);
  // Files a reading of `time` (with its picture) in the plate-record store, reporting nothing.
  void StorePlateRecord(const SyntheticPlate& plate, int triggerBits, bool hidden, const os::LocalTime& time);
  // Now on the camera's clock.
  os::LocalTime LocalNow() const;
  // Periodic readings, counted on the camera's clock; 0 stops them.
  void SetPlatesPerMinute(double rate);
  // For tests: holds the live video back; each step then sends one frame of every watched stream.
  void HoldVideo(bool hold) { m_video.HoldFrames(hold); }
  void StepVideo(int frames = 1) { m_video.StepFrames(frames); }

  // For its connections.
  std::uint64_t NewConnectionNumber();
  bool Attach(const std::shared_ptr<ControlSession>& session);
  void Detach(std::uint64_t connection);
  // Answers one request and does what it asked for. Work that ends connections only ends them
  // after what is queued for them, so the reply to this request still goes out.
  Reply Handle(SessionState& session, camera::protocol::Operation operation, std::span<const std::uint8_t> payload);
  std::optional<std::vector<std::uint8_t>> SearchAnswer(std::uint32_t searchId) const;
  WebReply ServeWeb(std::string_view method, std::string_view target, std::string_view cookies);

 private:
  struct Link {
    std::weak_ptr<ControlSession> session;
    std::optional<bool> plates;
    std::optional<int> videoStream;
  };
  struct Endpoints {
    std::shared_ptr<Listener> listener;
    std::shared_ptr<SearchResponder> responder;
  };

  std::string OpenEndpointsLocked(Endpoints& opened);
  Endpoints TakeEndpointsLocked();
  static void Close(Endpoints& endpoints);
  std::vector<std::shared_ptr<ControlSession>> SessionsLocked() const;
  void UpdateDemandLocked();
  void LogLocked(std::string_view text);
  void Perform(Reply& reply);
  void ComeBack(std::uint64_t generation);
  void ScheduleUpdateStep(std::uint64_t generation, bool verifying, Scheduler::TimePoint deadline);
  void SchedulePlate(std::uint64_t chain, Scheduler::TimePoint deadline, std::chrono::milliseconds period);
  void ReadPlate(int triggerBits);
  CameraClientPlateResult FileReadingLocked(const SyntheticPlate& plate, int triggerBits, bool hidden,
                                            const os::LocalTime& time, const PlateShot& shot,
                                            std::shared_ptr<const std::vector<std::uint8_t>> jpeg);
  int NextPeriodicTrigger();
  bool VideoFormat(int stream, VideoSource::Format& format);
  void DeliverVideo(int stream, std::uint32_t number, int width, int height, std::vector<std::uint8_t> jpeg);
  std::string CaptionLocked() const;

  boost::asio::io_context& m_io;
  Scheduler& m_scheduler;
  Timing m_timing;
  FaultPlan m_faults;
  CallLog m_calls;

  mutable std::mutex m_mutex;
  CameraState m_state;
  Endpoints m_endpoints;
  std::map<std::uint64_t, Link> m_sessions;
  bool m_up = false;
  bool m_stopped = false;
  bool m_refusing = false;
  std::uint64_t m_generation = 0;  // counts reboots: steps of an earlier life are dropped
  std::uint64_t m_plateChain = 0;
  double m_platesPerMinute;
  PlateGenerator m_generator;
  std::uint64_t m_platesRead = 0;
  SyntheticPlate m_lastPlate;  // shown on the car in the live video
  VideoSource m_video;
};

}  // namespace camsim
