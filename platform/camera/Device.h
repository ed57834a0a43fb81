#pragma once
// One open handle: its connection to the camera, its callbacks and its plays.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"
#include "platform/camera/CallbackSlot.h"
#include "platform/camera/CameraLink.h"
#include "platform/camera/protocol/Operation.h"
#include "platform/camera/protocol/PlateMessages.h"

namespace camera {

class EventDispatcher;
class ImageRegistry;
class VideoPipeline;

class Device {
 public:
  Device(CameraClientHandle handle, CameraAddress address, Credentials credentials, ImageRegistry& images,
         LinkThreads threads);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // Connects and logs in; false when the camera cannot be reached or refuses the login.
  bool Open();
  // Ends the connection, every play and every callback; see CameraClient_Close.
  void Close();

  CameraClientHandle Handle() const { return m_handle; }

  // One exchange with the camera (see CameraLink::Call).
  std::optional<std::vector<std::uint8_t>> Call(protocol::Operation operation,
                                                std::span<const std::uint8_t> payload = {});
  // Whether the camera answers now; reconnects first when the connection is down.
  bool Answers();
  // After the camera took a new address: the next connection goes there.
  void MoveTo(CameraAddress address);

  // The mode the second login is made for (from the camera's encryption info).
  void ApplyEncryptMode(std::int32_t mode);
  bool LoginEncrypted(const std::string& password);
  // Change the camera's encryption through this handle; its new connections log in accordingly.
  bool SetEncryptMode(const std::string& password, std::int32_t mode);
  // `operation`: SetEncryptPassword (from the old password) or ResetEncryptPassword (from the master one).
  bool ChangeEncryptPassword(protocol::Operation operation, const std::string& current, const std::string& replacement);

  bool SetPlateCallback(CameraClientPlateCallback callback, void* user, bool withPictures);
  void SetQueryCallback(CameraClientQueryCallback callback, void* user);
  std::uint64_t QueryGeneration() const;
  // Records asked while `generation` was in force (see EventDispatcher::PostQueryRecords).
  void PostQueryRecords(std::vector<protocol::PlateQueryRecord> records, std::uint64_t generation);
  CallbackSlot<CameraClientWhiteListCallback>& WhiteListCallback() { return m_whiteListCallback; }

  bool StartPlay(CameraClientPlayHandle play, HWND window, int stream);
  void StopPlay(CameraClientPlayHandle play);
  void SetFrameCallback(CameraClientFrameCallback callback, void* user);

 private:
  struct SecondLogin {
    std::int32_t mode = 0;
    std::string password;
  };
  struct Session {
    std::optional<std::int32_t> appliedMode;
    std::optional<SecondLogin> secondLogin;
    std::optional<std::int32_t> videoStream;  // set while plays run
    std::optional<bool> plates;               // set while subscribed: with pictures or not
  };

  // On an I/O thread: video frames go to the pipeline, plates to the dispatcher; neither blocks.
  void OnEvent(protocol::Frame&& event);
  std::vector<Request> SessionRequests();

  const CameraClientHandle m_handle;
  const std::shared_ptr<EventDispatcher> m_events;
  const std::shared_ptr<VideoPipeline> m_video;
  CallbackSlot<CameraClientWhiteListCallback> m_whiteListCallback;
  std::mutex m_sessionMutex;  // never held across a call to the camera
  Session m_session;
  std::mutex m_playMutex;     // starts and stops of plays, one at a time
  CameraLink m_link;          // last: its events and session setup use the members above
};

}  // namespace camera
