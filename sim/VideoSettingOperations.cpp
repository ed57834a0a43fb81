// Video encoding, picture adjustment and on-screen text.

#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

bool IsResolution(const CameraState&, int value) { return SizeOfResolution(value).width > 0; }

bool IsEncodeType(const CameraState&, int value) { return value == 0 || value == 2; }

// The range of the picture sliders: 0..255 on hardware type 2, 0..100 elsewhere.
bool IsPictureLevel(const CameraState& state, int value) { return value >= 0 && value <= (state.hardwareType == 2 ? 255 : 100); }

bool IsShutter(const CameraState& state, int value) {
  switch (state.hardwareType) {
    case 2: return value == 0x20 || value == 0x40 || value == 0x60;
    case 3: return value >= 1 && value <= 4;
    default: return value >= 2 && value <= 4;
  }
}

bool IsCapabilityResolution(const CameraClientStreamCapability& capability, int value) {
  for (const auto& entry : capability.resolutions) {
    if (entry.value <= 0) break;
    if (entry.value == value) return true;
  }
  return false;
}

Reply GetBitRate(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.settings.bitRate, ctx.state.settings.bitRateSecond}));
}

Reply SetStreamConfig(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  camera::protocol::PayloadReader reader(payload);
  const std::int32_t stream = reader.I32();
  auto config = reader.Get<CameraClientStreamConfig>();
  if (!reader.Done()) return Refuse(Status::BadRequest);
  const CameraClientStreamCapability& capability = ctx.state.settings.capability;
  const bool valid = (stream == 0 || stream == 1) && IsCapabilityResolution(capability, config.resolution) &&
                     config.frameRate >= 1 && config.frameRate <= 25 && (config.rateControl == 0 || config.rateControl == 1) &&
                     config.quality >= 0 && config.quality <= 6 && config.bitRate > capability.minBitRate &&
                     config.bitRate < capability.maxBitRate;
  if (!valid) return Refuse(Status::InvalidArgument);
  config.stream = stream;
  ctx.state.settings.streams[static_cast<std::size_t>(stream)] = config;
  return Answer();
}

Reply GetImageAdjust(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const CameraClientImageAdjust& a = ctx.state.settings.imageAdjust;
  return Answer(camera::protocol::EncodeInt32s({a.brightness, a.contrast, a.saturation, a.hue}));
}

Reply SetImageAdjust(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<4>(payload);
  if (!values) return Refuse(Status::BadRequest);
  for (const int value : *values) {
    if (!IsPictureLevel(ctx.state, value)) return Refuse(Status::InvalidArgument);
  }
  CameraClientImageAdjust& a = ctx.state.settings.imageAdjust;
  a.brightness = (*values)[0];
  a.contrast = (*values)[1];
  a.saturation = (*values)[2];
  a.hue = (*values)[3];
  return Answer();
}

Reply SetImageAdjustEx(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto record = camera::protocol::DecodeRecord<CameraClientImageAdjust>(payload);
  if (!record) return Refuse(Status::BadRequest);
  for (const int value : {record->brightness, record->contrast, record->saturation, record->hue, record->maxGain}) {
    if (!IsPictureLevel(ctx.state, value)) return Refuse(Status::InvalidArgument);
  }
  ctx.state.settings.imageAdjust = *record;
  return Answer();
}

Reply GetNoiseReduction(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.settings.noiseMode, ctx.state.settings.noiseStrength}));
}

Reply SetNoiseReduction(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<2>(payload);
  if (!values) return Refuse(Status::BadRequest);
  const auto [mode, strength] = *values;
  if (mode < 0 || mode > 3 || strength < 0 || strength > 3) return Refuse(Status::InvalidArgument);
  ctx.state.settings.noiseMode = mode;
  ctx.state.settings.noiseStrength = strength;
  return Answer();
}

