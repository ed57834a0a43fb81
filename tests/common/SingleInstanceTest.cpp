#include "common/SingleInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "shm/JQShareMem.h"
#include "tests/common/ChildProcess.h"
#include "tests/common/TempFolder.h"

namespace {

TEST(ApplicationIdentity, KeysAndTextsOfBothPrograms) {
  EXPECT_EQ(CorvexApplication().key, "Corvex");
  EXPECT_EQ(CorvexApplication().alreadyRunningText, "一体机配置工具程序已经启动");
  EXPECT_EQ(BrenloApplication().key, "BrenloAplication");
  EXPECT_EQ(BrenloApplication().alreadyRunningText, "批量设备操作程序已经启动");
}

// Each copy is a probe process. The mutexes live in a lock folder of the test's own, so that no
// other test or running program meets them; the flags are the programs' real ones.
class SingleInstanceAcrossProcesses : public testing::Test {
 protected:
  std::unique_ptr<ChildProcess> Start(const std::string& program) {
    auto child = std::make_unique<ChildProcess>(SINGLE_INSTANCE_PROBE, std::vector<std::string>{program},
                                                std::vector<std::string>{"XDG_RUNTIME_DIR=" + m_lockFolder.Path().string()});
    EXPECT_TRUE(child->Started());
    return child;
  }

  // Closes the copy's box (or lets the running copy end) and expects its last line and exit.
  static void Finish(ChildProcess& copy, const std::string& lastLine) {
    copy.WriteLine("");
    EXPECT_EQ(copy.ReadLine(), lastLine);
    EXPECT_EQ(copy.Wait(), 0);
  }

  static std::string BoxLine(const ApplicationIdentity& application) {
    return "box " + application.alreadyRunningText + "|提示";
  }

  TempFolder m_lockFolder;
};

class SingleInstanceOfOneProgram : public SingleInstanceAcrossProcesses {
 protected:
  // Flags left set by an interrupted run would hide the box.
  void SetUp() override { ClearFlags(); }
  void TearDown() override { ClearFlags(); }
  static void ClearFlags() {
    JQ_ShareMemDele(CorvexApplication().key.c_str());
    JQ_ShareMemDele(BrenloApplication().key.c_str());
  }
};

TEST_F(SingleInstanceOfOneProgram, SecondCopyShowsTheTextOnceAndAThirdShowsNothing) {
  const std::pair<std::string, const ApplicationIdentity*> programs[] = {
      {"Corvex", &CorvexApplication()},
      {"Brenlo", &BrenloApplication()},
  };
  for (const auto& [program, application] : programs) {
    SCOPED_TRACE(program);
    auto first = Start(program);
    ASSERT_EQ(first->ReadLine(), "running");

    auto second = Start(program);
    ASSERT_EQ(second->ReadLine(), BoxLine(*application));
    int isSet = 0;
    EXPECT_EQ(JQ_ShareMemRead(application->key.c_str(), &isSet), 0);
    EXPECT_EQ(isSet, 1) << "the flag is set while the box is up";

    // Started while the box is up: no box, and it ends at once.
    auto third = Start(program);
    EXPECT_EQ(third->ReadLine(), "ended");
    EXPECT_EQ(third->Wait(), 0);

    Finish(*second, "ended");
    EXPECT_EQ(JQ_ShareMemRead(application->key.c_str(), &isSet), 0);
    EXPECT_EQ(isSet, 0) << "the flag is cleared when the box is closed";

    // With the box closed, a later copy shows it again.
    auto fourth = Start(program);
    EXPECT_EQ(fourth->ReadLine(), BoxLine(*application));
    Finish(*fourth, "ended");

    // Once the first copy has released its mutex, a new copy goes on.
    Finish(*first, "released");
    auto fifth = Start(program);
    EXPECT_EQ(fifth->ReadLine(), "running");
    Finish(*fifth, "released");
  }
}

TEST_F(SingleInstanceAcrossProcesses, TheTwoProgramsDoNotBlockEachOther) {
  auto corvex = Start("Corvex");
  ASSERT_EQ(corvex->ReadLine(), "running");
  auto brenlo = Start("Brenlo");
  EXPECT_EQ(brenlo->ReadLine(), "running");
  Finish(*brenlo, "released");
  Finish(*corvex, "released");
}

}  // namespace
