#pragma once
// Payloads of the session operations (0x01xx) whose layout is variable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace camera::protocol {

// Login: str user, str password.
struct LoginRequest {
  std::string user;
  std::string password;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<LoginRequest> Decode(std::span<const std::uint8_t> payload);
};

// LoginEncrypted: i32 mode, str user password.
struct EncryptedLoginRequest {
  std::int32_t mode = 0;
  std::string password;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<EncryptedLoginRequest> Decode(std::span<const std::uint8_t> payload);
};

// SetEncryptMode: str user password, i32 mode.
struct EncryptModeRequest {
  std::string password;
  std::int32_t mode = 0;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<EncryptModeRequest> Decode(std::span<const std::uint8_t> payload);
};

// SetEncryptPassword (old, new) and ResetEncryptPassword (master, new).
struct PasswordChangeRequest {
  std::string current;
  std::string replacement;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<PasswordChangeRequest> Decode(std::span<const std::uint8_t> payload);
};

// GetWebSessionId reply: str id of 1..kMaxSessionIdBytes bytes.
struct WebSessionIdReply {
  std::string id;
  std::vector<std::uint8_t> Encode() const;
  static std::optional<WebSessionIdReply> Decode(std::span<const std::uint8_t> payload);
};

}  // namespace camera::protocol
