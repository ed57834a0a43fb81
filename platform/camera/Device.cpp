#include "platform/camera/Device.h"

#include "platform/camera/EventDispatcher.h"
#include "platform/camera/VideoPipeline.h"
#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/PlateMessages.h"
#include "platform/camera/protocol/RecordRules.h"
#include "platform/camera/protocol/SessionMessages.h"
#include "platform/camera/protocol/VideoMessages.h"

namespace camera {
namespace {

// The encryption mode in which the camera demands the second login.
constexpr std::int32_t kSecondLoginMode = 2;

}  // namespace

using protocol::Operation;

Device::Device(CameraClientHandle handle, CameraAddress address, Credentials credentials, ImageRegistry& images,
               LinkThreads threads)
    : m_handle(handle),
      m_events(std::make_shared<EventDispatcher>(handle, images)),
      m_video(std::make_shared<VideoPipeline>(handle)),
      m_link(threads, std::move(address), std::move(credentials),
             [this](protocol::Frame&& event) { OnEvent(std::move(event)); }, [this] { return SessionRequests(); }) {}

Device::~Device() { Close(); }

bool Device::Open() { return m_link.Start(); }

void Device::Close() {
  m_link.Stop();
  m_events->Stop();
  m_video->Stop();
  m_whiteListCallback.Set(nullptr, nullptr);
}

std::optional<std::vector<std::uint8_t>> Device::Call(Operation operation, std::span<const std::uint8_t> payload) {
  return m_link.Call(operation, payload);
}

bool Device::Answers() { return Call(Operation::KeepAlive).has_value(); }

void Device::MoveTo(CameraAddress address) { m_link.MoveTo(std::move(address)); }

void Device::ApplyEncryptMode(std::int32_t mode) {
  std::lock_guard lock(m_sessionMutex);
  m_session.appliedMode = mode;
}

bool Device::LoginEncrypted(const std::string& password) {
  std::optional<std::int32_t> mode;
  {
    std::lock_guard lock(m_sessionMutex);
    mode = m_session.appliedMode;
  }
  if (!mode) return false;
  const protocol::EncryptedLoginRequest request{*mode, password};
  if (!Call(Operation::LoginEncrypted, request.Encode())) return false;
  std::lock_guard lock(m_sessionMutex);
  m_session.secondLogin = SecondLogin{*mode, password};
  return true;
}

// The connection that set mode 2 has shown the user password already; later ones show it again.
bool Device::SetEncryptMode(const std::string& password, std::int32_t mode) {
  const protocol::EncryptModeRequest request{password, mode};
  if (!Call(Operation::SetEncryptMode, request.Encode())) return false;
  std::lock_guard lock(m_sessionMutex);
  if (mode == kSecondLoginMode) {
    m_session.secondLogin = SecondLogin{mode, password};
  } else {
    m_session.secondLogin.reset();
  }
  return true;
}

bool Device::ChangeEncryptPassword(Operation operation, const std::string& current, const std::string& replacement) {
  const protocol::PasswordChangeRequest request{current, replacement};
  if (!Call(operation, request.Encode())) return false;
  std::lock_guard lock(m_sessionMutex);
  if (m_session.secondLogin) m_session.secondLogin->password = replacement;
  return true;
}

bool Device::SetPlateCallback(CameraClientPlateCallback callback, void* user, bool withPictures) {
  m_events->SetPlateCallback(callback, user);
  {
    std::lock_guard lock(m_sessionMutex);
    if (callback != nullptr) {
      m_session.plates = withPictures;
    } else {
      m_session.plates.reset();
    }
  }
  if (callback == nullptr) return !m_link.Connected() || Call(Operation::PlateUnsubscribe).has_value();
  return Call(Operation::PlateSubscribe, protocol::EncodeInt32s({withPictures ? 1 : 0})).has_value();
}

void Device::SetQueryCallback(CameraClientQueryCallback callback, void* user) {
  m_events->SetQueryCallback(callback, user);
}

std::uint64_t Device::QueryGeneration() const { return m_events->QueryGeneration(); }

void Device::PostQueryRecords(std::vector<protocol::PlateQueryRecord> records, std::uint64_t generation) {
  m_events->PostQueryRecords(std::move(records), generation);
}

bool Device::StartPlay(CameraClientPlayHandle play, HWND window, int stream) {
  std::lock_guard playLock(m_playMutex);
  if (m_video->AddPlay(play, window) > 1) return true;
  {
    std::lock_guard lock(m_sessionMutex);
    m_session.videoStream = stream;
  }
  if (Call(Operation::VideoStart, protocol::EncodeInt32s({stream}))) return true;
  m_video->RemovePlay(play);
  std::lock_guard lock(m_sessionMutex);
  m_session.videoStream.reset();
  return false;
}

void Device::StopPlay(CameraClientPlayHandle play) {
  // Not under the play lock: the removal waits for a delivery whose callback may start or stop plays.
  m_video->RemovePlay(play);
  std::lock_guard playLock(m_playMutex);
  if (m_video->PlayCount() > 0) return;
  {
    std::lock_guard lock(m_sessionMutex);
    if (!m_session.videoStream) return;
    m_session.videoStream.reset();
  }
  if (m_link.Connected()) Call(Operation::VideoStop);
}

void Device::SetFrameCallback(CameraClientFrameCallback callback, void* user) {
  m_video->SetFrameCallback(callback, user);
}

void Device::OnEvent(protocol::Frame&& event) {
  if (event.header.operation == Operation::VideoFrame) {
    if (auto frame = protocol::VideoFrameEvent::Decode(event.payload)) m_video->Offer(std::move(*frame));
    return;
  }
  if (event.header.operation == Operation::PlateEvent) {
    auto plate = protocol::PlateEvent::Decode(event.payload);
    if (plate && protocol::IsWellFormed(plate->result)) m_events->PostPlate(std::move(*plate));
  }
}

std::vector<Request> Device::SessionRequests() {
  std::lock_guard lock(m_sessionMutex);
  std::vector<Request> requests;
  if (m_session.secondLogin) {
    const protocol::EncryptedLoginRequest login{m_session.secondLogin->mode, m_session.secondLogin->password};
    requests.push_back({Operation::LoginEncrypted, login.Encode()});
  }
  if (m_session.videoStream) requests.push_back({Operation::VideoStart, protocol::EncodeInt32s({*m_session.videoStream})});
  if (m_session.plates) requests.push_back({Operation::PlateSubscribe, protocol::EncodeInt32s({*m_session.plates ? 1 : 0})});
  return requests;
}

}  // namespace camera
