// The edit field and its emulated edit window: typing (GBK, limits, Backspace), the edit messages,
// the EN_CHANGE reflection, the clipboard, colours, and when the window opens and closes.

#include "platform/ui/controls/UIEdit.h"

#include <gtest/gtest.h>

#include "platform/ui/controls/UIEditWnd.h"
#include "tests/ui/ControlsTestSupport.h"

namespace ui::testing {
namespace {

const char* const kLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="400,300">
  <VerticalLayout>
    <Edit name="name" height="30"/>
    <Edit name="short" height="30" maxchar="3"/>
    <Edit name="pwd" height="30" password="true"/>
    <Edit name="coloured" height="30" nativebkcolor="#FF336699" textcolor="#FFFFFF00"/>
    <Button name="other" height="30" text="other"/>
    <Control/>
  </VerticalLayout>
</Window>)";

// An edit window of the program's own class over the emulated edit: it sees what is reflected.
class ProbeEditWnd : public CWindowWnd {
 public:
  std::vector<UINT> codes;
  std::vector<UINT> messages;

 protected:
  const char* GetWindowClassName() const override { return "ProbeEditWnd"; }
  const char* GetSuperClassName() const override { return "Edit"; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    if (message == OCM_COMMAND) codes.push_back(HIWORD(wParam));
    return CWindowWnd::HandleMessage(message, wParam, lParam);
  }
};

class EditTest : public ControlsTest {
 protected:
  void SetUp() override { Open(kLayout); }
  CEditUI* Edit(const char* name) { return Find<CEditUI>(name); }
  std::string Text(const char* name) { return driver.Text(name); }
  HWND EditWindow(const char* name) {
    return driver.Get<HWND>([&] { return Edit(name)->GetEditWindow(); });
  }
  void Ctrl(char key) {
    driver.KeyDown(VK_CONTROL);
    driver.PressKey(static_cast<UINT>(key));
    driver.KeyUp(VK_CONTROL);
  }
};

TEST_F(EditTest, TypingStoresGbkAndSendsTextChangedForEachCharacter) {
  ASSERT_TRUE(driver.Type("name", reinterpret_cast<const char*>(u8"ab中文")));
  EXPECT_EQ(Text("name"), "ab中文");
  EXPECT_EQ(Types("name"), std::vector<std::string>(4, "textchanged"));
  EXPECT_EQ(driver.Get<std::string>([&] { return GetWindowTextString(Edit("name")->GetEditWindow()); }), "ab中文");
}

TEST_F(EditTest, BackspaceRemovesAWholeDoubleByteCharacter) {
  driver.Type("name", reinterpret_cast<const char*>(u8"a中"));
  driver.PressKey(VK_BACK);
  EXPECT_EQ(Text("name"), "a");
  driver.PressKey(VK_BACK);
  driver.PressKey(VK_BACK);  // nothing left: no change, no notification
  EXPECT_EQ(Text("name"), "");
  EXPECT_EQ(Types("name"), std::vector<std::string>(4, "textchanged"));
}

TEST_F(EditTest, MaxCharLimitsTypingInBytesWithoutSplittingACharacter) {
  driver.Type("short", reinterpret_cast<const char*>(u8"ab中c"));
  EXPECT_EQ(Text("short"), "abc");
}

TEST_F(EditTest, SetTextFromCodeUpdatesTheOpenWindowWithoutNotifying) {
  driver.Type("name", "ab");
  ClearNotes();
  driver.Run([&] { Edit("name")->SetText("xyz"); });
  EXPECT_EQ(driver.Get<std::string>([&] { return GetWindowTextString(Edit("name")->GetEditWindow()); }), "xyz");
  EXPECT_TRUE(Types("name").empty());
  // Typing goes on from the new text.
  driver.TypeText("!");
  EXPECT_EQ(Text("name").size(), 4u);
}

TEST_F(EditTest, EditMessagesOfTheOpenWindow) {
  driver.Type("name", reinterpret_cast<const char*>(u8"a中b"));
  driver.Run([&] {
    const HWND edit = Edit("name")->GetEditWindow();
    ASSERT_NE(edit, nullptr);
    SendMessage(edit, EM_SETSEL, 2, 4);  // 2 lies inside 中: the selection starts at its lead byte
    DWORD start = 0;
    DWORD end = 0;
    const LRESULT sel = SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(sel, MAKELPARAM(1, 4));
    SendMessage(edit, EM_SETSEL, 0, static_cast<LPARAM>(-1));
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 4u);
    // Character positions from points: the left edge is 0, far right the end.
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(SendMessage(edit, EM_CHARFROMPOS, 0, MAKELPARAM(0, 5)))), 0);
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(SendMessage(edit, EM_CHARFROMPOS, 0, MAKELPARAM(1000, 5)))), 4);
    SendMessage(edit, EM_SETREADONLY, 1);
    SendMessage(edit, EM_SETSEL, 4, 4);
  });
  driver.TypeText("z");
  driver.PressKey(VK_BACK);
  EXPECT_EQ(Text("name"), "a中b");  // read-only
  driver.Run([&] {
    const HWND edit = Edit("name")->GetEditWindow();
    SendMessage(edit, EM_SETREADONLY, 0);
    SendMessage(edit, EM_LIMITTEXT, 5);
  });
  driver.TypeText(reinterpret_cast<const char*>(u8"xy"));
  EXPECT_EQ(Text("name"), "a中bx");
}

