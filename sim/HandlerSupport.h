#pragma once
// Building blocks of the operation handlers: answers, refusals, and the common shapes of a Get
// and a Set of one value or one record.

#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

#include "platform/camera/protocol/FixedPayload.h"
#include "platform/camera/protocol/RecordRules.h"
#include "sim/Operations.h"

namespace camsim {

inline Reply Answer(std::vector<std::uint8_t> payload = {}) { return Reply{camera::protocol::Status::Ok, std::move(payload)}; }

inline Reply Refuse(camera::protocol::Status status) { return Reply{status, {}}; }

// An answer without payload whose status is the outcome, Ok or not.
inline Reply Outcome(camera::protocol::Status status) { return Reply{status, {}}; }

inline Reply Act(CameraAction action) {
  Reply reply;
  reply.action = action;
  return reply;
}

using IntRule = bool (*)(const CameraState&, int);

inline bool AnyInt(const CameraState&, int) { return true; }

template <int From, int To>
bool IntBetween(const CameraState&, int value) {
  return value >= From && value <= To;
}

// Get and Set of one int32 setting of CameraSettings.
template <auto Member>
Reply GetInt(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({ctx.state.settings.*Member}));
}

template <auto Member, IntRule Rule>
Reply SetInt(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto values = camera::protocol::DecodeInt32s<1>(payload);
  if (!values) return Refuse(camera::protocol::Status::BadRequest);
  if (!Rule(ctx.state, (*values)[0])) return Refuse(camera::protocol::Status::InvalidArgument);
  ctx.state.settings.*Member = (*values)[0];
  return Answer();
}

// Get and Set of one record of CameraSettings, kept byte for byte; a malformed record is refused.
template <auto Member>
Reply GetRecord(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeRecord(ctx.state.settings.*Member));
}

template <auto Member>
Reply SetRecord(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  using Record = std::remove_cvref_t<decltype(ctx.state.settings.*Member)>;
  const auto record = camera::protocol::DecodeRecord<Record>(payload);
  if (!record) return Refuse(camera::protocol::Status::BadRequest);
  if (!camera::protocol::IsWellFormed(*record)) return Refuse(camera::protocol::Status::InvalidArgument);
  ctx.state.settings.*Member = *record;
  return Answer();
}

// Get of one record of a pair (main and sub stream, serial ports 0 and 1): the request is the index.
template <auto Member>
Reply GetOneOfTwo(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto index = camera::protocol::DecodeInt32s<1>(payload);
  if (!index) return Refuse(camera::protocol::Status::BadRequest);
  if ((*index)[0] != 0 && (*index)[0] != 1) return Refuse(camera::protocol::Status::InvalidArgument);
  return Answer(camera::protocol::EncodeRecord((ctx.state.settings.*Member)[static_cast<std::size_t>((*index)[0])]));
}

// One table entry per operation a family answers.
struct HandlerEntry {
  camera::protocol::Operation operation;
  Handler handler;
};

std::span<const HandlerEntry> SessionHandlers();
std::span<const HandlerEntry> DeviceHandlers();
std::span<const HandlerEntry> LightHandlers();
std::span<const HandlerEntry> VideoSettingHandlers();
std::span<const HandlerEntry> RuleHandlers();
std::span<const HandlerEntry> WhiteListHandlers();
std::span<const HandlerEntry> PlateHandlers();
std::span<const HandlerEntry> StreamAndUpdateHandlers();

}  // namespace camsim
