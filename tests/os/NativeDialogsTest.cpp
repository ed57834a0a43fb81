#include "platform/os/NativeDialogs.h"

#include <gtest/gtest.h>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using test::Utf8;

TEST(NativeDialogsTest, DefaultMessageBoxIsOneUtf8LineOnStderr) {
  SetPlainMessageBoxHandler(nullptr);
  testing::internal::CaptureStderr();
  ShowPlainMessageBox(nullptr, "一体机配置工具程序已经启动", "提示");
  ShowPlainMessageBox(nullptr, "第一行\r\n第二行", "提示");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            Utf8(u8"提示: 一体机配置工具程序已经启动\n提示: 第一行  第二行\n"));
}

TEST(NativeDialogsTest, InstalledMessageBoxGetsTheGbkTexts) {
  HWND seenOwner = nullptr;
  std::string seenText;
  std::string seenCaption;
  SetPlainMessageBoxHandler([&](HWND owner, const std::string& text, const std::string& caption) {
    seenOwner = owner;
    seenText = text;
    seenCaption = caption;
  });
  const HWND owner = reinterpret_cast<HWND>(0x42);
  ShowPlainMessageBox(owner, "批量设备操作程序已经启动", "提示");
  SetPlainMessageBoxHandler(nullptr);
  EXPECT_EQ(seenOwner, owner);
  EXPECT_EQ(seenText, "批量设备操作程序已经启动");
  EXPECT_EQ(seenCaption, "提示");
}

TEST(NativeDialogsTest, OpenFileDialogIsCancelledUnlessAnswered) {
  SetOpenFileDialogHandler(nullptr);
  const OpenFileRequest request{nullptr, "", "CSV文件", "*.csv", ""};
  EXPECT_EQ(ShowOpenFileDialog(request), "");

  OpenFileRequest seen;
  SetOpenFileDialogHandler([&](const OpenFileRequest& asked) {
    seen = asked;
    return std::string("/home/用户/白名单.csv");
  });
  EXPECT_EQ(ShowOpenFileDialog(request), "/home/用户/白名单.csv");
  EXPECT_EQ(seen.filterName, "CSV文件");
  EXPECT_EQ(seen.pattern, "*.csv");
  SetOpenFileDialogHandler(nullptr);
  EXPECT_EQ(ShowOpenFileDialog(request), "");
}

}  // namespace
}  // namespace os
