#pragma once
// Everything of a camera that travels through the configuration file, written and read through
// the camera library, so that the same checks run over the fake library and the simulator.

#include <cstdint>
#include <string>

#include "cameraclient/CameraClient.h"

struct CameraSettings {
  std::uint32_t recognitionType = 0;
  std::uint32_t triggerType = 0;
  CameraClientDrawMode drawMode{};
  CameraClientOsdParam osd{};
  CameraClientIoOutput output{};
  int frameSize = 0, frameRate = 0, encodeType = 0, rateControl = 0, bitRate = 0, videoQuality = 0;
  int brightness = 0, contrast = 0, saturation = 0, hue = 0, flicker = 0, shutter = 0, flip = 0;
  CameraClientVirtualLoops loops{};
  int whiteListEnable = 0, fuzzy = 0, fuzzyLength = 0;
  std::uint8_t fuzzyChinese = 0;
  CameraClientSerialParam serial[2]{};
  int provinceIndex = 0;
  CameraClientSerialPush push{};
  char realShow[8]{};
  char ntpServer[17]{};
  std::uint8_t ntpEnable = 0;
  int ntpInterval = 0;
  CameraClientRegion region{};
};

// A value in every field, GBK texts included, within the ranges of a camera of hardware type 0.
CameraSettings SampleCameraSettings();
// Other values in many fields (the loop with a shape of its own): a camera that an import
// must change.
CameraSettings OtherCameraSettings();
// Sets them all; true when every Set call succeeded.
bool WriteCameraSettings(CameraClientHandle handle, const CameraSettings& settings);
// Reads them all; false when a Get call failed.
bool ReadCameraSettings(CameraClientHandle handle, CameraSettings& settings);

// The names of the fields in which two cameras differ, the virtual loop's shape left aside
// (an import keeps the target's own shape); empty when they agree.
std::string SettingsDifferences(const CameraSettings& expected, const CameraSettings& actual);

template <typename Record>
std::string RecordBytes(const Record& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}