TEST_F(EditTest, UserEditsAreReflectedAsEnUpdateThenEnChangeAndCodeChangesAreNot) {
  ProbeEditWnd* probe = nullptr;
  HWND edit = nullptr;
  driver.Run([&] {
    probe = new ProbeEditWnd;
    edit = probe->Create(hwnd, "", WS_CHILD | WS_VISIBLE, 0, RECT{10, 250, 200, 280});
    SetFocus(edit);
  });
  ASSERT_NE(edit, nullptr);
  driver.TypeText("ab");
  driver.Run([&] {
    EXPECT_EQ(probe->codes, (std::vector<UINT>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    probe->codes.clear();
    SetWindowText(edit, "xyz");
    SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("q"));
    EXPECT_TRUE(probe->codes.empty());
    EXPECT_EQ(GetWindowTextString(edit), "q");
  });
  // The edit class takes double clicks, also for classes that name it as super class.
  driver.DoubleClick("name");  // anything, to make sure no double click is pending
  driver.Run([&] {
    probe->messages.clear();
    ThreadQueue::Current()->lastDownWindow = nullptr;
    for (int i = 0; i < 2; ++i) {
      HostMouseEvent(hwnd, WM_LBUTTONDOWN, POINT{20, 260}, MK_LBUTTON);
      HostMouseEvent(hwnd, WM_LBUTTONUP, POINT{20, 260}, 0);
    }
  });
  driver.Run([&] {
    EXPECT_NE(std::find(probe->messages.begin(), probe->messages.end(), WM_LBUTTONDBLCLK), probe->messages.end());
    DestroyWindow(edit);
    delete probe;
  });
}

TEST_F(EditTest, ClipboardCopiesAndPastesButNeverCopiesAPassword) {
  driver.Type("name", reinterpret_cast<const char*>(u8"中a"));
  Ctrl('A');
  Ctrl('C');
  EXPECT_EQ(driver.Get<std::string>([] { return GetClipboardText(); }), "中a");
  Ctrl('X');
  EXPECT_EQ(Text("name"), "");
  driver.Type("pwd", "secret");
  Ctrl('A');
  Ctrl('C');
  EXPECT_EQ(driver.Get<std::string>([] { return GetClipboardText(); }), "中a");
  driver.Click("short");
  Ctrl('V');
  EXPECT_EQ(Text("short"), "中a");
  EXPECT_EQ(Text("pwd"), "secret");
}

TEST_F(EditTest, TheEditWindowOpensWithTheFocusAndClosesWhenTheFocusMovesOrTheFieldHides) {
  EXPECT_EQ(EditWindow("name"), nullptr);
  driver.Type("name", "abc");
  const HWND edit = EditWindow("name");
  ASSERT_NE(edit, nullptr);
  driver.Click("other");
  EXPECT_EQ(EditWindow("name"), nullptr);
  EXPECT_FALSE(driver.Get<bool>([&] { return IsWindow(edit); }));
  EXPECT_EQ(Text("name"), "abc");

  driver.Click("name");
  ASSERT_NE(EditWindow("name"), nullptr);
  driver.Run([&] { Edit("name")->SetVisible(false); });
  EXPECT_EQ(EditWindow("name"), nullptr);
}

// Takes the activation from the window at the first key, as when the display activates another
// window just as the typing begins.
class ActivationThief : public IMessageFilterUI {
 public:
  explicit ActivationThief(HWND window) : m_window(window) {}
  LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool&) override {
    if (message == WM_KEYDOWN) HostActivation(m_window, false);
    return 0;
  }

 private:
  HWND m_window;
};

