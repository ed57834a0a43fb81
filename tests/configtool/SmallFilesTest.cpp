// "user.ini", the system log's name and the province list.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "configtool/LastDeviceIp.h"
#include "configtool/ProvinceList.h"
#include "configtool/SystemLogFile.h"

namespace {

class LastDeviceIpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() /
               ("corvex-user-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::string Path() const { return (m_folder / "user.ini").string(); }
  void Write(const std::string& bytes) const { std::ofstream(Path(), std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream file(Path(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  std::filesystem::path m_folder;
};

TEST_F(LastDeviceIpTest, AMissingFileGivesNothing) { EXPECT_EQ(LoadLastDeviceIp(Path()), ""); }

TEST_F(LastDeviceIpTest, LoadsAtMost63Bytes) {
  const std::string text63(63, '1');
  Write(text63);
  EXPECT_EQ(LoadLastDeviceIp(Path()), text63);
  Write(text63 + "2345");
  EXPECT_EQ(LoadLastDeviceIp(Path()), text63);
  // A double-byte character across the limit is left out whole.
  Write(std::string(62, '1') + "网");
  EXPECT_EQ(LoadLastDeviceIp(Path()), std::string(62, '1'));
}

TEST_F(LastDeviceIpTest, LeavesOutTheLineEndAndBlanksAnEditorAdds) {
  for (const char* text : {"192.168.1.100\r\n", "192.168.1.100\n", " 192.168.1.100 \t", "192.168.1.100\r\n\r\n"}) {
    Write(text);
    EXPECT_EQ(LoadLastDeviceIp(Path()), "192.168.1.100") << text;
  }
  Write("\r\n");
  EXPECT_EQ(LoadLastDeviceIp(Path()), "");
}

TEST_F(LastDeviceIpTest, SavesTheRawTextWithoutLineEnd) {
  EXPECT_TRUE(SaveLastDeviceIp(Path(), "192.168.1.100"));
  EXPECT_EQ(Read(), "192.168.1.100");
  EXPECT_TRUE(SaveLastDeviceIp(Path(), std::string(70, '9')));
  EXPECT_EQ(Read(), std::string(63, '9'));
  EXPECT_FALSE(SaveLastDeviceIp((m_folder / "missing" / "user.ini").string(), "1.2.3.4"));
}

TEST(SystemLogFile, IsNamedByTheLocalTime) {
  EXPECT_EQ(SystemLogFilePath("/app", os::LocalTime{2026, 1, 2, 3, 4, 5, 678, 5}), "/app/lpr_20260102030405.log");
}

CameraClientProvinceInfo Provinces(const char* list, int current) {
  CameraClientProvinceInfo info;
  std::memset(&info, 0, sizeof info);
  std::strncpy(info.list, list, sizeof info.list);
  info.currentIndex = current;
  return info;
}

TEST(ProvinceList, StartsWithNoneAndAddsOneItemPerCharacter) {
  const CameraClientProvinceInfo info = Provinces("京津沪", 1);
  const ProvinceChoice choice = MakeProvinceChoice(&info);
  const std::vector<std::string> expected = {"无", "京", "津", "沪"};
  EXPECT_EQ(choice.items, expected);
  EXPECT_EQ(choice.selection, 2);
}

TEST(ProvinceList, SelectsByTheCamerasIndex) {
  const std::pair<int, int> cases[] = {{-1, 0}, {-5, 0}, {0, 1}, {2, 3}, {3, -1}, {40, -1}};
  for (const auto& [current, selection] : cases) {
    const CameraClientProvinceInfo info = Provinces("京津沪", current);
    EXPECT_EQ(MakeProvinceChoice(&info).selection, selection) << current;
  }
  EXPECT_EQ(MakeProvinceChoice(nullptr).items, std::vector<std::string>{"无"});
  EXPECT_EQ(MakeProvinceChoice(nullptr).selection, -1);
}

TEST(ProvinceList, ReadsTheListWithinItsField) {
  CameraClientProvinceInfo info = Provinces("", 0);
  for (std::size_t i = 0; i + 1 < sizeof info.list; i += 2) std::memcpy(info.list + i, "京", 2);
  EXPECT_EQ(MakeProvinceChoice(&info).items.size(), 65u);
  // A lone byte at the end is no province.
  const CameraClientProvinceInfo odd = Provinces("京A", 0);
  EXPECT_EQ(MakeProvinceChoice(&odd).items.size(), 2u);
}

}  // namespace
