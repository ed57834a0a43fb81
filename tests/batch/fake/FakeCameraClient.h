#pragma once
// A camera client library for tests: the operations of the configuration file, the device
// record and the version map, over cameras held in memory. Each call is logged by name with its
// values; an operation can be made to fail. Linked instead of the real library.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "cameraclient/CameraClient.h"

struct FakeCamera {
  std::string ip;
  int port = 0;
  std::string user = "qorvt";
  std::string password = "qorvt";
  bool refuseLogin = false;
  int hardwareType = 0;
  bool versionReadable = true;
  std::array<int, 4> version{5, 1, 7, 3};
  std::set<std::string> failing;  // operation names without "CameraClient_"; they return -1

  std::uint32_t recognitionType = 0;
  std::uint32_t triggerType = 0;
  CameraClientDrawMode drawMode{};
  CameraClientOsdParam osd{};
  CameraClientIoOutput output{};
  int frameSize = 0, frameRate = 0, encodeType = 0, rateControl = 0, bitRate = 0, bitRateSecond = 0;
  int videoQuality = 0, brightness = 0, contrast = 0, saturation = 0, hue = 0;
  int flicker = 0, shutter = 0, flip = 0, dnMode = 0, dnStrength = 0;
  CameraClientVirtualLoops loops{};
  int whiteListEnable = 0, fuzzy = 0, fuzzyLength = 0;
  std::uint8_t fuzzyChinese = 0;
  CameraClientNetParam net{};
  CameraClientSerialParam serial[2]{};
  CameraClientProvinceInfo province{};
  CameraClientSerialPush push{};
  char realShow[8]{};
  char ntpServer[17]{};
  std::uint8_t ntpEnable = 0;
  int ntpInterval = 0;
  CameraClientRegion region{};

  std::vector<std::string> calls;  // "SetFrameSize(3)", in call order
};

// The cameras the fake library reaches, by address. Tests reset it in SetUp.
class FakeCameraNetwork {
 public:
  static FakeCameraNetwork& Instance();
  void Reset();
  // A camera at ip:port with the default login; its net record holds that address, a netmask,
  // gateway and DNS server, and its province list the 31 provinces.
  FakeCamera& Add(const std::string& ip, int port);
  FakeCamera* Find(const std::string& ip, int port);
  int OpenHandles() const;

  CameraClientHandle Open(const std::string& ip, int port, const std::string& user, const std::string& password);
  int Close(CameraClientHandle handle);
  // Runs one operation on the handle's camera: logs "op(args)", then fails when the handle is
  // not open or the operation is made to fail, else runs `body` and succeeds.
  template <typename Body>
  int Call(CameraClientHandle handle, const std::string& op, const std::string& args, Body&& body) {
    std::lock_guard<std::mutex> lock(m_mutex);
    FakeCamera* camera = CameraOfLocked(handle);
    if (camera == nullptr) return -1;
    camera->calls.push_back(op + "(" + args + ")");
    if (camera->failing.count(op) != 0) return -1;
    body(*camera);
    return 0;
  }

 private:
  FakeCamera* CameraOfLocked(CameraClientHandle handle);

  mutable std::mutex m_mutex;
  std::vector<std::unique_ptr<FakeCamera>> m_cameras;
  std::vector<std::pair<CameraClientHandle, FakeCamera*>> m_handles;
  CameraClientHandle m_nextHandle = 100;
};
