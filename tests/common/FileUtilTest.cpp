#include "common/FileUtil.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"
#include "tests/common/TempFolder.h"

namespace {

TEST(ReadTextFile, CountsLineBufferReads) {
  struct Case {
    const char* name;
    std::string content;
    int count;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"one line with end", "a\n", 1},
      {"last line without end", "a\nb", 2},
      {"windows line ends", "a\r\nb\r\n", 2},
      {"empty lines", "\n\n\n", 3},
      {"1022 characters and end", std::string(1022, 'x') + "\n", 1},
      {"1023 characters and end", std::string(1023, 'x') + "\n", 2},
      {"2046 characters", std::string(2046, 'x'), 2},
      {"2047 characters", std::string(2047, 'x'), 3},
  };
  TempFolder folder;
  for (const Case& c : cases) EXPECT_EQ(ReadTextFile(folder.Write("f.txt", c.content)), c.count) << c.name;
}

TEST(ReadTextFile, MissingFileIsZero) {
  TempFolder folder;
  EXPECT_EQ(ReadTextFile(folder.File("missing.txt")), 0);
}

TEST(WriteFiles, WriteExactBytesAndTruncate) {
  TempFolder folder;
  const std::string path = folder.Write("out.bin", std::string(5000, 'o'));

  const std::string bytes("a\0b\r\nc", 6);
  ASSERT_TRUE(WriteBinaryFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
  EXPECT_EQ(os::ReadWholeFile(path), bytes);

  ASSERT_TRUE(WriteTextFile(path, "ID,车牌号码\r\n"));
  EXPECT_EQ(os::ReadWholeFile(path), "ID,车牌号码\r\n");
}

TEST(WriteFiles, FalseUnlessEveryByteReachedTheFile) {
  TempFolder folder;
  const std::string text = "x";
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  struct Case {
    const char* name;
    std::string path;
    std::string text;
  };
  const Case cases[] = {
      {"missing folder", folder.File("no/such/folder.txt"), "x"},
      {"nothing to write", folder.File("empty.txt"), ""},
      // The write is buffered: a full device shows only when the file is closed.
      {"full device", "/dev/full", "x"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(WriteTextFile(c.path, c.text)) << c.name;
    EXPECT_FALSE(WriteBinaryFile(c.path, bytes, c.text.size())) << c.name;
  }
}

TEST(FileExists, AnyPathThatExists) {
  TempFolder folder;
  EXPECT_TRUE(FileExists(folder.Write("a.txt", "")));
  EXPECT_TRUE(FileExists(folder.Path().string()));
  EXPECT_FALSE(FileExists(folder.File("b.txt")));
}

TEST(GetAppDirectory, WholeFolderWithoutTrailingSlash) {
  const std::string real = GetAppDirectory();
  ASSERT_FALSE(real.empty());
  EXPECT_NE(real.back(), '/');
  EXPECT_TRUE(os::IsDirectory(real));

  // No 260-character limit.
  const std::string deep = "/" + std::string(300, 'd') + "/程序";
  os::SetApplicationDirectoryForTesting(deep);
  EXPECT_EQ(GetAppDirectory(), deep);
  os::SetApplicationDirectoryForTesting("");
}

}  // namespace
