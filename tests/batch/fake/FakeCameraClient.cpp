#include "tests/batch/fake/FakeCameraClient.h"

#include "platform/os/File.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <sstream>

namespace {

FakeCameraNetwork& Network() { return FakeCameraNetwork::Instance(); }

template <std::size_t N>
void PutText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

template <typename T, typename... Rest>
std::string Args(const T& first, const Rest&... rest) {
  std::ostringstream text;
  text << first;
  ((text << "," << rest), ...);
  return text.str();
}

template <typename Record>
int GetRecord(CameraClientHandle handle, const char* op, Record* out, Record FakeCamera::*member) {
  return Network().Call(handle, op, "", [&](FakeCamera& camera) { *out = camera.*member; });
}

template <typename Record>
int SetRecord(CameraClientHandle handle, const char* op, const Record* in, Record FakeCamera::*member) {
  return Network().Call(handle, op, "", [&](FakeCamera& camera) { camera.*member = *in; });
}

template <typename Value>
int GetValue(CameraClientHandle handle, const char* op, Value* out, Value FakeCamera::*member) {
  return Network().Call(handle, op, "", [&](FakeCamera& camera) { *out = camera.*member; });
}

template <typename Value>
int SetValue(CameraClientHandle handle, const char* op, Value value, Value FakeCamera::*member) {
  return Network().Call(handle, op, Args(+value), [&](FakeCamera& camera) { camera.*member = value; });
}

}  // namespace

FakeCameraNetwork& FakeCameraNetwork::Instance() {
  static FakeCameraNetwork* const network = new FakeCameraNetwork;
  return *network;
}

void FakeCameraNetwork::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_cameras.clear();
  m_handles.clear();
}

FakeCamera& FakeCameraNetwork::Add(const std::string& ip, int port) {
  std::lock_guard<std::mutex> lock(m_mutex);
  auto camera = std::make_unique<FakeCamera>();
  camera->ip = ip;
  camera->port = port;
  PutText(camera->net.ip, ip);
  PutText(camera->net.netmask, "255.255.255.0");
  PutText(camera->net.gateway, "127.0.10.254");
  PutText(camera->net.dns, "127.0.10.253");
  camera->net.port = static_cast<std::uint16_t>(port);
  PutText(camera->province.list, "京津沪渝冀豫云辽黑湘皖鲁新苏浙赣鄂桂甘晋蒙陕吉闽贵粤青藏川宁琼");
  m_cameras.push_back(std::move(camera));
  return *m_cameras.back();
}

FakeCamera* FakeCameraNetwork::Find(const std::string& ip, int port) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const auto& camera : m_cameras) {
    if (camera->ip == ip && camera->port == port) return camera.get();
  }
  return nullptr;
}

int FakeCameraNetwork::OpenHandles() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return static_cast<int>(m_handles.size());
}

CameraClientHandle FakeCameraNetwork::Open(const std::string& ip, int port, const std::string& user,
                                           const std::string& password) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (const auto& camera : m_cameras) {
    if (camera->ip != ip || camera->port != port) continue;
    camera->calls.push_back("Open(" + user + "," + password + ")");
    if (camera->refuseLogin || camera->user != user || camera->password != password) return 0;
    const CameraClientHandle handle = m_nextHandle++;
    m_handles.emplace_back(handle, camera.get());
    return handle;
  }
  return 0;
}

int FakeCameraNetwork::Close(CameraClientHandle handle) {
  std::lock_guard<std::mutex> lock(m_mutex);
  for (auto it = m_handles.begin(); it != m_handles.end(); ++it) {
    if (it->first != handle) continue;
    it->second->calls.push_back("Close()");
    m_handles.erase(it);
    return 0;
  }
  return -1;
}

FakeCamera* FakeCameraNetwork::CameraOfLocked(CameraClientHandle handle) {
  for (const auto& [open, camera] : m_handles) {
    if (open == handle) return camera;
  }
  return nullptr;
}

