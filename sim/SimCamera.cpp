#include "sim/SimCamera.h"

#include <arpa/inet.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "platform/camera/protocol/Frame.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/SearchDatagram.h"
#include "platform/camera/protocol/VideoMessages.h"
#include "platform/os/Charset.h"
#include "sim/ControlSession.h"
#include "sim/GbkText.h"
#include "sim/HandlerSupport.h"
#include "sim/Listener.h"
#include "sim/PlateReading.h"
#include "sim/SearchResponder.h"

namespace camsim {

using camera::protocol::Operation;
using camera::protocol::Status;

namespace {

bool IsLoopbackAddress(std::string_view ip) {
  in_addr address{};
  return ::inet_pton(AF_INET, std::string(ip).c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

// The operations that change the camera; each success goes into its system log.
bool IsLogged(Operation operation) {
  const std::string_view name = camera::protocol::OperationName(operation);
  return name.substr(0, 3) == "Set" || operation == Operation::Login || operation == Operation::Reboot ||
         operation == Operation::ForceTrigger || operation == Operation::WhiteListImport ||
         operation == Operation::WhiteListUpdate || operation == Operation::WhiteListDelete ||
         operation == Operation::WhiteListClear || operation == Operation::UpdateCommit ||
         operation == Operation::LoginEncrypted;
}

std::shared_ptr<const std::vector<std::uint8_t>> EventFrame(Operation operation, std::span<const std::uint8_t> payload) {
  auto bytes = camera::protocol::EncodeFrame(camera::protocol::FrameKind::Event, operation, 0, Status::Ok, payload);
  if (!bytes) return nullptr;
  return std::make_shared<const std::vector<std::uint8_t>>(std::move(*bytes));
}

std::string TimeText(const os::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

}  // namespace

SimCamera::SimCamera(boost::asio::io_context& io, Scheduler& scheduler, const CameraProfile& profile,
                     const Timing& timing, std::size_t plateRecordCapacity)
    : m_io(io),
      m_scheduler(scheduler),
      m_timing(timing),
      m_state(profile),
      m_platesPerMinute(profile.platesPerMinute),
      m_generator(profile.seed),
      m_lastPlate(PlateGenerator(profile.seed ^ 0xCA5ULL).Next()),
      m_video([this](int stream, VideoSource::Format& format) { return VideoFormat(stream, format); },
              [this](int stream, std::uint32_t number, int width, int height, std::vector<std::uint8_t> jpeg) {
                DeliverVideo(stream, number, width, height, std::move(jpeg));
              }) {
  m_state.plates = PlateRecordStore(plateRecordCapacity);
}

SimCamera::~SimCamera() { Stop(); }

std::string SimCamera::Start() {
  std::string error;
  {
    std::lock_guard lock(m_mutex);
    if (m_up || m_stopped) return m_stopped ? "stopped" : "";
    Endpoints opened;
    error = OpenEndpointsLocked(opened);
    if (!error.empty()) return error;
    m_endpoints = opened;
    m_up = true;
    LogLocked("system start");
  }
  SetPlatesPerMinute(m_platesPerMinute);
  return {};
}

void SimCamera::Stop() {
  Endpoints endpoints;
  std::vector<std::shared_ptr<ControlSession>> sessions;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopped) return;
    m_stopped = true;
    m_up = false;
    ++m_plateChain;
    endpoints = TakeEndpointsLocked();
    sessions = SessionsLocked();
  }
  Close(endpoints);
  for (const auto& session : sessions) session->Close();
  m_video.Stop();
}

std::string SimCamera::Ip() const {
  std::lock_guard lock(m_mutex);
  return m_state.Ip();
}

std::uint16_t SimCamera::Port() const {
  std::lock_guard lock(m_mutex);
  return m_state.Port();
}

std::string SimCamera::Address() const {
  std::lock_guard lock(m_mutex);
  return m_state.Ip() + ":" + std::to_string(m_state.Port());
}

std::uint32_t SimCamera::IdLow() const {
  std::lock_guard lock(m_mutex);
  return m_state.idLow;
}

std::uint32_t SimCamera::IdHigh() const {
  std::lock_guard lock(m_mutex);
  return m_state.idHigh;
}

bool SimCamera::IsUp() const {
  std::lock_guard lock(m_mutex);
  return m_up;
}

std::size_t SimCamera::ConnectionCount() const {
  std::lock_guard lock(m_mutex);
  return m_sessions.size();
}

// The listener is left out while connections are refused.
std::string SimCamera::OpenEndpointsLocked(Endpoints& opened) {
  const std::string ip = m_state.Ip();
  const std::uint16_t port = m_state.Port();
  if (!IsLoopbackAddress(ip)) return "not a loopback address: " + ip;
  auto responder = std::make_shared<SearchResponder>(m_io, weak_from_this());
  if (std::string error = responder->Bind(ip, port); !error.empty()) return error;
  std::shared_ptr<Listener> listener;
  if (!m_refusing) {
    listener = std::make_shared<Listener>(m_io, weak_from_this());
    if (std::string error = listener->Bind(ip, port); !error.empty()) return error;
    listener->Run();
  }
  responder->Run();
  opened = Endpoints{std::move(listener), std::move(responder)};
  return {};
}

SimCamera::Endpoints SimCamera::TakeEndpointsLocked() { return std::exchange(m_endpoints, Endpoints{}); }

void SimCamera::Close(Endpoints& endpoints) {
  if (endpoints.listener) endpoints.listener->Stop();
  if (endpoints.responder) endpoints.responder->Stop();
  endpoints = Endpoints{};
}

std::vector<std::shared_ptr<ControlSession>> SimCamera::SessionsLocked() const {
  std::vector<std::shared_ptr<ControlSession>> sessions;
  for (const auto& [connection, link] : m_sessions) {
    if (auto session = link.session.lock()) sessions.push_back(std::move(session));
  }
  return sessions;
}

void SimCamera::Reboot() {
  Endpoints endpoints;
  std::vector<std::shared_ptr<ControlSession>> sessions;
  std::uint64_t generation = 0;
  {
    std::lock_guard lock(m_mutex);
    if (!m_up || m_stopped) return;
    m_up = false;
    generation = ++m_generation;
    endpoints = TakeEndpointsLocked();
    sessions = SessionsLocked();
    m_state.webSessions.Clear();
    LogLocked("reboot");
    UpdateDemandLocked();
    // Due from the moment the camera is seen down, so that time moved on from then brings it back.
    m_scheduler.After(m_timing.rebootDowntime, [weak = weak_from_this(), generation] {
      if (auto camera = weak.lock()) camera->ComeBack(generation);
    });
  }
  Close(endpoints);
  for (const auto& session : sessions) session->CloseAfterFlush();
}

void SimCamera::ComeBack(std::uint64_t generation) {
  // The endpoints closed at the reboot may still be on their way out on an io thread.
  constexpr int kQuickTries = 50;
  std::string error;
  for (int attempt = 0; attempt < kQuickTries; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::lock_guard lock(m_mutex);
    if (generation != m_generation || m_stopped || m_up) return;
    if (m_state.pendingVersion) m_state.firmwareVersion = *std::exchange(m_state.pendingVersion, std::nullopt);
    m_state.update.Reset();
    Endpoints opened;
    error = OpenEndpointsLocked(opened);
    if (error.empty()) {
      m_endpoints = opened;
      m_up = true;
      LogLocked("system start");
      return;
    }
  }
  // Someone else holds the address: try again later on the camera's clock.
  std::fprintf(stderr, "camsim %s: %s\n", Ip().c_str(), error.c_str());
  m_scheduler.After(std::chrono::seconds(1), [weak = weak_from_this(), generation] {
    if (auto camera = weak.lock()) camera->ComeBack(generation);
  });
}

bool SimCamera::MoveTo(const CameraClientNetParam& address) {
  if (!IsLoopbackAddress(FieldText(address.ip)) || address.port == 0) return false;
  Endpoints previous;
  {
    std::lock_guard lock(m_mutex);
    if (m_stopped) return false;
    const bool sameEndpoint = FieldText(address.ip) == m_state.Ip() && address.port == m_state.Port();
    const CameraClientNetParam old = m_state.net;
    m_state.net = address;
    if (m_up && !sameEndpoint) {
      Endpoints opened;
      if (const std::string error = OpenEndpointsLocked(opened); !error.empty()) {
        m_state.net = old;
        return false;
      }
      previous = std::exchange(m_endpoints, opened);
    }
    LogLocked("address " + m_state.Ip() + ":" + std::to_string(m_state.Port()));
  }
  Close(previous);
  return true;
}

void SimCamera::RefuseConnections(bool refuse) {
  std::shared_ptr<Listener> stopped;
  {
    std::lock_guard lock(m_mutex);
    if (m_refusing == refuse) return;
    m_refusing = refuse;
    if (refuse) {
      stopped = std::exchange(m_endpoints.listener, nullptr);
    } else if (m_up && !m_stopped) {
      auto listener = std::make_shared<Listener>(m_io, weak_from_this());
      if (const std::string error = listener->Bind(m_state.Ip(), m_state.Port()); !error.empty()) {
        std::fprintf(stderr, "camsim %s: %s\n", m_state.Ip().c_str(), error.c_str());
        return;
      }
      listener->Run();
      m_endpoints.listener = std::move(listener);
    }
  }
  if (stopped) stopped->Stop();
}

void SimCamera::CloseConnections() {
  std::vector<std::shared_ptr<ControlSession>> sessions;
  {
    std::lock_guard lock(m_mutex);
    sessions = SessionsLocked();
  }
  for (const auto& session : sessions) session->CloseAfterFlush();
}

std::uint64_t SimCamera::NewConnectionNumber() {
  static std::atomic<std::uint64_t> next{1};
  return next++;
}

bool SimCamera::Attach(const std::shared_ptr<ControlSession>& session) {
  std::lock_guard lock(m_mutex);
  if (!m_up || m_stopped) return false;
  m_sessions[session->Connection()] = Link{session, std::nullopt, std::nullopt};
  return true;
}

void SimCamera::Detach(std::uint64_t connection) {
  std::lock_guard lock(m_mutex);
  if (m_sessions.erase(connection) == 0) return;
  m_state.update.Abandon(connection);
  UpdateDemandLocked();
}

void SimCamera::UpdateDemandLocked() {
  bool wanted[2] = {false, false};
  if (m_up) {
    for (const auto& [connection, link] : m_sessions) {
      if (link.videoStream) wanted[*link.videoStream == 1 ? 1 : 0] = true;
    }
  }
  m_video.SetDemand(wanted[0], wanted[1]);
}

void SimCamera::LogLocked(std::string_view text) { m_state.log.Append(m_scheduler.Clock().LocalNow(), text); }

Reply SimCamera::Handle(SessionState& session, Operation operation, std::span<const std::uint8_t> payload) {
  const auto info = camera::protocol::DescribeOperation(static_cast<std::uint16_t>(operation));
  const Handler handler = FindHandler(operation);
  if (!info || handler == nullptr) return Refuse(Status::UnknownOperation);
  if (info->requestBytes >= 0 && payload.size() != static_cast<std::size_t>(info->requestBytes)) {
    return Refuse(Status::BadRequest);
  }
  Reply reply;
  {
    std::lock_guard lock(m_mutex);
    if (!session.loggedIn && !IsOpenOperation(operation)) return Refuse(Status::NotLoggedIn);
    if (m_state.encryption.DemandsSecondLogin() && !session.secondLogin && !IsSessionOperation(operation)) {
      return Refuse(Status::SecondLoginRequired);
    }
    HandlerContext context{m_state, session, m_scheduler.Now()};
    reply = handler(context, payload);
    if (const auto link = m_sessions.find(session.connection); link != m_sessions.end()) {
      link->second.plates = session.plates;
      link->second.videoStream = session.videoStream;
    }
    UpdateDemandLocked();
    if (reply.status == Status::Ok && IsLogged(operation)) LogLocked(camera::protocol::OperationName(operation));
  }
  Perform(reply);
  return reply;
}

void SimCamera::Perform(Reply& reply) {
  if (reply.status != Status::Ok) return;
  switch (reply.action) {
    case CameraAction::None: break;
    case CameraAction::MoveAddress:
      if (!MoveTo(reply.newAddress)) {
        reply = Refuse(Status::Failed);
        break;
      }
      CloseConnections();
      break;
    case CameraAction::Reboot: Reboot(); break;
    case CameraAction::ManualTrigger: Trigger(CAMERACLIENT_TRIGGER_MANUAL); break;
    case CameraAction::UpdateCommitted: {
      std::lock_guard lock(m_mutex);
      ScheduleUpdateStep(m_generation, false, m_scheduler.Now() + m_timing.updateWriting);
      break;
    }
  }
}

// Each step counts from the one before, so virtual time that jumps ahead runs them all.
void SimCamera::ScheduleUpdateStep(std::uint64_t generation, bool verifying, Scheduler::TimePoint deadline) {
  m_scheduler.At(deadline, [weak = weak_from_this(), generation, verifying, deadline] {
    auto camera = weak.lock();
    if (!camera) return;
    std::lock_guard lock(camera->m_mutex);
    if (generation != camera->m_generation || camera->m_stopped) return;
    CameraState& state = camera->m_state;
    if (!verifying) {
      state.update.StartVerifying();
      camera->ScheduleUpdateStep(generation, true, deadline + camera->m_timing.updateVerifying);
      return;
    }
    if (const auto version = state.update.Finish(state.rejectFirmware)) {
      const auto& n = version->numbers;
      state.pendingVersion = std::array<int, 4>{static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]),
                                                static_cast<int>(n[3])};
      camera->LogLocked("update done");
    } else {
      camera->LogLocked("update failed");
    }
  });
}

