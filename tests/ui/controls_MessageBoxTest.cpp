// The framework's message boxes from the skin's layouts, read and answered through the driver.

#include "platform/ui/controls/UIMessageBox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

std::string SkinFile(const std::string& name) {
  std::ifstream in(std::string(LPR_SKIN_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const char* const kOwner = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300"><VerticalLayout><Button name="ask" height="30"/><Control/></VerticalLayout></Window>)";

class MessageBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    m_skin.Add("MessageBox.xml", SkinFile("MessageBox.xml")).Add("MessageBox2.xml", SkinFile("MessageBox2.xml"));
    Open(kOwner);
  }
  // Asks from the window thread; the box stays open until the test answers it.
  void AskOnClick(bool question) {
    driver.Run([&, question] {
      window->onNotify = [this, question](TNotifyUI& msg) {
        if (msg.sType != "click") return false;
        results.push_back(question ? UIMessageBox2(hwnd, "设备确定要重启吗?") : UIMessageBox(hwnd, "请先打开一台设备！"));
        return true;
      };
    });
  }
  std::vector<int> results;
};

TEST_F(MessageBoxTest, NoticeShowsItsTextModallyAndReturnsOk) {
  AskOnClick(false);
  driver.Click("ask");
  ASSERT_EQ(driver.OpenMessageBoxText(), std::optional<std::string>("请先打开一台设备！"));
  // The owner takes no input while the box is up.
  EXPECT_FALSE(driver.Get<bool>([&] { return IsWindowEnabled(hwnd); }));
  EXPECT_TRUE(driver.AnswerMessageBox("ok"));
  EXPECT_EQ(driver.OpenMessageBoxText(), std::nullopt);
  EXPECT_EQ(results, std::vector<int>{IDOK});
  EXPECT_TRUE(driver.Get<bool>([&] { return IsWindowEnabled(hwnd); }));
}

TEST_F(MessageBoxTest, QuestionReturnsZeroForYesAndOneForEveryOtherAnswer) {
  AskOnClick(true);
  driver.AnswerNextMessageBox("yes");
  driver.Click("ask");
  driver.AnswerNextMessageBox("no");
  driver.Click("ask");
  driver.AnswerNextMessageBox("closebtn");
  driver.Click("ask");
  driver.Click("ask");
  ASSERT_TRUE(driver.OpenMessageBoxText().has_value());
  driver.PressKey(VK_ESCAPE);
  driver.Click("ask");
  driver.PressKey(VK_RETURN);
  EXPECT_EQ(results, (std::vector<int>{0, 1, 1, 1, 0}));
  EXPECT_EQ(driver.MessageBoxTexts(), std::vector<std::string>(5, "设备确定要重启吗?"));
}

TEST_F(MessageBoxTest, ALongTextGrowsTheBoxSoThatItAllFits) {
  AskOnClick(false);
  const std::string line = "导出成功,文件路径:/a/very/long/path/to/the/exported/whitelist/file_20260101080000.csv";
  driver.Run([&] {
    window->onNotify = [&](TNotifyUI& msg) {
      if (msg.sType != "click") return false;
      UIMessageBox(hwnd, (line + line + line).c_str());
      return true;
    };
  });
  driver.Click("ask");
  const HWND box = driver.FindWindow("UIMessageBox");
  ASSERT_NE(box, nullptr);
  driver.Run([&] {
    RECT rc{};
    GetClientRect(box, &rc);
    EXPECT_GT(RectHeight(rc), 164);
    EXPECT_EQ(RectWidth(rc), 360);
  });
  driver.AnswerMessageBox("ok");
}

TEST_F(MessageBoxTest, WithoutItsLayoutTheNoticeFallsBackToThePlainBox) {
  CResourceManagerUI::SetResourceZipPtr(nullptr, 0);
  driver.Run([&] {
    EXPECT_EQ(UIMessageBox(hwnd, "abc"), IDOK);
    EXPECT_EQ(UIMessageBox2(hwnd, "abc"), 1);
  });
  const auto plain = driver.PlainMessageBoxes();
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(plain[0].text, "abc");
  EXPECT_EQ(plain[0].caption, "提示");
}

}  // namespace
}  // namespace ui::testing
