#include "platform/camera/protocol/SessionMessages.h"

#include "platform/camera/protocol/Limits.h"
#include "platform/camera/protocol/PayloadReader.h"
#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {

std::vector<std::uint8_t> LoginRequest::Encode() const { return PayloadWriter().Text(user).Text(password).Take(); }

std::optional<LoginRequest> LoginRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  LoginRequest request;
  request.user = reader.Text(kMaxTextBytes);
  request.password = reader.Text(kMaxTextBytes);
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> EncryptedLoginRequest::Encode() const {
  return PayloadWriter().I32(mode).Text(password).Take();
}

std::optional<EncryptedLoginRequest> EncryptedLoginRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  EncryptedLoginRequest request;
  request.mode = reader.I32();
  request.password = reader.Text(kMaxTextBytes);
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> EncryptModeRequest::Encode() const {
  return PayloadWriter().Text(password).I32(mode).Take();
}

std::optional<EncryptModeRequest> EncryptModeRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  EncryptModeRequest request;
  request.password = reader.Text(kMaxTextBytes);
  request.mode = reader.I32();
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> PasswordChangeRequest::Encode() const {
  return PayloadWriter().Text(current).Text(replacement).Take();
}

std::optional<PasswordChangeRequest> PasswordChangeRequest::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  PasswordChangeRequest request;
  request.current = reader.Text(kMaxTextBytes);
  request.replacement = reader.Text(kMaxTextBytes);
  if (!reader.Done()) return std::nullopt;
  return request;
}

std::vector<std::uint8_t> WebSessionIdReply::Encode() const { return PayloadWriter().Text(id).Take(); }

std::optional<WebSessionIdReply> WebSessionIdReply::Decode(std::span<const std::uint8_t> payload) {
  PayloadReader reader(payload);
  WebSessionIdReply reply;
  reply.id = reader.Text(kMaxSessionIdBytes);
  if (!reader.Done() || reply.id.empty()) return std::nullopt;
  // The id becomes a cookie value: printable ASCII without the cookie separators.
  for (const char c : reply.id) {
    if (c < 0x21 || c > 0x7E || c == ';' || c == ',') return std::nullopt;
  }
  return reply;
}

}  // namespace camera::protocol
