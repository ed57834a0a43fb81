#include "platform/os/AppDirectory.h"

#include <errno.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os/Charset.h"
#include "platform/os/File.h"
#include "platform/os/Process.h"
#include "tests/os/TestSupport.h"

namespace os {
namespace {

using test::TempFolder;
using test::WaitUntil;

TEST(AppDirectoryTest, IsTheFolderOfThisProgramWithoutATrailingSlash) {
  const std::string folder = GetApplicationDirectory();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(PathExists(folder + "/" + program_invocation_short_name));
}

TEST(AppDirectoryTest, TestOverrideAndItsReset) {
  const std::string real = GetApplicationDirectory();
  SetApplicationDirectoryForTesting("/opt/某处");
  EXPECT_EQ(GetApplicationDirectory(), "/opt/某处");
  SetApplicationDirectoryForTesting("");
  EXPECT_EQ(GetApplicationDirectory(), real);
}

TEST(AppDirectoryTest, LongChineseFolderComesBackWhole) {
  // A copy of the child program in a folder far deeper than 260 bytes, with Chinese names,
  // reports its own folder.
  TempFolder temp;
  std::string folder = temp.Path();
  for (int i = 0; i < 12; ++i) folder += "/车牌识别相机配置目录" + std::to_string(i);
  ASSERT_GT(GbkToUtf8(folder).size(), 260u);
  ASSERT_TRUE(CreateDirectories(folder));
  const std::string child = "lpr-os-test-child";
  const auto program = ReadWholeFile(GetApplicationDirectory() + "/" + child);
  ASSERT_TRUE(program.has_value());
  ASSERT_TRUE(WriteWholeFile(folder + "/" + child, *program));
  std::filesystem::permissions(GbkToUtf8(folder + "/" + child), std::filesystem::perms::owner_all);

  const std::string output = temp.Path() + "/folder.txt";
  SetApplicationDirectoryForTesting(folder);
  const bool started = StartProgramBesideThis(child, {"folder", output});
  SetApplicationDirectoryForTesting("");
  ASSERT_TRUE(started);
  ASSERT_TRUE(WaitUntil([&] { return PathExists(output); }));
  EXPECT_EQ(ReadWholeFile(output), folder);
  EXPECT_TRUE(WaitUntil([] { return test::ChildProcesses() == 0; }));
}

}  // namespace
}  // namespace os
