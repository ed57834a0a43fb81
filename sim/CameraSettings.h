#pragma once
// Every setting a camera keeps. Records are kept exactly as a client last set them.

#include <array>
#include <cstdint>
#include <string>

#include "cameraclient/CameraClient.h"

namespace camsim {

struct CameraSettings {
  // Video encoding: families 0 and 2 (one value per call), family 3 (a record per stream).
  int frameSize = 3;  // family 0: 1 = 352x288, 0 = 704x576, 2 = 1280x720, 3 = 1920x1080
  int resolution = 1920 * 65536 + 1080;
  int frameRate = 25;
  int encodeType = 0;
  int rateControl = 0;
  int bitRate = 4096;
  int bitRateSecond = 0;
  int videoQuality = 3;
  std::array<CameraClientStreamConfig, 2> streams{};
  CameraClientStreamCapability capability{};

  // Image. GetImageAdjust and SetImageAdjust use the first, second, third and hue fields.
  CameraClientImageAdjust imageAdjust{};
  int flickerFrequency = 1;
  int shutter = 3;
  int flip = 0;
  int noiseMode = 3;
  int noiseStrength = 1;

  // On-screen texts.
  CameraClientOsdParam osd{};
  CameraClientOsdOverlay overlay{};
  char realShowText[8] = {};

  // Rules, regions, lens.
  CameraClientPolygonRules polygonRules{};
  CameraClientRegion region{};
  CameraClientVirtualLoops virtualLoops{};
  int lensMode = 0;
  int lensSmall = 0;
  int lensDepth = 0;
  int lensCommand = 0;
  int installDistance = 0;

  // Outputs, recognition, serial ports.
  CameraClientIoOutput ioOutput{};
  std::uint32_t recognitionType = 0;
  std::uint32_t triggerType = 0;
  CameraClientDrawMode drawMode{};
  std::array<CameraClientSerialParam, 2> serial{};
  CameraClientSerialPush serialPush{};

  // Fill light and province.
  int ledLevel = 3;
  int ledMaximum = 7;
  int ledMode = 0;
  CameraClientLedSchedule ledSchedule{};
  CameraClientProvinceInfo province{};

  // Whitelist behaviour.
  int whiteListEnable = 1;
  int whiteListFuzzy = 0;
  int whiteListFuzzyLength = 0;
  int whiteListFuzzyChinese = 0;

  // Time.
  std::string ntpServer;  // at most 16 bytes
  std::uint8_t ntpEnable = 0;
  int ntpInterval = 60;
};

// What a camera of this hardware type and model holds when it leaves the factory.
CameraSettings DefaultSettings(int hardwareType);

// The width and height of the main stream as the settings of this hardware type choose it.
struct VideoSize {
  int width = 0;
  int height = 0;
};
VideoSize MainStreamSize(const CameraSettings& settings, int hardwareType);
VideoSize SubStreamSize(const CameraSettings& settings, int hardwareType);
int MainStreamFrameRate(const CameraSettings& settings, int hardwareType);

// Frame size index of family 0 to pixels; {0, 0} for an unknown index.
VideoSize FrameSizeOfIndex(int index);
// width * 65536 + height to pixels; {0, 0} when either is 0 or too large.
VideoSize SizeOfResolution(int resolution);

}  // namespace camsim
