#include "tests/batch/support/CameraSettings.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

template <std::size_t N>
void PutText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N));
}

// Collects the results of a run of library calls.
class Calls {
 public:
  void operator<<(int result) { m_ok = m_ok && result == 0; }
  bool Ok() const { return m_ok; }

 private:
  bool m_ok = true;
};

// The loop's fields that travel, without its shape.
CameraClientVirtualLoop LoopWithoutShape(const CameraClientVirtualLoop& loop) {
  CameraClientVirtualLoop copy = loop;
  std::memset(copy.points, 0, sizeof copy.points);
  copy.id = 0;
  return copy;
}

}  // namespace

CameraSettings SampleCameraSettings() {
  CameraSettings s;
  s.recognitionType = 0xfffffff0u;
  s.triggerType = 5;
  s.drawMode = {1, 0, 1, 0};
  s.osd = {1, {}, 2, 10, 20, 1, {}, 3, 30, 40, 0, {}, 50, 60, 1, {}, 70, 80, {}};
  PutText(s.osd.overlaytext, "收费站入口");
  for (int i = 0; i < 8; ++i) s.output.entries[i] = {{i, i + 1, 0, 1}, {i % 2, 1}, {0, i}, i};
  s.frameSize = 3;
  s.frameRate = 25;
  s.encodeType = 2;
  s.rateControl = 1;
  s.bitRate = 4096;
  s.videoQuality = 4;
  s.brightness = 55;
  s.contrast = 45;
  s.saturation = 65;
  s.hue = 50;
  s.flicker = 1;
  s.shutter = 3;
  s.flip = 2;
  s.loops.count = 1;
  s.loops.loops[0].byEnable = 1;
  s.loops.loops[0].byDraw = 1;
  PutText(s.loops.loops[0].strName, "入口线圈");
  s.loops.loops[0].points[0] = {100, 500};
  s.loops.loops[0].points[2] = {900, 700};
  s.loops.loops[0].eCrossDir = 2;
  s.loops.loops[0].uTriggerTimeGap = 3;
  s.loops.loops[0].uMaxLPWidth = 400;
  s.loops.loops[0].uMinLPWidth = 80;
  s.whiteListEnable = 1;
  s.fuzzy = 2;
  s.fuzzyLength = 1;
  s.fuzzyChinese = 1;
  s.serial[0] = {9600, 0, 8, 1};
  s.serial[1] = {115200, 2, 7, 2};
  s.provinceIndex = 30;
  PutText(s.push.header, "\x02头");
  PutText(s.push.end, "\x03");
  s.push.fields[0] = {1, 1};
  s.push.fields[1] = {3, 0};
  s.push.fields[2] = {10, 1};
  s.push.fields[3] = {19, 2};
  s.push.fields[4] = {20, 1};
  s.push.fields[5] = {21, 1};
  s.push.voiceSwitch = 1;
  // Voice entries in the byte order of their type names, as the file gives them back.
  s.push.voices[0] = {1, 0, 1, {}, {}};
  PutText(s.push.voices[0].prefix, "欢迎光临");
  s.push.voices[1] = {4, 30, 0, {}, {}};
  PutText(s.push.voices[1].suffix, "天后到期");
  PutText(s.realShow, "ABC");
  PutText(s.ntpServer, "pool.ntp.org");
  s.ntpEnable = 1;
  s.ntpInterval = 3600;
  s.region.byEnable = 1;
  s.region.byDraw = 1;
  s.region.uNumVertex = 4;
  s.region.vertices[0] = {100, 200};
  s.region.vertices[1] = {900, 200};
  s.region.vertices[2] = {900, 800};
  s.region.vertices[3] = {100, 800};
  return s;
}

CameraSettings OtherCameraSettings() {
  CameraSettings other = SampleCameraSettings();
  other.recognitionType = 1;
  other.drawMode.byDspAddRule = 1;
  other.osd.datePosX = 1;
  std::memcpy(other.osd.overlaytext, "出口", 5);
  other.output.entries[3].switchout[0] = 0;
  other.frameRate = 10;
  other.shutter = 2;
  other.brightness = 20;
  other.loops.loops[0].uMaxLPWidth = 300;
  other.loops.loops[0].points[1] = {7, 9};
  other.fuzzy = 0;
  other.serial[0].uBaudRate = 4800;
  other.provinceIndex = 2;
  other.push.fields[1] = {5, 0};
  other.push.voiceSwitch = 0;
  std::memcpy(other.realShow, "Z", 2);
  other.ntpInterval = 60;
  other.region.uNumVertex = 3;
  return other;
}

bool WriteCameraSettings(CameraClientHandle h, const CameraSettings& s) {
  Calls calls;
  calls << CameraClient_SetRecognitionType(h, s.recognitionType);
  calls << CameraClient_SetTriggerType(h, s.triggerType);
  calls << CameraClient_SetDrawMode(h, &s.drawMode);
  calls << CameraClient_SetOsdParam(h, &s.osd);
  calls << CameraClient_SetIoOutput(h, &s.output);
  calls << CameraClient_SetFrameSize(h, s.frameSize);
  calls << CameraClient_SetFrameRate(h, s.frameRate);
  calls << CameraClient_SetEncodeType(h, s.encodeType);
  calls << CameraClient_SetRateControl(h, s.rateControl);
  calls << CameraClient_SetBitRate(h, s.bitRate);
  calls << CameraClient_SetVideoQuality(h, s.videoQuality);
  calls << CameraClient_SetImageAdjust(h, s.brightness, s.contrast, s.saturation, s.hue);
  calls << CameraClient_SetFlickerFrequency(h, s.flicker);
  calls << CameraClient_SetShutter(h, s.shutter);
  calls << CameraClient_SetFlip(h, s.flip);
  calls << CameraClient_SetVirtualLoops(h, &s.loops);
  calls << CameraClient_SetWhiteListEnable(h, s.whiteListEnable);
  calls << CameraClient_SetWhiteListFuzzy(h, s.fuzzy, s.fuzzyLength, s.fuzzyChinese);
  calls << CameraClient_SetSerialParam(h, 0, &s.serial[0]);
  calls << CameraClient_SetSerialParam(h, 1, &s.serial[1]);
  calls << CameraClient_SetDefaultProvince(h, s.provinceIndex);
  calls << CameraClient_SetSerialPushConfig(h, &s.push);
  calls << CameraClient_SetRealShowText(h, s.realShow);
  calls << CameraClient_SetNtpParam(h, s.ntpServer, s.ntpEnable, s.ntpInterval);
  calls << CameraClient_SetRecognitionRegion(h, &s.region);
  return calls.Ok();
}

