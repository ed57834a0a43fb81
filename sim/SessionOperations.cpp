// Login, the second login of encryption mode 2, encryption settings and the web session.

#include <chrono>

#include "platform/camera/protocol/SessionMessages.h"
#include "sim/HandlerSupport.h"

namespace camsim {
namespace {

using camera::protocol::Operation;
using camera::protocol::Status;

Status StatusOf(EncryptionState::Result result) {
  switch (result) {
    case EncryptionState::Result::Ok: return Status::Ok;
    case EncryptionState::Result::WrongPassword: return Status::LoginFailed;
    case EncryptionState::Result::Invalid: return Status::InvalidArgument;
  }
  return Status::Failed;
}

Reply Login(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::LoginRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  if (!ctx.state.IsAccount(request->user, request->password)) return Refuse(Status::LoginFailed);
  ctx.session.loggedIn = true;
  return Answer();
}

Reply KeepAlive(HandlerContext&, std::span<const std::uint8_t>) { return Answer(); }

Reply PrepareWebSession(HandlerContext& ctx, std::span<const std::uint8_t>) {
  const auto lifetime = std::chrono::duration_cast<std::chrono::seconds>(ctx.state.webSessions.Lifetime());
  return Answer(camera::protocol::EncodeInt32s(
      {static_cast<std::int32_t>(lifetime.count()), static_cast<std::int32_t>(ctx.state.webSessions.Count())}));
}

Reply GetWebSessionId(HandlerContext& ctx, std::span<const std::uint8_t>) {
  ctx.session.webSessionId = ctx.state.webSessions.Renew(ctx.session.webSessionId, ctx.now);
  return Answer(camera::protocol::WebSessionIdReply{ctx.session.webSessionId}.Encode());
}

Reply GetEncryptInfo(HandlerContext& ctx, std::span<const std::uint8_t>) {
  return Answer(camera::protocol::EncodeRecord(ctx.state.encryption.Info()));
}

Reply LoginEncrypted(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::EncryptedLoginRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  // The client must have applied the mode the camera is in now.
  if (request->mode != ctx.state.encryption.Mode() || !ctx.state.encryption.IsUserPassword(request->password)) {
    return Refuse(Status::LoginFailed);
  }
  ctx.session.secondLogin = true;
  return Answer();
}

Reply SetEncryptMode(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::EncryptModeRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  const Status status = StatusOf(ctx.state.encryption.SetMode(request->password, request->mode));
  // The connection that set the mode has shown the user password already.
  if (status == Status::Ok) ctx.session.secondLogin = true;
  return Outcome(status);
}

Reply SetEncryptPassword(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::PasswordChangeRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.encryption.SetPassword(request->current, request->replacement)));
}

Reply ResetEncryptPassword(HandlerContext& ctx, std::span<const std::uint8_t> payload) {
  const auto request = camera::protocol::PasswordChangeRequest::Decode(payload);
  if (!request) return Refuse(Status::BadRequest);
  return Outcome(StatusOf(ctx.state.encryption.ResetPassword(request->current, request->replacement)));
}

constexpr HandlerEntry kHandlers[] = {
    {Operation::Login, Login},
    {Operation::KeepAlive, KeepAlive},
    {Operation::PrepareWebSession, PrepareWebSession},
    {Operation::GetWebSessionId, GetWebSessionId},
    {Operation::GetEncryptInfo, GetEncryptInfo},
    {Operation::LoginEncrypted, LoginEncrypted},
    {Operation::SetEncryptMode, SetEncryptMode},
    {Operation::SetEncryptPassword, SetEncryptPassword},
    {Operation::ResetEncryptPassword, ResetEncryptPassword},
};

}  // namespace

std::span<const HandlerEntry> SessionHandlers() { return kHandlers; }

}  // namespace camsim
