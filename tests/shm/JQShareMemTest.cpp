#include "shm/JQShareMem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/os/AppDirectory.h"

extern char** environ;

namespace {

constexpr int kNotRead = -7;

// The flag's state as a read sees it: {result, isSet}.
std::pair<int, int> Read(const char* name) {
  int isSet = kNotRead;
  const int result = JQ_ShareMemRead(name, &isSet);
  return {result, isSet};
}

// Runs the helper program beside the test binary and returns its exit code (-1 when it did not run).
int RunHelper(const std::vector<std::string>& arguments) {
  const std::string path = os::GetApplicationDirectory() + "/lpr-shm-test-helper";
  std::vector<std::string> texts{path};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Each test works on flags of its own, named after this process, and removes them at the end.
class JQShareMemTest : public ::testing::Test {
 protected:
  ~JQShareMemTest() override {
    for (const std::string& name : m_names) JQ_ShareMemDele(name.c_str());
  }

  std::string FlagName(const std::string& role) {
    m_names.push_back("lpr-shm-test-" + std::to_string(getpid()) + "-" + role);
    return m_names.back();
  }

  // Makes the object with the given bytes without the library, as another program might have.
  static bool MakeObject(const std::string& name, const std::string& bytes) {
    const int fd = shm_open(("/" + name).c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool ok = ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                    pwrite(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    close(fd);
    return ok;
  }

  static long ObjectSize(const std::string& name) {
    struct stat status {};
    if (stat(("/dev/shm/" + name).c_str(), &status) != 0) return -1;
    return static_cast<long>(status.st_size);
  }

  std::vector<std::string> m_names;
};

TEST_F(JQShareMemTest, FlagNeverWrittenReadsAsNotSet) {
  EXPECT_EQ(Read(FlagName("never").c_str()), std::make_pair(0, 0));
}

TEST_F(JQShareMemTest, OnlyTheLowByteOfTheValueCounts) {
  struct Case {
    int value;
    int isSet;
  };
  const Case cases[] = {{1, 1}, {0, 0}, {257, 1}, {2, 0}, {-255, 1}, {256, 0}, {-1, 0}, {1, 1}};
  const std::string name = FlagName("values");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), c.value), 0);
    EXPECT_EQ(Read(name.c_str()), std::make_pair(0, c.isSet));
    EXPECT_EQ(ObjectSize(name), 4);
  }
}

TEST_F(JQShareMemTest, NullOrEmptyNamesAreRefusedByAllThree) {
  for (const char* name : {static_cast<const char*>(nullptr), ""}) {
    SCOPED_TRACE(name == nullptr ? "null" : "empty");
    EXPECT_EQ(JQ_ShareMemWrite(name, 1), -1);
    EXPECT_EQ(Read(name), std::make_pair(-1, 1));  // isSet is left at 1
    EXPECT_EQ(JQ_ShareMemDele(name), -1);
  }
}

TEST_F(JQShareMemTest, ReadWithoutAPlaceForTheAnswerFailsCleanly) {
  const std::string name = FlagName("null-answer");
  EXPECT_EQ(JQ_ShareMemRead(name.c_str(), nullptr), -1);
  ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), 1), 0);
  EXPECT_EQ(JQ_ShareMemRead(name.c_str(), nullptr), -1);
  EXPECT_EQ(JQ_ShareMemRead("", nullptr), -1);
  EXPECT_EQ(JQ_ShareMemRead(nullptr, nullptr), -1);
}

TEST_F(JQShareMemTest, DeleteRemovesOnlyWhatExists) {
  const std::string name = FlagName("delete");
  EXPECT_EQ(JQ_ShareMemDele(name.c_str()), -1);
  ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), 1), 0);
  EXPECT_EQ(JQ_ShareMemDele(name.c_str()), 0);
  EXPECT_EQ(Read(name.c_str()), std::make_pair(0, 0));
  EXPECT_EQ(JQ_ShareMemDele(name.c_str()), -1);
}

TEST_F(JQShareMemTest, ObjectsMadeElsewhereReadByTheirBytes) {
  struct Case {
    const char* role;
    std::string bytes;
    int isSet;
  };
  const Case cases[] = {
      {"empty", "", 0},
      {"eight-ones", std::string(8, '\x01'), 1},
      {"last-byte-off", std::string("\x01\x01\x01\x00", 4), 0},
      {"one-byte", "\x01", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.role);
    const std::string name = FlagName(c.role);
    ASSERT_TRUE(MakeObject(name, c.bytes));
    EXPECT_EQ(Read(name.c_str()), std::make_pair(0, c.isSet));
  }
  // A write brings any object back to 4 bytes.
  const std::string name = FlagName("eight-ones");
  ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), 0), 0);
  EXPECT_EQ(ObjectSize(name), 4);
}

TEST_F(JQShareMemTest, NamesAreUsedAsGiven) {
  const std::string chinese = FlagName("一体机配置工具");
  ASSERT_EQ(JQ_ShareMemWrite(chinese.c_str(), 1), 0);
  EXPECT_EQ(Read(chinese.c_str()), std::make_pair(0, 1));
  EXPECT_EQ(ObjectSize(chinese), 4);  // no prefix, no suffix

  // Names the system cannot hold fail as values, never as exceptions.
  const std::string unusable[] = {FlagName("a/b"), FlagName(std::string(300, 'x'))};
  for (const std::string& name : unusable) {
    SCOPED_TRACE(name.size());
    EXPECT_EQ(JQ_ShareMemWrite(name.c_str(), 1), -1);
    EXPECT_EQ(Read(name.c_str()), std::make_pair(0, 0));
    EXPECT_EQ(JQ_ShareMemDele(name.c_str()), -1);
  }
}

TEST_F(JQShareMemTest, FlagWrittenByOneProcessIsReadAsSetByALaterOne) {
  const std::string name = FlagName("across");
  ASSERT_EQ(RunHelper({"write", name, "1"}), 0);  // that process has ended
  EXPECT_EQ(RunHelper({"read", name}), 11);       // a later process: result 0, set
  EXPECT_EQ(Read(name.c_str()), std::make_pair(0, 1));

  ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), 0), 0);
  EXPECT_EQ(RunHelper({"read", name}), 10);
  ASSERT_EQ(RunHelper({"write", name, "257"}), 0);
  EXPECT_EQ(Read(name.c_str()), std::make_pair(0, 1));
  EXPECT_EQ(RunHelper({"read", FlagName("never-across")}), 10);
}

TEST_F(JQShareMemTest, FlagsLiveInMemoryThatAMachineRestartClears) {
  const std::string name = FlagName("boot");
  ASSERT_EQ(JQ_ShareMemWrite(name.c_str(), 1), 0);
  struct statfs fs {};
  ASSERT_EQ(statfs(("/dev/shm/" + name).c_str(), &fs), 0);
  EXPECT_EQ(fs.f_type, static_cast<decltype(fs.f_type)>(TMPFS_MAGIC));
}

TEST(JQShareMemLibrary, ExportsTheThreeFunctionsAndNothingElse) {
  const std::string library = os::GetApplicationDirectory() + "/libJQShareMem.so";
  std::FILE* pipe = popen(("nm -D --defined-only '" + library + "'").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> exported;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    char type = 0;
    char symbol[400] = {};
    if (std::sscanf(line, "%*s %c %399s", &type, symbol) == 2) exported.insert(symbol);
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(exported, (std::set<std::string>{"JQ_ShareMemDele", "JQ_ShareMemRead", "JQ_ShareMemWrite"}));
}

}  // namespace
