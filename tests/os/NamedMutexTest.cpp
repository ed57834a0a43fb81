#include "platform/os/NamedMutex.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using Result = NamedMutex::Result;

// Lock files go into a folder of the test's own.
class NamedMutexTest : public ::testing::Test {
 protected:
  NamedMutexTest() {
    const char* previous = std::getenv("XDG_RUNTIME_DIR");
    if (previous != nullptr) m_previous = previous;
    setenv("XDG_RUNTIME_DIR", m_folder.Path().c_str(), 1);
  }
  ~NamedMutexTest() override {
    if (m_previous.empty()) {
      unsetenv("XDG_RUNTIME_DIR");
    } else {
      setenv("XDG_RUNTIME_DIR", m_previous.c_str(), 1);
    }
  }

  // Forks a child that takes the mutex and then waits to be killed. Returns its pid once it owns it.
  pid_t StartOwner(const std::string& name) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
      close(ready[0]);
      NamedMutex mutex;
      const char answer = mutex.Create(name) == Result::Created ? 'y' : 'n';
      if (write(ready[1], &answer, 1) != 1) _exit(1);
      for (;;) pause();
    }
    close(ready[1]);
    char answer = 0;
    const bool owns = read(ready[0], &answer, 1) == 1 && answer == 'y';
    close(ready[0]);
    if (!owns) {
      Kill(pid);
      return -1;
    }
    return pid;
  }

  static void Kill(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }

  test::TempFolder m_folder;
  std::string m_previous;
};

TEST_F(NamedMutexTest, SecondOwnerInTheSameProcessIsRefused) {
  NamedMutex first;
  NamedMutex second;
  EXPECT_EQ(first.Create("Corvex"), Result::Created);
  EXPECT_TRUE(first.Owned());
  EXPECT_EQ(second.Create("Corvex"), Result::AlreadyExists);
  EXPECT_FALSE(second.Owned());
  first.Release();
  EXPECT_FALSE(first.Owned());
  EXPECT_EQ(second.Create("Corvex"), Result::Created);
  first.Release();  // harmless when nothing is owned
}

TEST_F(NamedMutexTest, LockIsDroppedWhenItsObjectEnds) {
  {
    NamedMutex mutex;
    ASSERT_EQ(mutex.Create("BrenloAplication"), Result::Created);
  }
  NamedMutex again;
  EXPECT_EQ(again.Create("BrenloAplication"), Result::Created);
}

TEST_F(NamedMutexTest, OtherProcessHoldsItUntilItDies) {
  const pid_t owner = StartOwner("Corvex");
  ASSERT_GT(owner, 0);
  NamedMutex mutex;
  EXPECT_EQ(mutex.Create("Corvex"), Result::AlreadyExists);
  EXPECT_EQ(mutex.Create("BrenloAplication"), Result::Created);  // another name is another mutex
  Kill(owner);  // no clean-up of its own: the kernel drops the lock
  NamedMutex after;
  EXPECT_EQ(after.Create("Corvex"), Result::Created);
}

TEST_F(NamedMutexTest, NamesStayInsideTheLockFolderAndStayDistinct) {
  const std::string names[] = {"../escape", "a/b", "a_b", "a%2Fb", "..", "程序A", "程序B", "a b"};
  std::vector<std::unique_ptr<NamedMutex>> held;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    held.push_back(std::make_unique<NamedMutex>());
    EXPECT_EQ(held.back()->Create(name), Result::Created);
  }
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) {
    EXPECT_TRUE(entry.is_regular_file()) << entry.path();
    EXPECT_EQ(entry.path().filename().string().rfind("lpr-", 0), 0u) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, std::size(names));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(m_folder.Path()).parent_path() / "escape.lock"));
}

TEST_F(NamedMutexTest, FailsWhereNoLockFileCanBeMade) {
  NamedMutex mutex;
  EXPECT_EQ(mutex.Create(""), Result::Failed);
  setenv("XDG_RUNTIME_DIR", (m_folder.Path() + "/missing").c_str(), 1);
  EXPECT_EQ(mutex.Create("Corvex"), Result::Failed);
  EXPECT_FALSE(mutex.Owned());
}

}  // namespace
}  // namespace os
