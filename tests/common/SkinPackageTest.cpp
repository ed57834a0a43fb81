#include "common/SkinPackage.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "platform/os/Charset.h"
#include "tests/common/TempFolder.h"

namespace {

std::string Payload(std::size_t size) {
  std::string payload(size, '\0');
  for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<char>(i * 31 + i / 1024);
  return payload;
}

std::uint32_t ZlibCrc(const std::string& bytes) {
  return static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

void PutBigEndian(std::string& bytes, std::size_t offset, std::uint32_t value) {
  bytes[offset] = static_cast<char>(value >> 24);
  bytes[offset + 1] = static_cast<char>(value >> 16);
  bytes[offset + 2] = static_cast<char>(value >> 8);
  bytes[offset + 3] = static_cast<char>(value);
}

// A package laid out by hand, as any other writer of the format would: big-endian words,
// CRCs from zlib, the header CRC over the header with its CRC field zeroed, and every whole
// even-numbered 1 KiB block of the payload inverted.
struct HandBuiltPackage {
  std::string payload;
  std::uint32_t magic = 0x20112705u;
  std::optional<std::uint32_t> dataCrc;     // default: CRC of the payload
  std::optional<std::uint32_t> dataLength;  // default: the payload's length
  std::uint32_t reserved = 0;

  std::string Bytes() const {
    std::string file(20, '\0');
    PutBigEndian(file, 0, magic);
    PutBigEndian(file, 8, dataCrc.value_or(ZlibCrc(payload)));
    PutBigEndian(file, 12, dataLength.value_or(static_cast<std::uint32_t>(payload.size())));
    PutBigEndian(file, 16, reserved);
    PutBigEndian(file, 4, ZlibCrc(file));
    const std::size_t invertedEnd = payload.size() / 1024 * 1024;
    for (std::size_t i = 0; i < payload.size(); ++i) {
      const bool inverted = i < invertedEnd && (i / 1024) % 2 == 0;
      file += inverted ? static_cast<char>(~payload[i]) : payload[i];
    }
    return file;
  }
};

std::string Flipped(std::string bytes, std::size_t offset) {
  bytes[offset] = static_cast<char>(bytes[offset] ^ 0x01);
  return bytes;
}

struct LoadResult {
  std::unique_ptr<unsigned char[]> data;
  std::uint32_t size = 0;
  std::string console;
};

LoadResult Load(const std::string& path) {
  LoadResult result;
  result.size = 12345;
  testing::internal::CaptureStdout();
  result.data.reset(LoadSkinPackage(path, result.size));
  result.console = testing::internal::GetCapturedStdout();
  return result;
}

class SkinPackageTest : public testing::Test {
 protected:
  TempFolder m_folder;
};

TEST_F(SkinPackageTest, LoadsAndRestoresPayloadsAroundTheBlockSize) {
  for (std::size_t size : {0u, 1u, 1023u, 1024u, 1025u, 1500u, 2047u, 2048u, 2049u, 3072u, 5000u}) {
    HandBuiltPackage package;
    package.payload = Payload(size);
    package.reserved = 0xDEADBEEFu;  // not checked, only covered by the header CRC
    const LoadResult result = Load(m_folder.Write("skin.dll", package.Bytes()));

    ASSERT_NE(result.data, nullptr) << "size " << size << ": " << result.console;
    EXPECT_EQ(result.console, "");
    ASSERT_EQ(result.size, size);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(result.data.get()), size), package.payload) << "size " << size;
    EXPECT_TRUE(CheckSkinHeaderCrc());
  }
}

