#include "platform/os/Charset.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "tests/os/TestSupport.h"

namespace os {
namespace {

using test::Utf8;

struct Text {
  const char* gbk;  // compiled to GBK bytes
  std::u8string_view utf8;
  std::u16string_view utf16;
};

const Text kTexts[] = {
    {"", u8"", u""},
    {"btn_open 192.168.1.100:8080", u8"btn_open 192.168.1.100:8080", u"btn_open 192.168.1.100:8080"},
    {"提示", u8"提示", u"提示"},
    {"一体机配置工具程序已经启动", u8"一体机配置工具程序已经启动", u"一体机配置工具程序已经启动"},
    {"保存失败，请重试！", u8"保存失败，请重试！", u"保存失败，请重试！"},
    {"ID,车牌号码,是否启用,建档时间", u8"ID,车牌号码,是否启用,建档时间", u"ID,车牌号码,是否启用,建档时间"},
    {"京A12345 粤B·D8888", u8"京A12345 粤B·D8888", u"京A12345 粤B·D8888"},
};

TEST(Charset, LiteralsOfThisTestAreGbk) {
  // 提示 is CC E1 CA BE in code page 936; without it the round trips below would prove nothing.
  EXPECT_EQ(std::string("提示"), std::string("\xCC\xE1\xCA\xBE"));
}

TEST(Charset, RoundTripsRealTexts) {
  for (const Text& text : kTexts) {
    SCOPED_TRACE(Utf8(text.utf8));
    EXPECT_EQ(GbkToUtf8(text.gbk), Utf8(text.utf8));
    EXPECT_EQ(Utf8ToGbk(Utf8(text.utf8)), text.gbk);
    EXPECT_EQ(GbkToUtf16(text.gbk), text.utf16);
    EXPECT_EQ(Utf16ToGbk(text.utf16), text.gbk);
  }
}

TEST(Charset, KeepsEmbeddedNulBytes) {
  const std::string gbk("a\0提", 4);
  EXPECT_EQ(GbkToUtf8(gbk), std::string("a\0\xE6\x8F\x90", 5));
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
}

TEST(Charset, LongTextConvertsWhole) {
  std::string gbk;
  std::string utf8;
  for (int i = 0; i < 5000; ++i) {
    gbk += "车牌";
    utf8 += Utf8(u8"车牌");
  }
  EXPECT_EQ(GbkToUtf8(gbk), utf8);
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
}

TEST(Charset, ReplacesWhatDoesNotConvert) {
  const std::string replacement = Utf8(u8"\uFFFD");
  struct Case {
    std::string gbk;
    std::string utf8;
  };
  const Case gbkCases[] = {
      {"\x81", replacement},                   // lead byte at the end
      {"a\xFF" "b", "a" + replacement + "b"},  // never a GBK byte
      {"\x81\x30" "x", replacement + "0x"},    // lead byte without its trail: the next byte survives
      {"\xCC\xE1\xCA", Utf8(u8"提") + replacement},
  };
  for (const Case& c : gbkCases) {
    SCOPED_TRACE(c.gbk);
    EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
  }
  EXPECT_EQ(GbkToUtf16("\xFF"), u"\uFFFD");

  struct Utf8Case {
    std::string utf8;
    std::string gbk;
  };
  const Utf8Case utf8Cases[] = {
      {Utf8(u8"a😀b"), "a?b"},  // not in GBK: one '?' for the whole character
      {"a\xC3(b", "a?(b"},       // broken sequence
      {"\xE6\x8F", "?"},         // cut sequence at the end
      {Utf8(u8"提😀示"), "提?示"},
  };
  for (const Utf8Case& c : utf8Cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
  }
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600b"), "a?b");
  EXPECT_EQ(Utf16ToGbk(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x?y");
}

TEST(Charset, PrefixNeverSplitsADoubleByteCharacter) {
  const std::string text = "ab提示c";  // a b [CC E1] [CA BE] c
  const std::size_t expected[] = {0, 1, 2, 2, 4, 4, 6, 7, 7};
  for (std::size_t limit = 0; limit < std::size(expected); ++limit) {
    SCOPED_TRACE(limit);
    EXPECT_EQ(GbkPrefixLength(text, limit), expected[limit]);
  }
  struct Case {
    std::string text;
    std::size_t limit;
    std::size_t length;
  };
  const Case cases[] = {
      {"", 10, 0},
      {"abc\x81", 4, 4},       // a lone lead byte at the end counts as one byte
      {"\x81\x30\xCC\xE1", 3, 2},  // 0x81 without a trail byte is a byte of its own
      {"车牌号码", 7, 6},
      {"车牌号码", 63, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(GbkPrefixLength(c.text, c.limit), c.length);
  }
}

TEST(Charset, LeadBytes) {
  EXPECT_FALSE(IsGbkLeadByte(0x00));
  EXPECT_FALSE(IsGbkLeadByte('A'));
  EXPECT_FALSE(IsGbkLeadByte(0x80));
  EXPECT_TRUE(IsGbkLeadByte(0x81));
  EXPECT_TRUE(IsGbkLeadByte(0xCC));
  EXPECT_TRUE(IsGbkLeadByte(0xFE));
  EXPECT_FALSE(IsGbkLeadByte(0xFF));
}

TEST(Charset, ConvertsOnManyThreadsAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 2000; ++i) {
        const Text& text = kTexts[(t + i) % std::size(kTexts)];
        if (GbkToUtf8(text.gbk) != Utf8(text.utf8) || Utf16ToGbk(text.utf16) != text.gbk) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int failed : failures) EXPECT_EQ(failed, 0);
}

}  // namespace
}  // namespace os
