#include "batch/LoginStore.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/LoginCipher.h"
#include "common/Base64.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"
#include "tests/batch/fake/FakeCameraClient.h"
#include "tests/batch/support/TempFolder.h"

namespace {

std::shared_ptr<DeviceInfo> Device(const std::string& ip, const std::string& user, const std::string& password) {
  auto device = std::make_shared<DeviceInfo>();
  device->SetIp(ip);
  device->SetLogin(user, password);
  return device;
}

class LoginStoreTest : public testing::Test {
 protected:
  void SetUp() override { os::SetApplicationDirectoryForTesting(m_folder.Path()); }
  void TearDown() override { os::SetApplicationDirectoryForTesting(""); }

  const LoginStore& SavedAndLoaded(const std::vector<std::shared_ptr<DeviceInfo>>& devices) {
    SaveLoginInfo(devices);
    LoadLoginInfo(m_store);
    return m_store;
  }

  TempFolder m_folder;
  LoginStore m_store;
};

TEST_F(LoginStoreTest, SavedLoginsAreFoundAtTheNextStart) {
  const LoginStore& store = SavedAndLoaded({Device("10.0.0.1", "admin", "密码1"), Device("10.0.0.2", "", ""),
                                           Device("10.0.0.3", "user", "p w")});
  EXPECT_EQ(LoginInfoPath(), m_folder.Path("logininfo"));
  ASSERT_EQ(store.Size(), 3u);
  const auto first = FindLoginInfo(store, "10.0.0.1");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->User(), "admin");
  EXPECT_EQ(first->Password(), "密码1");
  EXPECT_EQ(first->Handle(), 0);
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.2")->Password(), "");
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.3")->Password(), "p w");
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.4"), nullptr);
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.1 "), nullptr);
}

// The fixture was made by OpenSSL's command line: W = AES-128-ECB of "qorvt" and zeros under
// itself, the text in AES-128-CTR under W with the counter 1e000000 f4010000 and eight zeros.
TEST_F(LoginStoreTest, ReadsAFileCipheredByAnotherImplementation) {
  const std::optional<std::string> fixture = os::ReadWholeFile(std::string(LPR_BATCH_FIXTURES) + "/logininfo");
  ASSERT_TRUE(fixture);
  os::WriteWholeFile(LoginInfoPath(), *fixture);
  LoadLoginInfo(m_store);
  ASSERT_EQ(m_store.Size(), 2u);
  EXPECT_EQ(FindLoginInfo(m_store, "127.0.0.1")->User(), "admin");
  EXPECT_EQ(FindLoginInfo(m_store, "127.0.0.1")->Password(), "secret");
  EXPECT_EQ(FindLoginInfo(m_store, "10.0.0.2")->User(), "user");
  EXPECT_EQ(FindLoginInfo(m_store, "10.0.0.2")->Password(), "");
}

TEST_F(LoginStoreTest, TheFileIsBase64OfTheCipheredUtf8Records) {
  SaveLoginInfo({Device("10.0.0.1", "管理", "x")});
  const std::optional<std::string> text = os::ReadWholeFile(LoginInfoPath());
  ASSERT_TRUE(text);
  EXPECT_EQ(text->find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
            std::string::npos);
  EXPECT_EQ(AesCtrDecrypt(*text, "qorvt"), "10.0.0.1;管理;x\r\n\r\n");
  // "管理" is 4 bytes of GBK and 6 of UTF-8: 8 nonce bytes and 21 of text, 40 in Base64.
  EXPECT_EQ(text->size(), 40u);
}

// The file separates records by CR and LF and fields by ";": a text holding one would break its
// record (or forge another), so the login dialog refuses it.
TEST(LoginText, SeparatorsCannotBeStored) {
  for (const char* text : {"a;b", "line\nbreak", "cr\r", ";", "\r\n"}) EXPECT_FALSE(IsStorableLoginText(text)) << text;
  for (const char* text : {"", "admin", "p w", "门岗2", "a,b:c"}) EXPECT_TRUE(IsStorableLoginText(text)) << text;
}

TEST_F(LoginStoreTest, ASaveKeepsTheLoginsOfCamerasNotFoundInThisRun) {
  SaveLoginInfo({Device("10.0.0.1", "one", "1"), Device("10.0.0.2", "two", "2")});
  LoadLoginInfo(GetLoginStore());
  // This run found only the second camera, with a new login.
  const LoginStore& store = SavedAndLoaded({Device("10.0.0.2", "new", "3")});
  ASSERT_EQ(store.Size(), 2u);
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.1")->User(), "one");
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.2")->User(), "new");
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.2")->Password(), "3");
  GetLoginStore().Clear();
}

TEST_F(LoginStoreTest, TheFirstRecordOfAnIpStays) {
  const LoginStore& store = SavedAndLoaded({Device("10.0.0.1", "first", "1"), Device("10.0.0.1", "second", "2")});
  EXPECT_EQ(store.Size(), 1u);
  EXPECT_EQ(FindLoginInfo(store, "10.0.0.1")->User(), "first");
}

TEST_F(LoginStoreTest, AnEmptyListKeepsTheFile) {
  SaveLoginInfo({Device("10.0.0.1", "a", "b")});
  const std::optional<std::string> before = os::ReadWholeFile(LoginInfoPath());
  SaveLoginInfo({});
  EXPECT_EQ(os::ReadWholeFile(LoginInfoPath()), before);
}

// A file saved under another passphrase. The nonce is fixed: bytes deciphered with the wrong key
// are noise, and noise of some nonces happens to hold a record (two ';' between line ends).
std::string SavedUnderAnotherPassphrase() {
  const std::string record = EncipherLoginRecord("10.0.0.1;a;b\r\n\r\n", "other", 17, 250);
  return Base64Encode(reinterpret_cast<const unsigned char*>(record.data()), record.size());
}

TEST_F(LoginStoreTest, ADamagedOrMissingFileGivesAnEmptyStore) {
  const std::string damaged[] = {"", "!!!!", "QUJD", "AAAAAAAAAAAAAAAAAAAAAAAA", std::string(4000, 'A'),
                                 SavedUnderAnotherPassphrase()};
  for (const std::string& text : damaged) {
    os::WriteWholeFile(LoginInfoPath(), text);
    LoginStore store;
    store.Insert(Device("stale", "x", "y"));
    LoadLoginInfo(store);
    EXPECT_EQ(store.Size(), 0u) << text;
  }
  os::RemoveFile(LoginInfoPath());
  LoginStore store;
  LoadLoginInfo(store);
  EXPECT_EQ(store.Size(), 0u);
}

TEST_F(LoginStoreTest, AnUnwritableFileIsDroppedSilently) {
  os::SetApplicationDirectoryForTesting(m_folder.Path("missing-folder"));
  SaveLoginInfo({Device("10.0.0.1", "a", "b")});
  EXPECT_FALSE(os::PathExists(m_folder.Path("missing-folder/logininfo")));
}

TEST_F(LoginStoreTest, TheProcessHasOneStoreThatASaveDoesNotChange) {
  SaveLoginInfo({Device("10.0.0.9", "start", "up")});
  LoadLoginInfo(GetLoginStore());
  EXPECT_EQ(&GetLoginStore(), &GetLoginStore());
  SaveLoginInfo({Device("10.0.0.9", "later", "save")});
  EXPECT_EQ(FindLoginInfo(GetLoginStore(), "10.0.0.9")->User(), "start");
  GetLoginStore().Clear();
}

}  // namespace