extern "C" {

CameraClientHandle CameraClient_Open(const char* ip, int port, const char* user, const char* password) {
  return Network().Open(ip, port, user, password);
}

int CameraClient_Close(CameraClientHandle handle) { return Network().Close(handle); }

int CameraClient_GetHardwareType(CameraClientHandle handle, int* type) {
  return GetValue(handle, "GetHardwareType", type, &FakeCamera::hardwareType);
}

int CameraClient_GetFirmwareVersion(CameraClientHandle handle, int* a, int* b, int* c, int* d) {
  int readable = 1;
  const int result = Network().Call(handle, "GetFirmwareVersion", "", [&](FakeCamera& camera) {
    readable = camera.versionReadable;
    if (!readable) return;
    *a = camera.version[0];
    *b = camera.version[1];
    *c = camera.version[2];
    *d = camera.version[3];
  });
  return readable ? result : -1;
}

// A test image is a file holding "a.b.c.d".
int CameraClient_GetImageFileVersion(const char* path, int* a, int* b, int* c, int* d) {
  const std::optional<std::string> bytes = os::ReadWholeFile(path);
  if (!bytes) return -1;
  std::istringstream file(*bytes);
  int parts[4];
  char dot[3];
  if (!(file >> parts[0] >> dot[0] >> parts[1] >> dot[1] >> parts[2] >> dot[2] >> parts[3])) return -1;
  *a = parts[0];
  *b = parts[1];
  *c = parts[2];
  *d = parts[3];
  return 0;
}

int CameraClient_GetRecognitionType(CameraClientHandle handle, uint32_t* bits) {
  return GetValue(handle, "GetRecognitionType", bits, &FakeCamera::recognitionType);
}
int CameraClient_SetRecognitionType(CameraClientHandle handle, uint32_t bits) {
  return SetValue(handle, "SetRecognitionType", bits, &FakeCamera::recognitionType);
}
int CameraClient_GetTriggerType(CameraClientHandle handle, uint32_t* bits) {
  return GetValue(handle, "GetTriggerType", bits, &FakeCamera::triggerType);
}
int CameraClient_SetTriggerType(CameraClientHandle handle, uint32_t bits) {
  return SetValue(handle, "SetTriggerType", bits, &FakeCamera::triggerType);
}
int CameraClient_GetDrawMode(CameraClientHandle handle, CameraClientDrawMode* mode) {
  return GetRecord(handle, "GetDrawMode", mode, &FakeCamera::drawMode);
}
int CameraClient_SetDrawMode(CameraClientHandle handle, const CameraClientDrawMode* mode) {
  return SetRecord(handle, "SetDrawMode", mode, &FakeCamera::drawMode);
}
int CameraClient_GetOsdParam(CameraClientHandle handle, CameraClientOsdParam* param) {
  return GetRecord(handle, "GetOsdParam", param, &FakeCamera::osd);
}
int CameraClient_SetOsdParam(CameraClientHandle handle, const CameraClientOsdParam* param) {
  return SetRecord(handle, "SetOsdParam", param, &FakeCamera::osd);
}
int CameraClient_GetIoOutput(CameraClientHandle handle, CameraClientIoOutput* output) {
  return GetRecord(handle, "GetIoOutput", output, &FakeCamera::output);
}
int CameraClient_SetIoOutput(CameraClientHandle handle, const CameraClientIoOutput* output) {
  return SetRecord(handle, "SetIoOutput", output, &FakeCamera::output);
}
int CameraClient_GetFrameSize(CameraClientHandle handle, int* size) {
  return GetValue(handle, "GetFrameSize", size, &FakeCamera::frameSize);
}
int CameraClient_SetFrameSize(CameraClientHandle handle, int size) {
  return SetValue(handle, "SetFrameSize", size, &FakeCamera::frameSize);
}
int CameraClient_GetFrameRate(CameraClientHandle handle, int* rate) {
  return GetValue(handle, "GetFrameRate", rate, &FakeCamera::frameRate);
}
int CameraClient_SetFrameRate(CameraClientHandle handle, int rate) {
  return SetValue(handle, "SetFrameRate", rate, &FakeCamera::frameRate);
}
int CameraClient_GetEncodeType(CameraClientHandle handle, int* type) {
  return GetValue(handle, "GetEncodeType", type, &FakeCamera::encodeType);
}
int CameraClient_SetEncodeType(CameraClientHandle handle, int type) {
  return SetValue(handle, "SetEncodeType", type, &FakeCamera::encodeType);
}
int CameraClient_GetRateControl(CameraClientHandle handle, int* mode) {
  return GetValue(handle, "GetRateControl", mode, &FakeCamera::rateControl);
}
int CameraClient_SetRateControl(CameraClientHandle handle, int mode) {
  return SetValue(handle, "SetRateControl", mode, &FakeCamera::rateControl);
}
int CameraClient_GetBitRate(CameraClientHandle handle, int* bitRate, int* second) {
  return Network().Call(handle, "GetBitRate", "", [&](FakeCamera& camera) {
    *bitRate = camera.bitRate;
    *second = camera.bitRateSecond;
  });
}
int CameraClient_SetBitRate(CameraClientHandle handle, int bitRate) {
  return SetValue(handle, "SetBitRate", bitRate, &FakeCamera::bitRate);
}
int CameraClient_GetVideoQuality(CameraClientHandle handle, int* quality) {
  return GetValue(handle, "GetVideoQuality", quality, &FakeCamera::videoQuality);
}
int CameraClient_SetVideoQuality(CameraClientHandle handle, int quality) {
  return SetValue(handle, "SetVideoQuality", quality, &FakeCamera::videoQuality);
}
int CameraClient_GetImageAdjust(CameraClientHandle handle, int* brightness, int* contrast, int* saturation,
                                int* hue) {
  return Network().Call(handle, "GetImageAdjust", "", [&](FakeCamera& camera) {
    *brightness = camera.brightness;
    *contrast = camera.contrast;
    *saturation = camera.saturation;
    *hue = camera.hue;
  });
}
int CameraClient_SetImageAdjust(CameraClientHandle handle, int brightness, int contrast, int saturation, int hue) {
  return Network().Call(handle, "SetImageAdjust", Args(brightness, contrast, saturation, hue), [&](FakeCamera& camera) {
    camera.brightness = brightness;
    camera.contrast = contrast;
    camera.saturation = saturation;
    camera.hue = hue;
  });
}
int CameraClient_GetFlickerFrequency(CameraClientHandle handle, int* index) {
  return GetValue(handle, "GetFlickerFrequency", index, &FakeCamera::flicker);
}
int CameraClient_SetFlickerFrequency(CameraClientHandle handle, int index) {
  return SetValue(handle, "SetFlickerFrequency", index, &FakeCamera::flicker);
}
int CameraClient_GetShutter(CameraClientHandle handle, int* shutter) {
  return GetValue(handle, "GetShutter", shutter, &FakeCamera::shutter);
}
int CameraClient_SetShutter(CameraClientHandle handle, int shutter) {
  return SetValue(handle, "SetShutter", shutter, &FakeCamera::shutter);
}
int CameraClient_GetFlip(CameraClientHandle handle, int* flip) {
  return GetValue(handle, "GetFlip", flip, &FakeCamera::flip);
}
int CameraClient_SetFlip(CameraClientHandle handle, int flip) {
  return SetValue(handle, "SetFlip", flip, &FakeCamera::flip);
}
int CameraClient_GetNoiseReduction(CameraClientHandle handle, int* mode, int* strength) {
  return Network().Call(handle, "GetNoiseReduction", "", [&](FakeCamera& camera) {
    *mode = camera.dnMode;
    *strength = camera.dnStrength;
  });
}
int CameraClient_SetNoiseReduction(CameraClientHandle handle, int mode, int strength) {
  return Network().Call(handle, "SetNoiseReduction", Args(mode, strength), [&](FakeCamera& camera) {
    camera.dnMode = mode;
    camera.dnStrength = strength;
  });
}
int CameraClient_GetVirtualLoops(CameraClientHandle handle, CameraClientVirtualLoops* loops) {
  return GetRecord(handle, "GetVirtualLoops", loops, &FakeCamera::loops);
}
int CameraClient_SetVirtualLoops(CameraClientHandle handle, const CameraClientVirtualLoops* loops) {
  return SetRecord(handle, "SetVirtualLoops", loops, &FakeCamera::loops);
}
int CameraClient_GetWhiteListEnable(CameraClientHandle handle, int* enable) {
  return GetValue(handle, "GetWhiteListEnable", enable, &FakeCamera::whiteListEnable);
}
int CameraClient_SetWhiteListEnable(CameraClientHandle handle, int enable) {
  return SetValue(handle, "SetWhiteListEnable", enable, &FakeCamera::whiteListEnable);
}
int CameraClient_GetWhiteListFuzzy(CameraClientHandle handle, int* fuzzy, int* fuzzyLength, uint8_t* fuzzyChinese) {
  return Network().Call(handle, "GetWhiteListFuzzy", "", [&](FakeCamera& camera) {
    *fuzzy = camera.fuzzy;
    *fuzzyLength = camera.fuzzyLength;
    *fuzzyChinese = camera.fuzzyChinese;
  });
}
int CameraClient_SetWhiteListFuzzy(CameraClientHandle handle, int fuzzy, int fuzzyLength, int fuzzyChinese) {
  return Network().Call(handle, "SetWhiteListFuzzy", Args(fuzzy, fuzzyLength, fuzzyChinese), [&](FakeCamera& camera) {
    camera.fuzzy = fuzzy;
    camera.fuzzyLength = fuzzyLength;
    camera.fuzzyChinese = static_cast<std::uint8_t>(fuzzyChinese);
  });
}
int CameraClient_GetNetParam(CameraClientHandle handle, CameraClientNetParam* param) {
  return GetRecord(handle, "GetNetParam", param, &FakeCamera::net);
}
// Like a camera: it answers at the new address at once.
int CameraClient_SetNetParam(CameraClientHandle handle, const CameraClientNetParam* param) {
  return Network().Call(handle, "SetNetParam", "", [&](FakeCamera& camera) {
    camera.net = *param;
    camera.ip = std::string(param->ip, strnlen(param->ip, sizeof param->ip));
    camera.port = param->port;
  });
}
int CameraClient_GetSerialParam(CameraClientHandle handle, int port, CameraClientSerialParam* param) {
  return Network().Call(handle, "GetSerialParam", Args(port), [&](FakeCamera& camera) { *param = camera.serial[port & 1]; });
}
int CameraClient_SetSerialParam(CameraClientHandle handle, int port, const CameraClientSerialParam* param) {
  return Network().Call(handle, "SetSerialParam", Args(port), [&](FakeCamera& camera) { camera.serial[port & 1] = *param; });
}
int CameraClient_GetProvinceInfo(CameraClientHandle handle, CameraClientProvinceInfo* info) {
  return GetRecord(handle, "GetProvinceInfo", info, &FakeCamera::province);
}
int CameraClient_SetDefaultProvince(CameraClientHandle handle, int index) {
  return Network().Call(handle, "SetDefaultProvince", Args(index),
                        [&](FakeCamera& camera) { camera.province.currentIndex = index; });
}
int CameraClient_GetSerialPushConfig(CameraClientHandle handle, CameraClientSerialPush* push) {
  return GetRecord(handle, "GetSerialPushConfig", push, &FakeCamera::push);
}
int CameraClient_SetSerialPushConfig(CameraClientHandle handle, const CameraClientSerialPush* push) {
  return SetRecord(handle, "SetSerialPushConfig", push, &FakeCamera::push);
}
int CameraClient_GetRealShowText(CameraClientHandle handle, char text[8]) {
  return Network().Call(handle, "GetRealShowText", "", [&](FakeCamera& camera) { std::memcpy(text, camera.realShow, 8); });
}
int CameraClient_SetRealShowText(CameraClientHandle handle, const char text[8]) {
  return Network().Call(handle, "SetRealShowText", "", [&](FakeCamera& camera) { std::memcpy(camera.realShow, text, 8); });
}
int CameraClient_GetNtpParam(CameraClientHandle handle, char server[17], uint8_t* enable, int* interval) {
  return Network().Call(handle, "GetNtpParam", "", [&](FakeCamera& camera) {
    std::memcpy(server, camera.ntpServer, 17);
    *enable = camera.ntpEnable;
    *interval = camera.ntpInterval;
  });
}
int CameraClient_SetNtpParam(CameraClientHandle handle, const char* server, uint8_t enable, int interval) {
  return Network().Call(handle, "SetNtpParam", Args(server, +enable, interval), [&](FakeCamera& camera) {
    std::memset(camera.ntpServer, 0, sizeof camera.ntpServer);
    std::memcpy(camera.ntpServer, server, strnlen(server, 16));
    camera.ntpEnable = enable;
    camera.ntpInterval = interval;
  });
}
int CameraClient_GetRecognitionRegion(CameraClientHandle handle, CameraClientRegion* region) {
  return GetRecord(handle, "GetRecognitionRegion", region, &FakeCamera::region);
}
int CameraClient_SetRecognitionRegion(CameraClientHandle handle, const CameraClientRegion* region) {
  return SetRecord(handle, "SetRecognitionRegion", region, &FakeCamera::region);
}

}  // extern "C"
