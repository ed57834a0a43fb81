#include "batch/LoginCipher.h"

#include <algorithm>
#include <array>

#include "batch/AesCtr.h"
#include "batch/Base64Decode.h"
#include "common/Base64.h"
#include "platform/os/Charset.h"
#include "platform/os/LocalTime.h"

namespace {

constexpr std::size_t kNonceSize = 8;

void PutLittleEndian32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

AesRoundKeys LoginRoundKeys(const std::string& passphrase) {
  AesRoundKeys roundKeys;
  AesKeyExpansion(roundKeys, DeriveLoginKey(passphrase));
  return roundKeys;
}

AesBlock CounterFromNonce(const std::string& record) {
  AesBlock counter{};
  std::copy_n(record.begin(), kNonceSize, counter.begin());
  return counter;
}

std::uint8_t* Payload(std::string& record) { return reinterpret_cast<std::uint8_t*>(record.data()) + kNonceSize; }

}  // namespace

AesBlock DeriveLoginKey(const std::string& passphrase) {
  const std::string utf8 = os::GbkToUtf8(passphrase);
  AesBlock key{};
  std::copy_n(utf8.begin(), std::min(utf8.size(), key.size()), key.begin());
  AesRoundKeys roundKeys;
  AesKeyExpansion(roundKeys, key);
  AesBlock derived;
  AesEncryptBlock(key, derived, roundKeys);
  return derived;
}

std::string EncipherLoginRecord(const std::string& utf8Text, const std::string& passphrase, std::uint32_t second,
                                std::uint32_t millisecond) {
  std::string record;
  record.reserve(kNonceSize + utf8Text.size());
  PutLittleEndian32(record, second);
  PutLittleEndian32(record, millisecond);
  record += utf8Text;
  AesCtrTransform(LoginRoundKeys(passphrase), CounterFromNonce(record), Payload(record), utf8Text.size());
  return record;
}

std::string DecipherLoginRecord(const std::string& record, const std::string& passphrase) {
  if (record.size() < kNonceSize) return {};
  std::string plain = record;
  AesCtrTransform(LoginRoundKeys(passphrase), CounterFromNonce(plain), Payload(plain), plain.size() - kNonceSize);
  return plain.substr(kNonceSize);
}

std::string AesCtrEncrypt(const std::string& text, const std::string& passphrase) {
  const os::LocalTime now = os::GetLocalTime();
  const std::string record = EncipherLoginRecord(os::GbkToUtf8(text), passphrase, static_cast<std::uint32_t>(now.second),
                                                 static_cast<std::uint32_t>(now.millisecond));
  return Base64Encode(reinterpret_cast<const unsigned char*>(record.data()), record.size());
}

std::string AesCtrDecrypt(const std::string& base64Text, const std::string& passphrase) {
  const std::optional<std::string> record = Base64Decode(base64Text);
  if (!record) return {};
  // The text ends at its first NUL, as the deciphered C string did.
  std::string utf8 = DecipherLoginRecord(*record, passphrase);
  utf8.resize(std::min(utf8.size(), utf8.find('\0')));
  return os::Utf8ToGbk(utf8);
}
