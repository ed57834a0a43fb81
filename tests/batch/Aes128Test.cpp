#include "batch/Aes128.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/batch/support/HexBytes.h"

namespace {

TEST(Aes128, KeyExpansionMatchesFips197AppendixA) {
  AesRoundKeys roundKeys;
  AesKeyExpansion(roundKeys, BlockFromHex("2b7e151628aed2a6abf7158809cf4f3c"));
  EXPECT_EQ(roundKeys[0], 0x2b7e1516u);
  EXPECT_EQ(roundKeys[3], 0x09cf4f3cu);
  EXPECT_EQ(roundKeys[4], 0xa0fafe17u);
  EXPECT_EQ(roundKeys[9], 0x7a96b943u);
  EXPECT_EQ(roundKeys[23], 0x11f915bcu);
  EXPECT_EQ(roundKeys[36], 0xac7766f3u);
  EXPECT_EQ(roundKeys[40], 0xd014f9a8u);
  EXPECT_EQ(roundKeys[43], 0xb6630ca6u);
}

TEST(Aes128, EncryptsThePublishedVectors) {
  struct Case {
    const char* what;
    const char* key;
    const char* plain;
    const char* cipher;
  };
  const Case cases[] = {
      {"FIPS-197 appendix B", "2b7e151628aed2a6abf7158809cf4f3c", "3243f6a8885a308d313198a2e0370734",
       "3925841d02dc09fbdc118597196a0b32"},
      {"FIPS-197 appendix C.1", "000102030405060708090a0b0c0d0e0f", "00112233445566778899aabbccddeeff",
       "69c4e0d86a7b0430d8cdb78070b4c55a"},
      {"SP 800-38A F.1.1 block 1", "2b7e151628aed2a6abf7158809cf4f3c", "6bc1bee22e409f96e93d7e117393172a",
       "3ad77bb40d7a3660a89ecaf32466ef97"},
      {"SP 800-38A F.1.1 block 4", "2b7e151628aed2a6abf7158809cf4f3c", "f69f2445df4f9b17ad2b417be66c3710",
       "7b0c785e27e8ad3f8223207104725dd4"},
  };
  for (const Case& c : cases) {
    AesRoundKeys roundKeys;
    AesKeyExpansion(roundKeys, BlockFromHex(c.key));
    AesBlock out;
    AesEncryptBlock(BlockFromHex(c.plain), out, roundKeys);
    EXPECT_EQ(HexOf(out), c.cipher) << c.what;
  }
}

}  // namespace
