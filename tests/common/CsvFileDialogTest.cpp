#include "common/CsvFileDialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/os/NativeDialogs.h"

namespace {

class CsvFileDialogTest : public testing::Test {
 protected:
  void TearDown() override { os::SetOpenFileDialogHandler(nullptr); }

  void Answer(std::string path) {
    os::SetOpenFileDialogHandler([this, path](const os::OpenFileRequest& request) {
      m_request = request;
      return path;
    });
  }

  std::optional<os::OpenFileRequest> m_request;
};

TEST_F(CsvFileDialogTest, AsksForOneCsvFileAndReturnsIt) {
  Answer("/data/白名单.csv");
  HWND owner = reinterpret_cast<HWND>(std::uintptr_t{0x1234});
  EXPECT_EQ(SelectCsvFile(owner), "/data/白名单.csv");
  ASSERT_TRUE(m_request);
  EXPECT_EQ(m_request->owner, owner);
  EXPECT_EQ(m_request->filterName, "CSV文件 *.csv");
  EXPECT_EQ(m_request->pattern, "*.csv");
  EXPECT_EQ(m_request->initialFolder, "");
}

TEST_F(CsvFileDialogTest, CancelledGivesEmpty) {
  Answer("");
  EXPECT_EQ(SelectCsvFile(nullptr), "");
  EXPECT_TRUE(m_request);
}

}  // namespace
