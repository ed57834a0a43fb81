#include "batch/ConfigSectionAppliers.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include <json/reader.h>
#include <json/value.h>

#include "batch/BatchConstants.h"
#include "common/AddressUtil.h"
#include "common/DecimalText.h"
#include "common/FixedText.h"
#include "configformat/SerialPushJson.h"

namespace {

using namespace BatchConstants;

constexpr int kApplied = 1;
constexpr int kFailed = 0;
constexpr int kEmptySection = 2;
constexpr int kNoiseReductionHardware = 2;
constexpr int kOutputEntries = static_cast<int>(std::extent_v<decltype(CameraClientIoOutput::entries)>);
constexpr std::int64_t kMaxRegionVertices = std::extent_v<decltype(CameraClientRegion::vertices)>;
constexpr std::int64_t kHighestPort = 65535;

// Collects the Set results of one applier: 1 while every call returned 0.
class SetResults {
 public:
  void Add(int setResult) {
    if (setResult != 0) m_failed = true;
  }
  int Result() const { return m_failed ? kFailed : kApplied; }

 private:
  bool m_failed = false;
};

// A member's text read as atol does, stored into the field's width; missing or empty gives 0.
std::int64_t Number(const std::string& text) { return ParseDecimalText(text); }
std::int32_t Int(const std::string& text) { return static_cast<std::int32_t>(Number(text)); }
std::uint32_t UInt(const std::string& text) { return static_cast<std::uint32_t>(Number(text)); }
std::uint8_t Byte(const std::string& text) { return static_cast<std::uint8_t>(Number(text)); }
bool Flag(const std::string& text) { return Number(text) != 0; }

struct FlatReader {
  const ConfigSections& sections;
  FlatSection section;
  const std::string& operator()(const char* name) const { return sections.Value(section, name); }
};

struct ElementReader {
  const ConfigSections& sections;
  IndexedSection section;
  int index;
  const std::string& operator()(const char* name) const { return sections.Value(section, index, name); }
};

CameraClientIoOutputEntry OutputEntry(const ElementReader& member) {
  CameraClientIoOutputEntry entry{};
  entry.eInputType = Int(member(kOutputInputType));
  entry.switchout[0] = Int(member(kOutputSwitchOut1));
  entry.switchout[1] = Int(member(kOutputSwitchOut2));
  entry.switchout[2] = Int(member(kOutputSwitchOut3));
  entry.switchout[3] = Int(member(kOutputSwitchOut4));
  entry.levelout[0] = Int(member(kOutputLevelOut1));
  entry.levelout[1] = Int(member(kOutputLevelOut2));
  entry.rs485out[0] = Int(member(kOutputRs485Out1));
  entry.rs485out[1] = Int(member(kOutputRs485Out2));
  return entry;
}

void SetImageAdjust(SetResults& results, CameraClientHandle handle, const FlatReader& member) {
  results.Add(CameraClient_SetImageAdjust(handle, Int(member(kVideoBrightness)), Int(member(kVideoContrast)),
                                          Int(member(kVideoSaturation)), Int(member(kVideoHue))));
}

}  // namespace

int ApplyBaseParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Base) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Base};
  const CameraClientHandle handle = device->Handle();
  SetResults results;
  results.Add(CameraClient_SetRecognitionType(handle, UInt(member(kBaseRecType))));
  results.Add(CameraClient_SetTriggerType(handle, UInt(member(kBaseTrigType))));
  CameraClientDrawMode drawMode{};
  drawMode.byDspAddTarget = Byte(member(kBaseDspAddTarget));
  drawMode.byDspAddRule = Byte(member(kBaseDspAddRule));
  drawMode.byDspAddTrajectory = Byte(member(kBaseDspAddTrajectory));
  results.Add(CameraClient_SetDrawMode(handle, &drawMode));
  return results.Result();
}

int ApplyOsdParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Osd) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Osd};
  CameraClientOsdParam osd{};
  osd.dstampenable = Byte(member(kOsdDateStampEnable));
  osd.dateFormat = Int(member(kOsdDateFormat));
  osd.datePosX = Int(member(kOsdDatePosX));
  osd.datePosY = Int(member(kOsdDatePosY));
  osd.tstampenable = Byte(member(kOsdTimeStampEnable));
  osd.timeFormat = Int(member(kOsdTimeFormat));
  osd.timePosX = Int(member(kOsdTimePosX));
  osd.timePosY = Int(member(kOsdTimePosY));
  osd.nLogoEnable = Byte(member(kOsdLogoEnable));
  osd.nLogoPositionX = Int(member(kOsdLogoPositionX));
  osd.nLogoPositionY = Int(member(kOsdLogoPositionY));
  osd.nTextEnable = Byte(member(kOsdTextEnable));
  osd.nTextPositionX = Int(member(kOsdTextPositionX));
  osd.nTextPositionY = Int(member(kOsdTextPositionY));
  CopyToField(osd.overlaytext, member(kOsdOverlayText));
  SetResults results;
  results.Add(CameraClient_SetOsdParam(device->Handle(), &osd));
  return results.Result();
}

int ApplyOutputConfig(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(IndexedSection::Output) == 0) return kEmptySection;
  CameraClientIoOutput output{};
  for (int i = 0; i < kOutputEntries; ++i) output.entries[i] = OutputEntry({sections, IndexedSection::Output, i});
  SetResults results;
  results.Add(CameraClient_SetIoOutput(device->Handle(), &output));
  return results.Result();
}

int ApplyVideoParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Video) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Video};
  const CameraClientHandle handle = device->Handle();
  SetResults results;
  results.Add(CameraClient_SetFrameSize(handle, Int(member(kVideoFrameSize))));
  results.Add(CameraClient_SetFrameRate(handle, Int(member(kVideoFrameRate))));
  results.Add(CameraClient_SetEncodeType(handle, Int(member(kVideoEncodeType))));
  results.Add(CameraClient_SetRateControl(handle, Int(member(kVideoMode))));
  results.Add(CameraClient_SetBitRate(handle, Int(member(kVideoBitRate))));
  results.Add(CameraClient_SetVideoQuality(handle, Int(member(kVideoLevel))));
  SetImageAdjust(results, handle, member);
  if (device->HardwareType() == kNoiseReductionHardware) {
    results.Add(CameraClient_SetShutter(handle, Int(member(kVideoShutter))));
    results.Add(CameraClient_SetFlip(handle, Int(member(kVideoFlip))));
    results.Add(CameraClient_SetNoiseReduction(handle, Int(member(kVideoDnMode)), Int(member(kVideoDnStrength))));
  } else {
    results.Add(CameraClient_SetFlickerFrequency(handle, Int(member(kVideoFrequency))));
    results.Add(CameraClient_SetShutter(handle, Int(member(kVideoShutter))));
    results.Add(CameraClient_SetFlip(handle, Int(member(kVideoFlip))));
  }
  return results.Result();
}

int ApplyVirtualLoop(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::VirtualLoop) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::VirtualLoop};
  const CameraClientHandle handle = device->Handle();
  CameraClientVirtualLoops loops{};
  // The loop keeps the shape the camera has: without it, a record would wipe the camera's loop.
  if (CameraClient_GetVirtualLoops(handle, &loops) != 0) return kFailed;
  loops.count = 1;
  CameraClientVirtualLoop& loop = loops.loops[0];
  loop.byDraw = Byte(member(kLoopDraw));
  loop.byEnable = Byte(member(kLoopEnable));
  loop.uTriggerTimeGap = UInt(member(kLoopTriggerTimeGap));
  loop.uMaxLPWidth = UInt(member(kLoopMaxLpWidth));
  loop.uMinLPWidth = UInt(member(kLoopMinLpWidth));
  CopyToField(loop.strName, member(kLoopName));
  loop.eCrossDir = Int(member(kLoopCrossDir));
  SetResults results;
  results.Add(CameraClient_SetVirtualLoops(handle, &loops));
  return results.Result();
}

int ApplyWlistParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Wlist) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Wlist};
  const CameraClientHandle handle = device->Handle();
  SetResults results;
  results.Add(CameraClient_SetWhiteListEnable(handle, Int(member(kWlistEnable))));
  results.Add(CameraClient_SetWhiteListFuzzy(handle, Int(member(kWlistFuzzy)), Int(member(kWlistFuzzyLen)),
                                             Flag(member(kWlistFuzzyCc)) ? 1 : 0));
  return results.Result();
}

int ApplyNetParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Net) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Net};
  // A camera given what is no address, an address it may read as another, or no port, is lost
  // off the network.
  const std::int64_t port = Number(member(kNetPort));
  const bool addresses = IsPlainDottedQuad(member(kNetIp)) && IsPlainDottedQuad(member(kNetNetmask)) &&
                         IsPlainDottedQuad(member(kNetGateway));
  if (!addresses || port < 1 || port > kHighestPort) return kFailed;
  CameraClientNetParam net{};
  CopyToField(net.ip, member(kNetIp));
  net.port = static_cast<std::uint16_t>(port);
  CopyToField(net.dns, member(kNetDns));
  CopyToField(net.gateway, member(kNetGateway));
  CopyToField(net.netmask, member(kNetNetmask));
  if (CameraClient_SetNetParam(device->Handle(), &net) != 0) return kFailed;
  // The camera now answers at the new address: log in there.
  device->CloseDevice();
  device->SetIp(member(kNetIp));
  device->SetPort(net.port);
  device->OpenDevice();
  return kApplied;
}

int ApplySerialParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(IndexedSection::Serial) == 0) return kEmptySection;
  const CameraClientHandle handle = device->Handle();
  SetResults results;
  for (int port = 0; port < 2; ++port) {
    const ElementReader member{sections, IndexedSection::Serial, port};
    CameraClientSerialParam serial{};
    serial.uBaudRate = UInt(member(kSerialBaudRate));
    serial.uDataBits = UInt(member(kSerialDataBits));
    serial.uParity = UInt(member(kSerialParity));
    serial.uStopBit = UInt(member(kSerialStopBit));
    results.Add(CameraClient_SetSerialParam(handle, port, &serial));
  }
  return results.Result();
}

int ApplyProvinceInfo(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Province) == 0) return kEmptySection;
  SetResults results;
  results.Add(CameraClient_SetDefaultProvince(device->Handle(), Int(sections.Value(FlatSection::Province, kProvinceCurrIndex))));
  return results.Result();
}

int ApplyPushConfig(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.PushText().empty()) return kEmptySection;
  Json::Value value;
  Json::Reader reader;
  CameraClientSerialPush push{};
  // The loader wrote the text and checked the section, so this fails only if that is broken.
  if (!reader.parse(sections.PushText(), value, false) || !PushConfigFromJson(value, push)) return kFailed;
  SetResults results;
  results.Add(CameraClient_SetSerialPushConfig(device->Handle(), &push));
  return results.Result();
}

int ApplyRealShow(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::RealShow) == 0) return kEmptySection;
  char text[8];
  CopyToField(text, sections.Value(FlatSection::RealShow, kRealShowData));
  SetResults results;
  results.Add(CameraClient_SetRealShowText(device->Handle(), text));
  return results.Result();
}

int ApplyNtpParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(FlatSection::Ntp) == 0) return kEmptySection;
  const FlatReader member{sections, FlatSection::Ntp};
  // The server goes as a C string: at most 16 bytes, then a NUL.
  const std::string& name = member(kNtpServerName);
  char server[17] = {};
  std::memcpy(server, name.data(), os::GbkPrefixLength(name, sizeof server - 1));
  SetResults results;
  results.Add(CameraClient_SetNtpParam(device->Handle(), server, Flag(member(kNtpEnable)) ? 1 : 0,
                                       Int(member(kNtpFrequencyTime))));
  return results.Result();
}

int ApplyRegionParam(const ConfigSections& sections, std::shared_ptr<DeviceInfo> device) {
  if (sections.Size(IndexedSection::Region) == 0) return kEmptySection;
  const ElementReader first{sections, IndexedSection::Region, 0};
  // A count the record cannot hold describes no region that could be sent.
  const std::int64_t count = Number(first(kRegionNumVertex));
  if (count < 0 || count > kMaxRegionVertices) return kFailed;
  CameraClientRegion region{};
  region.uNumVertex = static_cast<std::uint32_t>(count);
  region.byDraw = Byte(first(kRegionDraw));
  region.byEnable = Byte(first(kRegionEnable));
  for (std::uint32_t i = 0; i < region.uNumVertex; ++i) {
    const ElementReader vertex{sections, IndexedSection::Region, static_cast<int>(i)};
    region.vertices[i].x = Int(vertex(kRegionX1000));
    region.vertices[i].y = Int(vertex(kRegionY1000));
  }
  SetResults results;
  results.Add(CameraClient_SetRecognitionRegion(device->Handle(), &region));
  return results.Result();
}