std::optional<std::vector<std::uint8_t>> SimCamera::SearchAnswer(std::uint32_t searchId) const {
  std::lock_guard lock(m_mutex);
  if (!m_up) return std::nullopt;
  camera::protocol::SearchAnswer answer;
  answer.searchId = searchId;
  answer.ip = m_state.Ip();
  answer.netmask = std::string(FieldText(m_state.net.netmask));
  answer.gateway = std::string(FieldText(m_state.net.gateway));
  answer.port = m_state.Port();
  answer.value = m_state.hardwareType;
  answer.idLow = m_state.idLow;
  answer.idHigh = m_state.idHigh;
  return answer.Encode();
}

WebReply SimCamera::ServeWeb(std::string_view method, std::string_view target, std::string_view cookies) {
  std::lock_guard lock(m_mutex);
  return ServeWebPage(method, target, cookies, m_state, m_scheduler.Now());
}

void SimCamera::Trigger(int triggerBits) {
  m_scheduler.At(m_scheduler.Now(), [weak = weak_from_this(), triggerBits] {
    if (auto camera = weak.lock()) camera->ReadPlate(triggerBits);
  });
}

void SimCamera::SetPlatesPerMinute(double rate) {
  std::lock_guard lock(m_mutex);
  m_platesPerMinute = rate;
  const std::uint64_t chain = ++m_plateChain;
  if (rate <= 0 || m_stopped) return;
  const auto period = std::chrono::milliseconds(std::max<std::int64_t>(1, static_cast<std::int64_t>(60'000 / rate)));
  SchedulePlate(chain, m_scheduler.Now() + period, period);
}

// Periods count from the previous deadline, so virtual time that jumps ahead reads every plate due.
void SimCamera::SchedulePlate(std::uint64_t chain, Scheduler::TimePoint deadline, std::chrono::milliseconds period) {
  m_scheduler.At(deadline, [weak = weak_from_this(), chain, deadline, period] {
    auto camera = weak.lock();
    if (!camera) return;
    {
      std::lock_guard lock(camera->m_mutex);
      if (chain != camera->m_plateChain || camera->m_stopped) return;
      camera->SchedulePlate(chain, deadline + period, period);
    }
    camera->ReadPlate(camera->NextPeriodicTrigger());
  });
}

// Periodic readings take turns among the automatic triggers, now and then two at once.
int SimCamera::NextPeriodicTrigger() {
  static constexpr int kTriggers[] = {CAMERACLIENT_TRIGGER_STABLE, CAMERACLIENT_TRIGGER_LOOP, CAMERACLIENT_TRIGGER_IO,
                                      CAMERACLIENT_TRIGGER_STABLE | CAMERACLIENT_TRIGGER_LOOP};
  std::lock_guard lock(m_mutex);
  return kTriggers[m_platesRead % std::size(kTriggers)];
}

void SimCamera::ReadPlate(int triggerBits) {
  SyntheticPlate plate;
  bool hidden = false;
  {
    std::lock_guard lock(m_mutex);
    if (!m_up || m_stopped) return;
    plate = m_generator.Next();
    // Every seventh car shows a plate the camera cannot make out.
    hidden = (m_platesRead + 1) % 7 == 0;
  }
  ReportPlate(plate, triggerBits, hidden);
}

os::LocalTime SimCamera::LocalNow() const { return m_scheduler.Clock().LocalNow(); }

CameraClientPlateResult SimCamera::FileReadingLocked(const SyntheticPlate& plate, int triggerBits, bool hidden,
                                                     const os::LocalTime& time, const PlateShot& shot,
                                                     std::shared_ptr<const std::vector<std::uint8_t>> jpeg) {
  const int confidence = 85 + static_cast<int>(m_platesRead % 15);
  ++m_platesRead;
  const CameraClientPlateResult result =
      MakePlateResult(plate, hidden, triggerBits, m_state.plates.NextId(), time, shot.plate, confidence);
  m_state.plates.Add(PlateRecord{result, QueryTriggerOf(triggerBits), std::move(jpeg)});
  return result;
}

void SimCamera::StorePlateRecord(const SyntheticPlate& plate, int triggerBits, bool hidden,
                                 const os::LocalTime& time) {
  PlateShot shot = RenderPlateShot(plate, TimeText(time));
  auto jpeg = std::make_shared<const std::vector<std::uint8_t>>(std::move(shot.jpeg));
  std::lock_guard lock(m_mutex);
  FileReadingLocked(plate, triggerBits, hidden, time, shot, std::move(jpeg));
}

void SimCamera::ReportPlate(const SyntheticPlate& plate, int triggerBits, bool hidden) {
  const os::LocalTime time = m_scheduler.Clock().LocalNow();
  PlateShot shot = RenderPlateShot(plate, TimeText(time));
  auto jpeg = std::make_shared<const std::vector<std::uint8_t>>(std::move(shot.jpeg));
  CameraClientPlateResult result;
  std::vector<std::pair<std::shared_ptr<ControlSession>, bool>> receivers;
  {
    std::lock_guard lock(m_mutex);
    if (!m_up || m_stopped) return;
    result = FileReadingLocked(plate, triggerBits, hidden, time, shot, jpeg);
    m_lastPlate = plate;
    for (const auto& [connection, link] : m_sessions) {
      if (!link.plates) continue;
      const bool pictures = *link.plates && !m_state.platePicturesMissing;
      if (auto session = link.session.lock()) receivers.emplace_back(std::move(session), pictures);
    }
  }
  std::shared_ptr<const std::vector<std::uint8_t>> withClip;
  std::shared_ptr<const std::vector<std::uint8_t>> withoutClip;
  for (const auto& [session, pictures] : receivers) {
    auto& frame = pictures ? withClip : withoutClip;
    if (!frame) {
      camera::protocol::PlateEvent event{result, pictures ? *jpeg : std::vector<std::uint8_t>{}};
      frame = EventFrame(Operation::PlateEvent, event.Encode());
    }
    session->SendEvent(frame, false);
  }
}

std::string SimCamera::CaptionLocked() const {
  return TimeText(m_scheduler.Clock().LocalNow()) + "  " + m_state.Ip();
}

bool SimCamera::VideoFormat(int stream, VideoSource::Format& format) {
  std::lock_guard lock(m_mutex);
  if (!m_up) return false;
  const CameraSettings& settings = m_state.settings;
  format.size = stream == 0 ? MainStreamSize(settings, m_state.hardwareType) : SubStreamSize(settings, m_state.hardwareType);
  format.frameRate = stream == 0 ? MainStreamFrameRate(settings, m_state.hardwareType)
                                 : std::clamp(settings.streams[1].frameRate, 1, 25);
  format.plateUtf8 = m_lastPlate.text;
  format.plateColour = PlateColourOf(m_lastPlate);
  format.captionUtf8 = CaptionLocked();
  return true;
}

void SimCamera::DeliverVideo(int stream, std::uint32_t number, int width, int height, std::vector<std::uint8_t> jpeg) {
  std::vector<std::shared_ptr<ControlSession>> receivers;
  {
    std::lock_guard lock(m_mutex);
    for (const auto& [connection, link] : m_sessions) {
      if (link.videoStream != stream) continue;
      if (auto session = link.session.lock()) receivers.push_back(std::move(session));
    }
  }
  if (receivers.empty()) return;
  camera::protocol::VideoFrameEvent event{number, width, height, std::move(jpeg)};
  const auto frame = EventFrame(Operation::VideoFrame, event.Encode());
  for (const auto& session : receivers) session->SendEvent(frame, true);
}

}  // namespace camsim