TEST_F(EditTest, TypingWhoseFocusWentElsewhereIsReportedAsNotTyped) {
  ActivationThief thief(hwnd);
  driver.Run([&] { window->Manager().AddPreMessageFilter(&thief); });
  EXPECT_FALSE(driver.Type("name", "abc")) << "the text went nowhere";
  EXPECT_EQ(Text("name"), "");
  driver.Run([&] { window->Manager().RemovePreMessageFilter(&thief); });
  EXPECT_TRUE(driver.Type("name", "abc"));
  EXPECT_EQ(Text("name"), "abc");
}

TEST_F(EditTest, NativeBackgroundColourPaintsTheOpenEditWindow) {
  driver.Click("coloured");
  driver.Run([&] {
    const RECT pos = Edit("coloured")->GetEditPos();
    const Canvas* picture = HostWindowPicture(hwnd);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ColorAt(static_cast<int>(pos.right - 2), static_cast<int>(pos.top + 1)), 0xFF336699u);
    const RECT plain = Find<CEditUI>("name")->GetPos();
    EXPECT_NE(picture->ColorAt(static_cast<int>(plain.right - 3), static_cast<int>(plain.top + 3)), 0xFF336699u);
  });
}

// The driver picks a part of an edit's text as a user does: a double click on it (a word here);
// EM_POSFROMCHAR tells where a character lies.
TEST_F(EditTest, TheDriverSelectsByADoubleClickOnACharacter) {
  driver.Run([&] { Edit("name")->SetText("hello big world"); });
  ASSERT_TRUE(driver.SelectEditField("name", 7));
  const HWND edit = EditWindow("name");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(driver.Get<LRESULT>([&] { return SendMessage(edit, EM_GETSEL); }), MAKELPARAM(6, 9));
  // Beyond the text there is no character to pick.
  EXPECT_EQ(driver.Get<LRESULT>([&] { return SendMessage(edit, EM_POSFROMCHAR, 16); }), -1);
  EXPECT_FALSE(driver.SelectEditField("name", 16));
  const LRESULT first = driver.Get<LRESULT>([&] { return SendMessage(edit, EM_POSFROMCHAR, 0); });
  const LRESULT end = driver.Get<LRESULT>([&] { return SendMessage(edit, EM_POSFROMCHAR, 15); });
  EXPECT_EQ(GET_X_LPARAM(first), 0);
  EXPECT_GT(GET_X_LPARAM(end), GET_X_LPARAM(first));
  EXPECT_EQ(GET_Y_LPARAM(end), GET_Y_LPARAM(first));
}

}  // namespace
}  // namespace ui::testing
