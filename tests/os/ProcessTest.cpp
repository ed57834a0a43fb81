#include "platform/os/Process.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"
#include "tests/os/TestSupport.h"

namespace os {
namespace {

using namespace std::chrono_literals;
using test::ChildProcesses;
using test::TempFolder;
using test::Utf8;
using test::WaitUntil;

constexpr const char* kChild = "lpr-os-test-child";

TEST(ProcessTest, StartsTheProgramBesideThisOneWithItsArguments) {
  TempFolder folder;
  const std::string output = folder.Path() + "/args.txt";
  ASSERT_TRUE(StartProgramBesideThis(kChild, {"args", output, "plain", "车牌 号码", ""}));
  ASSERT_TRUE(WaitUntil([&] { return PathExists(output); }));
  // Arguments are GBK here and reach the program as UTF-8.
  EXPECT_EQ(ReadWholeFile(output), "plain\n" + Utf8(u8"车牌 号码") + "\n\n");
  EXPECT_TRUE(WaitUntil([] { return ChildProcesses() == 0; })) << "the ended child was not reaped";
}

TEST(ProcessTest, ReturnsWithoutWaitingForTheChild) {
  TempFolder folder;
  const std::string release = folder.Path() + "/release";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(StartProgramBesideThis(kChild, {"hold", release}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(ChildProcesses(), 1);  // still holding
  // Released before any assertion can end the test, so the child never outlives it.
  const bool released = WriteWholeFile(release, "");
  EXPECT_TRUE(WaitUntil([] { return ChildProcesses() == 0; }));
  EXPECT_TRUE(released);
}

TEST(ProcessTest, RefusesWhatIsNotAProgramBesideThisOne) {
  EXPECT_FALSE(StartProgramBesideThis("no-such-program"));
  EXPECT_FALSE(StartProgramBesideThis(""));
  EXPECT_FALSE(StartProgramBesideThis("../bin/" + std::string(kChild), {"args", "/dev/null"}));
  EXPECT_FALSE(StartProgramBesideThis("/bin/true"));
}

}  // namespace
}  // namespace os
