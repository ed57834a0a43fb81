#include "batch/LoginCipher.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "batch/Base64Decode.h"
#include "common/Base64.h"
#include "platform/os/Charset.h"
#include "platform/os/Clock.h"
#include "tests/batch/support/HexBytes.h"

namespace {

std::string OpenSsl(const EVP_CIPHER* cipher, const std::string& key, const std::string& iv, const std::string& data) {
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  std::string out(data.size() + 16, '\0');
  int length = 0;
  int finalLength = 0;
  EVP_EncryptInit_ex(context, cipher, nullptr, reinterpret_cast<const unsigned char*>(key.data()),
                     iv.empty() ? nullptr : reinterpret_cast<const unsigned char*>(iv.data()));
  EVP_CIPHER_CTX_set_padding(context, 0);
  EVP_EncryptUpdate(context, reinterpret_cast<unsigned char*>(out.data()), &length,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
  EVP_EncryptFinal_ex(context, reinterpret_cast<unsigned char*>(out.data()) + length, &finalLength);
  EVP_CIPHER_CTX_free(context);
  out.resize(static_cast<std::size_t>(length + finalLength));
  return out;
}

std::string KeyOf(const std::string& passphrase) {
  std::string key = passphrase.substr(0, 16);
  key.resize(16, '\0');
  return key;
}

// W = AES_K(K), computed by OpenSSL.
std::string ExpectedLoginKey(const std::string& passphraseUtf8) {
  const std::string k = KeyOf(passphraseUtf8);
  return OpenSsl(EVP_aes_128_ecb(), k, "", k);
}

std::string Nonce(std::uint32_t second, std::uint32_t millisecond) {
  std::string nonce;
  for (std::uint32_t word : {second, millisecond}) {
    for (int i = 0; i < 4; ++i) nonce += static_cast<char>((word >> (8 * i)) & 0xff);
  }
  return nonce;
}

std::string BlockText(const AesBlock& block) { return std::string(block.begin(), block.end()); }

TEST(LoginCipher, DerivesTheKeyFromThePassphraseEncipheredUnderItself) {
  for (const char* passphrase : {"qorvt", "", "a-passphrase-longer-than-16", "口令"}) {
    EXPECT_EQ(HexOf(BlockText(DeriveLoginKey(passphrase))), HexOf(ExpectedLoginKey(os::GbkToUtf8(passphrase))))
        << passphrase;
  }
}

TEST(LoginCipher, RecordIsTheNonceThenTheCounterModeText) {
  const std::string passphrase = "qorvt";
  const std::string w = ExpectedLoginKey(passphrase);
  for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 32u, 47u, 200u}) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
    const std::string nonce = Nonce(59, 999);
    const std::string record = EncipherLoginRecord(text, passphrase, 59, 999);
    ASSERT_EQ(record.size(), size + 8);
    EXPECT_EQ(HexOf(record.substr(0, 8)), "3b000000e7030000");
    const std::string counter = nonce + std::string(8, '\0');
    EXPECT_EQ(HexOf(record.substr(8)), HexOf(OpenSsl(EVP_aes_128_ctr(), w, counter, text))) << size;
    EXPECT_EQ(DecipherLoginRecord(record, passphrase), text);
  }
}

TEST(LoginCipher, ShortRecordsDecipherToNothing) {
  for (const std::string& record : {std::string(), std::string("1234567"), std::string(8, 'x')}) {
    EXPECT_EQ(DecipherLoginRecord(record, "qorvt"), "") << record.size();
  }
}

class LoginCipherOnVirtualTime : public testing::Test {
 protected:
  void SetUp() override { os::SetClock(&m_clock); }
  void TearDown() override { os::SetClock(nullptr); }
  os::VirtualClock m_clock{os::LocalTime{2026, 3, 4, 5, 6, 42, 123, 3}};
};

TEST_F(LoginCipherOnVirtualTime, EnciphersGbkTextAsUtf8WithTheLocalTimeAsNonce) {
  const std::string text = "192.168.1.10;管理员;密码\r\n\r\n";
  const std::string base64 = AesCtrEncrypt(text, "qorvt");
  const std::optional<std::string> record = Base64Decode(base64);
  ASSERT_TRUE(record);
  EXPECT_EQ(HexOf(record->substr(0, 8)), "2a0000007b000000");
  EXPECT_EQ(DecipherLoginRecord(*record, "qorvt"), os::GbkToUtf8(text));
  EXPECT_EQ(AesCtrDecrypt(base64, "qorvt"), text);
  // Same text at the same second and millisecond: the same file.
  EXPECT_EQ(AesCtrEncrypt(text, "qorvt"), base64);
  m_clock.Advance(os::Milliseconds(1));
  EXPECT_NE(AesCtrEncrypt(text, "qorvt"), base64);
}

TEST(LoginCipher, DecipheringBadTextGivesNothingOrOtherBytes) {
  EXPECT_EQ(AesCtrDecrypt("not base64!", "qorvt"), "");
  EXPECT_EQ(AesCtrDecrypt("QUJD", "qorvt"), "");
  EXPECT_EQ(AesCtrDecrypt("", "qorvt"), "");
  const std::string base64 = AesCtrEncrypt("10.0.0.1;user;pass\r\n\r\n", "qorvt");
  EXPECT_NE(AesCtrDecrypt(base64, "other"), "10.0.0.1;user;pass\r\n\r\n");
}

TEST(LoginCipher, DecipheredTextEndsAtItsFirstNul) {
  const std::string record = EncipherLoginRecord(std::string("a;b;c\0tail", 10), "qorvt", 1, 2);
  const std::string base64 = Base64Encode(reinterpret_cast<const unsigned char*>(record.data()), record.size());
  EXPECT_EQ(AesCtrDecrypt(base64, "qorvt"), "a;b;c");
}

}  // namespace
