#include "platform/os/File.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/os/Charset.h"
#include "tests/os/TestSupport.h"

namespace os {
namespace {

using test::TempFolder;
using test::Utf8;

// What the kernel finds under a UTF-8 path.
bool KernelSees(const std::string& utf8Path, mode_t type) {
  struct stat status {};
  return ::stat(utf8Path.c_str(), &status) == 0 && (status.st_mode & S_IFMT) == type;
}

TEST(FileTest, GbkPathsReachTheKernelAsUtf8) {
  TempFolder temp;
  const std::string folder = temp.Path() + "/车牌图片/2026-01-01/192.168.1.100";
  ASSERT_TRUE(CreateDirectories(folder));
  EXPECT_TRUE(KernelSees(temp.Path() + Utf8(u8"/车牌图片/2026-01-01/192.168.1.100"), S_IFDIR));
  EXPECT_TRUE(IsDirectory(folder));
  EXPECT_TRUE(CreateDirectories(folder));  // already there
  EXPECT_TRUE(CreateDirectory(folder));

  const std::string file = folder + "/080000123_京A12345_clip.jpg";
  ASSERT_TRUE(WriteWholeFile(file, "jpeg"));
  EXPECT_TRUE(KernelSees(temp.Path() + Utf8(u8"/车牌图片/2026-01-01/192.168.1.100/080000123_京A12345_clip.jpg"), S_IFREG));
  EXPECT_TRUE(PathExists(file));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_EQ(FileSize(file), 4u);
}

TEST(FileTest, WholeFilesKeepTheirBytes) {
  TempFolder temp;
  const std::string path = temp.Path() + "/白名单.csv";
  static constexpr char kBytes[] = "ID,车牌号码\r\n1,京A12345\r\n\0\xFF";
  const std::string bytes(kBytes, sizeof kBytes - 1);
  ASSERT_TRUE(WriteWholeFile(path, bytes));
  EXPECT_EQ(ReadWholeFile(path), bytes);
  EXPECT_EQ(FileSize(path), bytes.size());
  ASSERT_TRUE(WriteWholeFile(path, ""));  // truncates
  EXPECT_EQ(ReadWholeFile(path), "");

  std::FILE* file = OpenFile(path, "ab");
  ASSERT_NE(file, nullptr);
  std::fputs("tail", file);
  std::fclose(file);
  EXPECT_EQ(ReadWholeFile(path), "tail");
}

TEST(FileTest, MissingThingsFailAsValues) {
  TempFolder temp;
  const std::string missing = temp.Path() + "/没有/file.txt";
  errno = 0;
  EXPECT_EQ(OpenFile(missing, "rb"), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(PathExists(missing));
  EXPECT_FALSE(IsDirectory(missing));
  EXPECT_FALSE(FileSize(missing).has_value());
  EXPECT_FALSE(FileSize(temp.Path()).has_value());  // a folder has no file size
  EXPECT_FALSE(ReadWholeFile(missing).has_value());
  EXPECT_FALSE(WriteWholeFile(missing, "x"));
  EXPECT_FALSE(RemoveFile(missing));
  EXPECT_FALSE(CreateDirectory(temp.Path() + "/a/b"));  // parent missing
  EXPECT_TRUE(ListFiles(temp.Path() + "/没有", ".csv").empty());
  EXPECT_FALSE(CreateDirectories(""));
}

TEST(FileTest, FoldersCannotBeMadeWhereAFileIs) {
  TempFolder temp;
  const std::string file = temp.Path() + "/version";
  ASSERT_TRUE(WriteWholeFile(file, "x"));
  EXPECT_FALSE(CreateDirectory(file));
  EXPECT_FALSE(CreateDirectories(file + "/sub"));
}

TEST(FileTest, RemoveFileRemovesOnlyThatFile) {
  TempFolder temp;
  const std::string path = temp.Path() + "/logininfo";
  ASSERT_TRUE(WriteWholeFile(path, "x"));
  EXPECT_TRUE(RemoveFile(path));
  EXPECT_FALSE(PathExists(path));
  EXPECT_TRUE(IsDirectory(temp.Path()));
}

TEST(FileTest, AReplacedFileIsTheOwnersAndAFailedReplaceLeavesTheOldOne) {
  TempFolder temp;
  const std::string path = temp.Path() + "/登录";
  ASSERT_TRUE(WriteWholeFile(path, "old"));
  ::chmod(GbkToUtf8(path).c_str(), 0644);
  EXPECT_TRUE(ReplaceFilePrivately(path, "new"));
  EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>("new"));
  struct stat status {};
  ASSERT_EQ(::stat(GbkToUtf8(path).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(ListFiles(temp.Path(), ""), std::vector<std::string>{"登录"});

  EXPECT_FALSE(ReplaceFilePrivately(temp.Path() + "/没有/logininfo", "new"));
  // A folder in the file's place cannot be replaced; nothing is left beside it.
  ASSERT_TRUE(CreateDirectory(temp.Path() + "/folder"));
  EXPECT_FALSE(ReplaceFilePrivately(temp.Path() + "/folder", "new"));
  EXPECT_TRUE(IsDirectory(temp.Path() + "/folder"));
  EXPECT_EQ(ListFiles(temp.Path(), ""), std::vector<std::string>{"登录"});
}

TEST(FileTest, ListFilesMatchesTheSuffixAndSortsByByteValue) {
  TempFolder temp;
  const std::string folder = temp.Path() + "/version";
  ASSERT_TRUE(CreateDirectories(folder + "/sub.bin"));  // a folder, not listed
  // "x\x81" "bin": the b is the trail byte of a double-byte character, so the name does not end in "bin".
  for (const char* name : {"b.bin", "A.BIN", "车牌_v2.bin", "a.bin", "notes.txt", "bin", "x.bin.bak", "升级.Bin",
                           "x\x81" "bin"}) {
    ASSERT_TRUE(WriteWholeFile(folder + "/" + name, "x")) << name;
  }
  // By byte value: upper case before lower case, GBK after ASCII, 车 (B3 B5) before 升 (C9 FD).
  const std::vector<std::string> expected = {"A.BIN", "a.bin", "b.bin", "车牌_v2.bin", "升级.Bin"};
  EXPECT_EQ(ListFiles(folder, ".bin"), expected);
  EXPECT_EQ(ListFiles(folder, ".txt"), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(ListFiles(folder, "BIN"), (std::vector<std::string>{"A.BIN", "a.bin", "b.bin", "bin", "车牌_v2.bin", "升级.Bin"}));
  EXPECT_EQ(ListFiles(folder, "").size(), 9u);
}

}  // namespace
}  // namespace os