// The overlay switches exist on the zoom model only.
Reply GetOsdOverlay(HandlerContext& ctx, std::span<const std::uint8_t>) {
  if (ctx.state.modelId != kZoomModelId) return Refuse(Status::Failed);
  return Answer(camera::protocol::PayloadWriter().Put(ctx.state.settings.osd).Put(ctx.state.settings.overlay).Take());
}

Reply SetOsdOverlay(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  if (ctx.state.modelId != kZoomModelId) return Refuse(Status::Failed);
  camera::protocol::PayloadReader reader(payload);
  const auto osd = reader.Get<CameraClientOsdParam>();
  const auto overlay = reader.Get<CameraClientOsdOverlay>();
  if (!reader.Done()) return Refuse(Status::BadRequest);
  if (!camera::protocol::IsWellFormed(osd)) return Refuse(Status::InvalidArgument);
  ctx.state.settings.osd = osd;
  ctx.state.settings.overlay = overlay;
  return Answer();
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::GetFrameSize, GetInt<&CameraSettings::frameSize>},
    {Operation::SetFrameSize, SetInt<&CameraSettings::frameSize, IntBetween<0, 3>>},
    {Operation::GetResolution, GetInt<&CameraSettings::resolution>},
    {Operation::SetResolution, SetInt<&CameraSettings::resolution, IsResolution>},
    {Operation::GetFrameRate, GetInt<&CameraSettings::frameRate>},
    {Operation::SetFrameRate, SetInt<&CameraSettings::frameRate, IntBetween<1, 25>>},
    {Operation::GetEncodeType, GetInt<&CameraSettings::encodeType>},
    {Operation::SetEncodeType, SetInt<&CameraSettings::encodeType, IsEncodeType>},
    {Operation::GetRateControl, GetInt<&CameraSettings::rateControl>},
    {Operation::SetRateControl, SetInt<&CameraSettings::rateControl, IntBetween<0, 1>>},
    {Operation::GetBitRate, GetBitRate},
    {Operation::SetBitRate, SetInt<&CameraSettings::bitRate, IntBetween<32, 20000>>},
    {Operation::GetVideoQuality, GetInt<&CameraSettings::videoQuality>},
    {Operation::SetVideoQuality, SetInt<&CameraSettings::videoQuality, IntBetween<0, 6>>},
    {Operation::GetStreamConfig, GetOneOfTwo<&CameraSettings::streams>},
    {Operation::SetStreamConfig, SetStreamConfig},
    {Operation::GetStreamCapability, GetRecord<&CameraSettings::capability>},
    {Operation::GetImageAdjust, GetImageAdjust},
    {Operation::SetImageAdjust, SetImageAdjust},
    {Operation::GetImageAdjustEx, GetRecord<&CameraSettings::imageAdjust>},
    {Operation::SetImageAdjustEx, SetImageAdjustEx},
    {Operation::GetFlickerFrequency, GetInt<&CameraSettings::flickerFrequency>},
    {Operation::SetFlickerFrequency, SetInt<&CameraSettings::flickerFrequency, IntBetween<0, 2>>},
    {Operation::GetShutter, GetInt<&CameraSettings::shutter>},
    {Operation::SetShutter, SetInt<&CameraSettings::shutter, IsShutter>},
    {Operation::GetFlip, GetInt<&CameraSettings::flip>},
    {Operation::SetFlip, SetInt<&CameraSettings::flip, IntBetween<0, 3>>},
    {Operation::GetNoiseReduction, GetNoiseReduction},
    {Operation::SetNoiseReduction, SetNoiseReduction},
    {Operation::GetOsdParam, GetRecord<&CameraSettings::osd>},
    {Operation::SetOsdParam, SetRecord<&CameraSettings::osd>},
    {Operation::GetOsdOverlay, GetOsdOverlay},
    {Operation::SetOsdOverlay, SetOsdOverlay},
};

}  // namespace

std::span<const HandlerEntry> VideoSettingHandlers() { return kHandlers; }

}  // namespace camsim
