#include "sim/CameraSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/camera/protocol/Limits.h"
#include "platform/os/Charset.h"
#include "sim/PlateGenerator.h"

namespace camsim {
namespace {

constexpr int Resolution(int width, int height) { return width * 65536 + height; }

template <std::size_t N>
void CopyText(char (&field)[N], std::string_view text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

void FillCapability(CameraClientStreamCapability& capability) {
  struct Entry {
    int width;
    int height;
  };
  static constexpr Entry kEntries[] = {{1920, 1080}, {1280, 720}, {704, 576}, {640, 480}, {352, 288}};
  int i = 0;
  for (const Entry& entry : kEntries) {
    capability.resolutions[i].value = Resolution(entry.width, entry.height);
    std::snprintf(capability.resolutions[i].name, sizeof capability.resolutions[i].name, "%d*%d", entry.width,
                  entry.height);
    ++i;
  }
  capability.minBitRate = 256 * 1000;
  capability.maxBitRate = 8192 * 1000;
}

void FillStreams(CameraSettings& settings) {
  settings.streams[0] = CameraClientStreamConfig{0, 0, Resolution(1920, 1080), 25, 0, 0, 4096 * 1000, 3};
  settings.streams[1] = CameraClientStreamConfig{1, 0, Resolution(704, 576), 25, 0, 1, 1024 * 1000, 3};
}

void FillImage(CameraSettings& settings, int hardwareType) {
  CameraClientImageAdjust& adjust = settings.imageAdjust;
  if (hardwareType == 2) {
    adjust.brightness = 128;
    adjust.contrast = 138;
    adjust.saturation = 128;
    adjust.hue = 140;
    settings.shutter = 0x60;
  } else if (hardwareType == 3) {
    adjust.brightness = adjust.contrast = adjust.saturation = adjust.hue = 50;
    adjust.maxGain = 50;
    settings.shutter = 3;
  } else {
    adjust.brightness = 50;
    adjust.contrast = 40;
    adjust.saturation = 30;
    adjust.hue = 50;
    settings.shutter = 3;
  }
}

void FillOsd(CameraSettings& settings) {
  CameraClientOsdParam& osd = settings.osd;
  osd.dstampenable = 1;
  osd.datePosX = 16;
  osd.datePosY = 16;
  osd.tstampenable = 1;
  osd.timeFormat = 1;
  osd.timePosX = 240;
  osd.timePosY = 16;
  osd.nTextEnable = 1;
  osd.nTextPositionX = 16;
  osd.nTextPositionY = 540;
  CopyText(osd.overlaytext, "LPR");
  settings.overlay = CameraClientOsdOverlay{1, 1, 0, 0};
  CopyText(settings.realShowText, "000");
}

void FillRules(CameraSettings& settings, int hardwareType) {
  const std::string loopName = os::Utf8ToGbk("线圈1");
  const bool wide = hardwareType == 2 || hardwareType == 3;
  static constexpr CameraClientPoint kLoop[4] = {{150, 700}, {850, 700}, {950, 850}, {50, 850}};

  CameraClientPolygonRules& rules = settings.polygonRules;
  rules.count = 1;
  rules.rule.id = 1;
  rules.rule.enable = 1;
  rules.rule.draw = 1;
  CopyText(rules.rule.name, loopName);
  std::copy(std::begin(kLoop), std::end(kLoop), rules.rule.points);
  rules.rule.interval = 10;
  rules.rule.maxWidth = wide ? 600 : 400;
  rules.rule.minWidth = wide ? 80 : 45;

  CameraClientVirtualLoops& loops = settings.virtualLoops;
  loops.count = 1;
  CameraClientVirtualLoop& loop = loops.loops[0];
  loop.id = 1;
  loop.byEnable = 1;
  loop.byDraw = 1;
  CopyText(loop.strName, loopName);
  std::copy(std::begin(kLoop), std::end(kLoop), loop.points);
  loop.uTriggerTimeGap = 10;
  loop.uMaxLPWidth = wide ? 600 : 400;
  loop.uMinLPWidth = wide ? 80 : 45;

  static constexpr CameraClientPoint kRegion[4] = {{50, 50}, {950, 50}, {990, 990}, {10, 990}};
  settings.region.byEnable = 1;
  settings.region.byDraw = 1;
  settings.region.uNumVertex = 4;
  std::copy(std::begin(kRegion), std::end(kRegion), settings.region.vertices);
}

void FillOutputs(CameraSettings& settings) {
  for (int i = 0; i < 8; ++i) settings.ioOutput.entries[i].eInputType = i;
  settings.ioOutput.entries[0].switchout[0] = 1;
  settings.recognitionType = 0x3;
  settings.triggerType = 0x1;
  settings.drawMode = CameraClientDrawMode{1, 1, 0, 0};
  settings.serial[0] = CameraClientSerialParam{9600, 0, 8, 1};
  settings.serial[1] = CameraClientSerialParam{9600, 0, 8, 1};
  CopyText(settings.serialPush.header, "AA");
  CopyText(settings.serialPush.end, "55");
}

void FillLight(CameraSettings& settings) {
  CameraClientLedSchedule& schedule = settings.ledSchedule;
  schedule.mode = 0;
  const char* bounds[4] = {"00:00:00", "08:00:00", "16:00:00", "23:59:59"};
  for (int i = 0; i < 3; ++i) {
    CopyText(schedule.periods[i].start, bounds[i]);
    CopyText(schedule.periods[i].end, bounds[i + 1]);
    schedule.periods[i].level = i == 1 ? 0 : 2;
    schedule.periods[i].enabled = i == 1 ? 0 : 1;
  }
  CopyText(settings.province.list, os::Utf8ToGbk(ProvinceCharacters()));
  settings.province.currentIndex = 0;
}

}  // namespace

CameraSettings DefaultSettings(int hardwareType) {
  CameraSettings settings;
  settings.bitRate = hardwareType == 2 ? 5000 : 4096;
  FillStreams(settings);
  FillCapability(settings.capability);
  FillImage(settings, hardwareType);
  FillOsd(settings);
  FillRules(settings, hardwareType);
  FillOutputs(settings);
  FillLight(settings);
  settings.ntpServer = "ntp.local";
  return settings;
}

VideoSize FrameSizeOfIndex(int index) {
  switch (index) {
    case 0: return {704, 576};
    case 1: return {352, 288};
    case 2: return {1280, 720};
    case 3: return {1920, 1080};
    default: return {};
  }
}

VideoSize SizeOfResolution(int resolution) {
  const int width = (resolution >> 16) & 0xFFFF;
  const int height = resolution & 0xFFFF;
  if (width <= 0 || height <= 0 || width > camera::protocol::kMaxVideoDimension ||
      height > camera::protocol::kMaxVideoDimension) {
    return {};
  }
  return {width, height};
}

VideoSize MainStreamSize(const CameraSettings& settings, int hardwareType) {
  if (hardwareType == 3) return SizeOfResolution(settings.streams[0].resolution);
  if (hardwareType == 2) return SizeOfResolution(settings.resolution);
  return FrameSizeOfIndex(settings.frameSize);
}

VideoSize SubStreamSize(const CameraSettings& settings, int hardwareType) {
  if (hardwareType == 3) return SizeOfResolution(settings.streams[1].resolution);
  return {352, 288};
}

int MainStreamFrameRate(const CameraSettings& settings, int hardwareType) {
  const int rate = hardwareType == 3 ? settings.streams[0].frameRate : settings.frameRate;
  return std::clamp(rate, 1, 25);
}

}  // namespace camsim