TEST_F(SkinPackageTest, EveryFailurePrintsItsLineAndReturnsNothing) {
  HandBuiltPackage good;
  good.payload = Payload(1500);
  const std::string valid = good.Bytes();

  HandBuiltPackage badMagic = good;
  badMagic.magic = 0x05271120u;
  HandBuiltPackage lengthOffByOne = good;  // header CRC right, length wrong
  lengthOffByOne.dataLength = 1499;
  HandBuiltPackage wrongDataCrc = good;
  wrongDataCrc.dataCrc = ZlibCrc(good.payload) ^ 1u;

  const std::string path = m_folder.File("skin.dll");
  const std::string noData = std::strerror(ENODATA);
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // none: no file at all
    std::string console;
    bool headerCrcKeptRight;
  };
  const Case cases[] = {
      {"missing file", std::nullopt, "Can't open " + path + ": " + std::strerror(ENOENT) + "\n", false},
      {"empty file", std::string(), "Can't read " + path + " : " + noData + "\n", false},
      {"shorter than the header", valid.substr(0, 19), "Can't read " + path + " : " + noData + "\n", false},
      {"bad magic", badMagic.Bytes(), "Bad Magic Number!\n", true},
      {"changed reserved byte", Flipped(valid, 19), "Bad header crc!\n", false},
      {"changed stored header crc", Flipped(valid, 7), "Bad header crc!\n", false},
      {"changed data length byte", Flipped(valid, 15), "Bad header crc!\n", false},
      {"one byte after the payload", valid + '\0', "Bad header crc!\n", true},
      {"payload cut short", valid.substr(0, valid.size() - 1), "Bad header crc!\n", true},
      {"length word off by one", lengthOffByOne.Bytes(), "Bad header crc!\n", true},
      {"changed byte in an inverted block", Flipped(valid, 20 + 10), "Bad data crc!", true},
      {"changed byte in the partial block", Flipped(valid, 20 + 1400), "Bad data crc!", true},
      {"wrong data crc word", wrongDataCrc.Bytes(), "Bad data crc!", true},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(path);
    if (c.bytes) m_folder.Write("skin.dll", *c.bytes);
    const LoadResult result = Load(path);
    EXPECT_EQ(result.data, nullptr) << c.name;
    EXPECT_EQ(result.size, 0u) << c.name;
    EXPECT_EQ(result.console, c.console) << c.name;
    EXPECT_EQ(CheckSkinHeaderCrc(), c.headerCrcKeptRight) << c.name;
  }
}

TEST_F(SkinPackageTest, FolderInsteadOfFileFailsAtTheHeader) {
  const std::string path = m_folder.Path().string();
  const LoadResult result = Load(path);
  EXPECT_EQ(result.data, nullptr);
  EXPECT_EQ(result.size, 0u);
  EXPECT_EQ(result.console.rfind("Can't read " + path + " : ", 0), 0u) << result.console;
}

TEST_F(SkinPackageTest, UnseekableFileFailsAtTheSizeQuery) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
  const LoadResult result = Load(path);
  ::close(ends[0]);
  ::close(ends[1]);
  EXPECT_EQ(result.data, nullptr);
  EXPECT_EQ(result.size, 0u);
  EXPECT_EQ(result.console, "Can't read " + path + " : " + std::strerror(ESPIPE) + "\n");
}

TEST_F(SkinPackageTest, GbkPathOpensTheFileAndPrintsAsUtf8) {
  const std::string gbkPath = os::Utf8ToGbk(m_folder.File("")) + "皮肤.dll";
  const std::string utf8Path = os::GbkToUtf8(gbkPath);

  const LoadResult missing = Load(gbkPath);
  EXPECT_EQ(missing.console, "Can't open " + utf8Path + ": " + std::strerror(ENOENT) + "\n");

  HandBuiltPackage package;
  package.payload = Payload(2048);
  m_folder.Write(std::filesystem::path(utf8Path).filename().string(), package.Bytes());
  const LoadResult loaded = Load(gbkPath);
  ASSERT_NE(loaded.data, nullptr) << loaded.console;
  EXPECT_EQ(loaded.size, 2048u);
}

TEST(CheckSkinHeaderCrc, FalseAfterAFailedOpenClearsTheKeptHeader) {
  TempFolder folder;
  HandBuiltPackage package;
  package.payload = Payload(10);
  ASSERT_NE(Load(folder.Write("skin.dll", package.Bytes())).data, nullptr);
  ASSERT_TRUE(CheckSkinHeaderCrc());
  Load(folder.File("missing.dll"));
  EXPECT_FALSE(CheckSkinHeaderCrc());
}

}  // namespace
