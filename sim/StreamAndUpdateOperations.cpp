// Starting and stopping the live video of a connection, and receiving a firmware image.

#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/UpdateMessages.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

Status StatusOf(FirmwareUpdate::Result result) {
  switch (result) {
    case FirmwareUpdate::Result::Ok: return Status::Ok;
    case FirmwareUpdate::Result::Busy: return Status::Busy;
    case FirmwareUpdate::Result::Invalid: return Status::InvalidArgument;
  }
  return Status::Failed;
}

Reply VideoStart(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto stream = camera::protocol::DecodeInt32s<1>(payload);
  if (!stream) return Refuse(Status::BadRequest);
  if ((*stream)[0] != 0 && (*stream)[0] != 1) return Refuse(Status::InvalidArgument);
  ctx.session.videoStream = (*stream)[0];
  return Answer();
}

Reply VideoStop(HandlerContext& ctx, std::span<const std::uint8_t>) {
  ctx.session.videoStream.reset();
  return Answer();
}

Reply UpdateBegin(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  camera::protocol::PayloadReader reader(payload);
  const std::uint32_t bytes = reader.U32();
  if (!reader.Done()) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.update.Begin(ctx.session.connection, bytes)));
}

Reply UpdateData(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::UpdateDataRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.update.Data(ctx.session.connection, request->offset, request->bytes)));
}

Reply UpdateCommit(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const Status status = StatusOf(ctx.state.update.Commit(ctx.session.connection));
  if (status != Status::Ok) return Refuse(status);
  // A new image replaces whatever an earlier update left for the next reboot.
  ctx.state.pendingVersion.reset();
  return Act(CameraAction::UpdateCommitted);
}

Reply GetUpdateState(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeInt32s({static_cast<std::int32_t>(ctx.state.update.Current())}));
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::VideoStart, VideoStart},
    {Operation::VideoStop, VideoStop},
    {Operation::UpdateBegin, UpdateBegin},
    {Operation::UpdateData, UpdateData},
    {Operation::UpdateCommit, UpdateCommit},
    {Operation::GetUpdateState, GetUpdateState},
};

}  // namespace

std::span<const HandlerEntry> StreamAndUpdateHandlers() { return kHandlers; }

}  // namespace camsim
