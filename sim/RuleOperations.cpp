// Recognition rules and region, lens, install distance, outputs, recognition and trigger types,
// draw mode and the serial ports.

#include <algorithm>

#include "platform/camera/protocol/PayloadReader.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

bool IsFixedFocus(const CameraState& state) {
  return std::find(kFixedFocusModelIds.begin(), kFixedFocusModelIds.end(), state.modelId) != kFixedFocusModelIds.end();
}

bool IsZoom(const CameraState& state) { return state.modelId == kZoomModelId; }

// Lens options belong to the zoom model, the install distance to the fixed-focus models.
Reply GetLensConfig(HandlerContext& ctx, std::span<const std::uint8_t>) {
  if (!IsZoom(ctx.state)) return Refuse(Status::Failed);
  const CameraSettings& s = ctx.state.settings;
  return Answer(camera::protocol::EncodeInt32s({s.lensMode, s.lensSmall, s.lensDepth}));
}

Reply SetLensConfig(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  if (!IsZoom(ctx.state)) return Refuse(Status::Failed);
  const auto values = camera::protocol::DecodeInt32s<3>(payload);
  if (!values) return Refuse(Status::BadRequest);
  for (const int value : *values) {
    if (value != 0 && value != 1) return Refuse(Status::InvalidArgument);
  }
  CameraSettings& s = ctx.state.settings;
  s.lensMode = (*values)[0];
  s.lensSmall = (*values)[1];
  s.lensDepth = (*values)[2];
  return Answer();
}

Reply LensControl(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  if (!IsZoom(ctx.state)) return Refuse(Status::Failed);
  const auto values = camera::protocol::DecodeInt32s<1>(payload);
  if (!values) return Refuse(Status::BadRequest);
  if ((*values)[0] < 0 || (*values)[0] > 4) return Refuse(Status::InvalidArgument);
  ctx.state.settings.lensCommand = (*values)[0];
  return Answer();
}

Reply GetInstallDistance(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  if (!IsFixedFocus(ctx.state)) return Refuse(Status::Failed);
  return GetInt<&CameraSettings::installDistance>(ctx, payload);
}

Reply SetInstallDistance(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  if (!IsFixedFocus(ctx.state)) return Refuse(Status::Failed);
  return SetInt<&CameraSettings::installDistance, IntBetween<0, 2>>(ctx, payload);
}

template <auto Member>
Reply GetBits(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({static_cast<std::int32_t>(ctx.state.settings.*Member)}));
}

template <auto Member>
Reply SetBits(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<1>(payload);
  if (!values) return Refuse(Status::BadRequest);
  ctx.state.settings.*Member = static_cast<std::uint32_t>((*values)[0]);
  return Answer();
}

Reply SetSerialParam(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  camera::protocol::PayloadReader reader(payload);
  const std::int32_t port = reader.I32();
  const auto param = reader.Get<CameraClientSerialParam>();
  if (!reader.Done()) return Refuse(Status::BadRequest);
  if (port != 0 && port != 1) return Refuse(Status::InvalidArgument);
  ctx.state.settings.serial[static_cast<std::size_t>(port)] = param;
  return Answer();
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::GetPolygonRules, GetRecord<&CameraSettings::polygonRules>},
    {Operation::SetPolygonRules, SetRecord<&CameraSettings::polygonRules>},
    {Operation::GetRecognitionRegion, GetRecord<&CameraSettings::region>},
    {Operation::SetRecognitionRegion, SetRecord<&CameraSettings::region>},
    {Operation::GetVirtualLoops, GetRecord<&CameraSettings::virtualLoops>},
    {Operation::SetVirtualLoops, SetRecord<&CameraSettings::virtualLoops>},
    {Operation::GetLensConfig, GetLensConfig},
    {Operation::SetLensConfig, SetLensConfig},
    {Operation::LensControl, LensControl},
    {Operation::GetInstallDistance, GetInstallDistance},
    {Operation::SetInstallDistance, SetInstallDistance},
    {Operation::GetIoOutput, GetRecord<&CameraSettings::ioOutput>},
    {Operation::SetIoOutput, SetRecord<&CameraSettings::ioOutput>},
    {Operation::GetRecognitionType, GetBits<&CameraSettings::recognitionType>},
    {Operation::SetRecognitionType, SetBits<&CameraSettings::recognitionType>},
    {Operation::GetTriggerType, GetBits<&CameraSettings::triggerType>},
    {Operation::SetTriggerType, SetBits<&CameraSettings::triggerType>},
    {Operation::GetDrawMode, GetRecord<&CameraSettings::drawMode>},
    {Operation::SetDrawMode, SetRecord<&CameraSettings::drawMode>},
    {Operation::GetSerialParam, GetOneOfTwo<&CameraSettings::serial>},
    {Operation::SetSerialParam, SetSerialParam},
    {Operation::GetSerialPushConfig, GetRecord<&CameraSettings::serialPush>},
    {Operation::SetSerialPushConfig, SetRecord<&CameraSettings::serialPush>},
};

}  // namespace

std::span<const HandlerEntry> RuleHandlers() { return kHandlers; }

}  // namespace camsim