bool ReadCameraSettings(CameraClientHandle h, CameraSettings& s) {
  Calls calls;
  int unused = 0;
  calls << CameraClient_GetRecognitionType(h, &s.recognitionType);
  calls << CameraClient_GetTriggerType(h, &s.triggerType);
  calls << CameraClient_GetDrawMode(h, &s.drawMode);
  calls << CameraClient_GetOsdParam(h, &s.osd);
  calls << CameraClient_GetIoOutput(h, &s.output);
  calls << CameraClient_GetFrameSize(h, &s.frameSize);
  calls << CameraClient_GetFrameRate(h, &s.frameRate);
  calls << CameraClient_GetEncodeType(h, &s.encodeType);
  calls << CameraClient_GetRateControl(h, &s.rateControl);
  calls << CameraClient_GetBitRate(h, &s.bitRate, &unused);
  calls << CameraClient_GetVideoQuality(h, &s.videoQuality);
  calls << CameraClient_GetImageAdjust(h, &s.brightness, &s.contrast, &s.saturation, &s.hue);
  calls << CameraClient_GetFlickerFrequency(h, &s.flicker);
  calls << CameraClient_GetShutter(h, &s.shutter);
  calls << CameraClient_GetFlip(h, &s.flip);
  calls << CameraClient_GetVirtualLoops(h, &s.loops);
  calls << CameraClient_GetWhiteListEnable(h, &s.whiteListEnable);
  calls << CameraClient_GetWhiteListFuzzy(h, &s.fuzzy, &s.fuzzyLength, &s.fuzzyChinese);
  calls << CameraClient_GetSerialParam(h, 0, &s.serial[0]);
  calls << CameraClient_GetSerialParam(h, 1, &s.serial[1]);
  CameraClientProvinceInfo province{};
  calls << CameraClient_GetProvinceInfo(h, &province);
  s.provinceIndex = province.currentIndex;
  calls << CameraClient_GetSerialPushConfig(h, &s.push);
  calls << CameraClient_GetRealShowText(h, s.realShow);
  calls << CameraClient_GetNtpParam(h, s.ntpServer, &s.ntpEnable, &s.ntpInterval);
  calls << CameraClient_GetRecognitionRegion(h, &s.region);
  return calls.Ok();
}

std::string SettingsDifferences(const CameraSettings& e, const CameraSettings& a) {
  std::vector<std::string> differences;
  auto check = [&](bool same, const char* name) {
    if (!same) differences.push_back(name);
  };
  check(e.recognitionType == a.recognitionType, "recognition type");
  check(e.triggerType == a.triggerType, "trigger type");
  check(RecordBytes(e.drawMode) == RecordBytes(a.drawMode), "draw mode");
  check(RecordBytes(e.osd) == RecordBytes(a.osd), "on-screen text");
  check(RecordBytes(e.output) == RecordBytes(a.output), "outputs");
  const int ev[] = {e.frameSize, e.frameRate, e.encodeType, e.rateControl, e.bitRate, e.videoQuality, e.brightness,
                    e.contrast, e.saturation, e.hue, e.flicker, e.shutter, e.flip};
  const int av[] = {a.frameSize, a.frameRate, a.encodeType, a.rateControl, a.bitRate, a.videoQuality, a.brightness,
                    a.contrast, a.saturation, a.hue, a.flicker, a.shutter, a.flip};
  check(std::equal(std::begin(ev), std::end(ev), std::begin(av)), "video");
  check(e.loops.count == a.loops.count, "loop count");
  check(RecordBytes(LoopWithoutShape(e.loops.loops[0])) == RecordBytes(LoopWithoutShape(a.loops.loops[0])), "loop");
  check(e.whiteListEnable == a.whiteListEnable && e.fuzzy == a.fuzzy && e.fuzzyLength == a.fuzzyLength &&
            e.fuzzyChinese == a.fuzzyChinese,
        "whitelist");
  check(RecordBytes(e.serial[0]) == RecordBytes(a.serial[0]), "serial port 0");
  check(RecordBytes(e.serial[1]) == RecordBytes(a.serial[1]), "serial port 1");
  check(e.provinceIndex == a.provinceIndex, "province");
  check(RecordBytes(e.push) == RecordBytes(a.push), "push format");
  check(std::memcmp(e.realShow, a.realShow, sizeof e.realShow) == 0, "real-show text");
  check(std::memcmp(e.ntpServer, a.ntpServer, sizeof e.ntpServer) == 0 && e.ntpEnable == a.ntpEnable &&
            e.ntpInterval == a.ntpInterval,
        "time");
  check(RecordBytes(e.region) == RecordBytes(a.region), "region");
  std::string text;
  for (const std::string& name : differences) text += (text.empty() ? "" : ", ") + name;
  return text;
}
