// Fill light (level, mode, day schedule) and the default province.

#include "sim/GbkText.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

bool IsLedLevel(const CameraState& state, int level) { return level >= 0 && level <= state.settings.ledMaximum; }

// -1 for none, else the index of one of the list's two-byte characters.
bool IsProvinceIndex(const CameraState& state, int index) {
  const auto provinces = static_cast<int>(FieldText(state.settings.province.list).size() / 2);
  return index >= -1 && index < provinces;
}

Reply GetLedLevel(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.settings.ledLevel, ctx.state.settings.ledMaximum}));
}

Reply SetDefaultProvince(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<1>(payload);
  if (!values) return Refuse(Status::BadRequest);
  if (!IsProvinceIndex(ctx.state, (*values)[0])) return Refuse(Status::InvalidArgument);
  ctx.state.settings.province.currentIndex = (*values)[0];
  return Answer();
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::GetLedLevel, GetLedLevel},
    {Operation::SetLedLevel, SetInt<&CameraSettings::ledLevel, IsLedLevel>},
    {Operation::GetLedMode, GetInt<&CameraSettings::ledMode>},
    {Operation::SetLedMode, SetInt<&CameraSettings::ledMode, IntBetween<0, 2>>},
    {Operation::GetLedSchedule, GetRecord<&CameraSettings::ledSchedule>},
    {Operation::SetLedSchedule, SetRecord<&CameraSettings::ledSchedule>},
    {Operation::GetProvinceInfo, GetRecord<&CameraSettings::province>},
    {Operation::SetDefaultProvince, SetDefaultProvince},
};

}  // namespace

std::span<const HandlerEntry> LightHandlers() { return kHandlers; }

}  // namespace camsim
