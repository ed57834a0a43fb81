#include "batch/AesCtr.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include "tests/batch/support/HexBytes.h"

namespace {

AesRoundKeys RoundKeys(const AesBlock& key) {
  AesRoundKeys roundKeys;
  AesKeyExpansion(roundKeys, key);
  return roundKeys;
}

std::string Transform(const AesBlock& key, const AesBlock& counter, std::string data) {
  AesCtrTransform(RoundKeys(key), counter, reinterpret_cast<std::uint8_t*>(data.data()), data.size());
  return data;
}

// The second, independent implementation: OpenSSL's AES-128-CTR, which counts the whole
// 16-byte block as one big-endian number, as ours does.
std::string OpenSslCtr(const AesBlock& key, const AesBlock& counter, const std::string& data) {
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  std::string out(data.size() + 16, '\0');
  int length = 0;
  int finalLength = 0;
  EXPECT_EQ(EVP_EncryptInit_ex(context, EVP_aes_128_ctr(), nullptr, key.data(), counter.data()), 1);
  EXPECT_EQ(EVP_EncryptUpdate(context, reinterpret_cast<unsigned char*>(out.data()), &length,
                              reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size())),
            1);
  EXPECT_EQ(EVP_EncryptFinal_ex(context, reinterpret_cast<unsigned char*>(out.data()) + length, &finalLength), 1);
  EVP_CIPHER_CTX_free(context);
  out.resize(static_cast<std::size_t>(length + finalLength));
  return out;
}

TEST(AesCtr, EnciphersTheSp80038aCounterModeVector) {
  const AesBlock key = BlockFromHex("2b7e151628aed2a6abf7158809cf4f3c");
  const AesBlock counter = BlockFromHex("f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff");
  const std::string plain = BytesFromHex(
      "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
      "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
  const std::string cipher =
      "874d6191b620e3261bef6864990db6ce9806f66b7970fdff8617187bb9fffdff"
      "5ae4df3edbd5d35e5b4f09020db03eab1e031dda2fbe03d1792170a0f3009cee";
  EXPECT_EQ(HexOf(Transform(key, counter, plain)), cipher);
  EXPECT_EQ(Transform(key, counter, BytesFromHex(cipher)), plain);
  // A partial last block uses the first bytes of its key stream.
  EXPECT_EQ(HexOf(Transform(key, counter, plain.substr(0, 37))), cipher.substr(0, 74));
}

TEST(AesCtr, CounterCarriesAcrossEveryByte) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"00000000000000000000000000000000", "00000000000000000000000000000001"},
      {"000000000000000000000000000000ff", "00000000000000000000000000000100"},
      {"0102030405060708ffffffffffffffff", "0102030405060709" "0000000000000000"},
      {"ffffffffffffffffffffffffffffffff", "00000000000000000000000000000000"},
  };
  for (const Case& c : cases) {
    AesBlock counter = BlockFromHex(c.before);
    IncrementCounterBlock(counter);
    EXPECT_EQ(HexOf(counter), c.after) << c.before;
  }
}

TEST(AesCtr, AgreesWithOpenSsl) {
  std::mt19937 random(7);
  const char* const counters[] = {
      "00000000000000000000000000000000", "3b0000002a0300000000000000000000",
      "00000000000000fffffffffffffffffd", "fffffffffffffffffffffffffffffffe"};
  for (const char* counterHex : counters) {
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 64u, 1000u}) {
      AesBlock key;
      for (auto& b : key) b = static_cast<std::uint8_t>(random());
      std::string data(size, '\0');
      for (char& c : data) c = static_cast<char>(random());
      const AesBlock counter = BlockFromHex(counterHex);
      EXPECT_EQ(HexOf(Transform(key, counter, data)), HexOf(OpenSslCtr(key, counter, data)))
          << "counter " << counterHex << " size " << size;
    }
  }
}

}  // namespace
