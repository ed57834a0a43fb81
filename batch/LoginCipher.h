#pragma once
// The cipher of the saved-login file: AES-128 in counter mode under a key derived from the
// passphrase, an 8-byte nonce from the local time in front, the whole in Base64. It hides the
// passwords from a casual reader; there is no integrity check.

#include <cstdint>
#include <string>

#include "batch/Aes128.h"

// The counter-mode key W: the passphrase's UTF-8 bytes in 16 zero bytes give K (bytes past the
// sixteenth are dropped), and W is K enciphered under K.
AesBlock DeriveLoginKey(const std::string& passphrase);

// The cipher record: the nonce words (second 0-59 and millisecond 0-999, 32-bit little-endian)
// and the UTF-8 text XOR the key stream. The counter block is the 8 nonce bytes and 8 zeros.
std::string EncipherLoginRecord(const std::string& utf8Text, const std::string& passphrase,
                                std::uint32_t second, std::uint32_t millisecond);
// The UTF-8 text of a cipher record; empty when it is shorter than the nonce.
std::string DecipherLoginRecord(const std::string& record, const std::string& passphrase);

// GBK text -> Base64 of the cipher record, with the nonce from the current local time.
std::string AesCtrEncrypt(const std::string& text, const std::string& passphrase);
// Base64 -> GBK text, up to its first NUL. Text that is not Base64 gives empty text.
std::string AesCtrDecrypt(const std::string& base64Text, const std::string& passphrase);
