// Identity, network, time, on-screen real-time text, reboot, system log and the manual trigger.

#include <arpa/inet.h>

#include <string>

#include "platform/camera/protocol/DeviceMessages.h"
#include "sim/GbkText.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

std::optional<in_addr> ParseAddress(std::string_view text) {
  in_addr address{};
  if (::inet_pton(AF_INET, std::string(text).c_str(), &address) != 1) return std::nullopt;
  return address;
}

bool IsLoopback(const in_addr& address) { return (ntohl(address.s_addr) >> 24) == 127; }

Reply GetHardwareType(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.hardwareType}));
}

Reply GetModelId(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.modelId, ctx.state.modelExtra}));
}

Reply GetFirmwareVersion(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const auto& v = ctx.state.firmwareVersion;
  return Answer(camera::protocol::EncodeInt32s({v[0], v[1], v[2], v[3]}));
}

Reply GetNetParam(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeRecord(ctx.state.net));
}

// The camera only ever answers on loopback addresses, so a new address must be one.
Reply SetNetParam(HandlerContext&, std::span<const std::uint8_t> payload) {
  const auto record = camera::protocol::DecodeRecord<CameraClientNetParam>(payload);
  if (!record) return Refuse(Status::BadRequest);
  if (!camera::protocol::IsWellFormed(*record) || record->port == 0) return Refuse(Status::InvalidArgument);
  const auto ip = ParseAddress(FieldText(record->ip));
  if (!ip || !IsLoopback(*ip) || !ParseAddress(FieldText(record->netmask))) {
    return Refuse(Status::InvalidArgument);
  }
  Reply reply = Act(CameraAction::MoveAddress);
  reply.newAddress = *record;
  return reply;
}

Reply GetNtpParam(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const CameraSettings& s = ctx.state.settings;
  return Answer(camera::protocol::NtpParam{s.ntpServer, s.ntpEnable, s.ntpInterval}.Encode());
}

Reply SetNtpParam(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::NtpParam::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  if (request->interval < 0) return Refuse(Status::InvalidArgument);
  CameraSettings& s = ctx.state.settings;
  s.ntpServer = request->server;
  s.ntpEnable = request->enable != 0 ? 1 : 0;
  s.ntpInterval = request->interval;
  return Answer();
}

Reply GetRealShowText(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const char* text = ctx.state.settings.realShowText;
  return Answer({text, text + sizeof ctx.state.settings.realShowText});
}

Reply SetRealShowText(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  char* text = ctx.state.settings.realShowText;
  if (payload.size() != sizeof ctx.state.settings.realShowText) return Refuse(Status::BadRequest);
  std::copy(payload.begin(), payload.end(), text);
  return Answer();
}

Reply Reboot(HandlerContext&, std::span<const std::uint8_t>) { return Act(CameraAction::Reboot); }

Reply ForceTrigger(HandlerContext&, std::span<const std::uint8_t>) { return Act(CameraAction::ManualTrigger); }

// The newest whole lines that fit the client's maximum.
Reply GetSystemLog(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::SystemLogRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const std::string text = ctx.state.log.Text();
  const std::size_t maximum = static_cast<std::size_t>(request->maxBytes);
  std::size_t start = text.size() > maximum ? text.size() - maximum : 0;
  if (start > 0) {
    // A line starts right after a CR LF; the one ending at `start` makes `start` itself one.
    const std::size_t lineEnd = text.find("\r\n", start >= 2 ? start - 2 : 0);
    if (lineEnd != std::string::npos && lineEnd + 2 < text.size()) start = lineEnd + 2;
  }
  return Answer({text.begin() + static_cast<std::ptrdiff_t>(start), text.end()});
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::GetHardwareType, GetHardwareType},
    {Operation::GetModelId, GetModelId},
    {Operation::GetFirmwareVersion, GetFirmwareVersion},
    {Operation::GetNetParam, GetNetParam},
    {Operation::SetNetParam, SetNetParam},
    {Operation::GetNtpParam, GetNtpParam},
    {Operation::SetNtpParam, SetNtpParam},
    {Operation::GetRealShowText, GetRealShowText},
    {Operation::SetRealShowText, SetRealShowText},
    {Operation::Reboot, Reboot},
    {Operation::GetSystemLog, GetSystemLog},
    {Operation::ForceTrigger, ForceTrigger},
};

}  // namespace

std::span<const HandlerEntry> DeviceHandlers() { return kHandlers; }

}  // namespace camsim
