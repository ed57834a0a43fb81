#include "common/StringUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

TEST(SplitString, PiecesIncludingEmptyOnes) {
  struct Case {
    std::string text;
    std::string delimiters;
    Pieces pieces;
  };
  const Case cases[] = {
      {"a.b", ".", {"a", "b"}},
      {"a..b", ".", {"a", "", "b"}},
      {"a.", ".", {"a", ""}},
      {".a", ".", {"", "a"}},
      {"", ".", {""}},
      {"abc", ".", {"abc"}},
      {"1:2  ", " ", {"1:2", "", ""}},
      {"192.168.1.2:80", ":.", {"192", "168", "1", "2", "80"}},
  };
  for (const Case& c : cases) {
    Pieces pieces;
    SplitString(c.text, c.delimiters, pieces);
    EXPECT_EQ(pieces, c.pieces) << '"' << c.text << '"';
  }
}

TEST(SplitString, AppendsToWhatTheVectorHolds) {
  Pieces pieces{"kept"};
  SplitString("x y", " ", pieces);
  EXPECT_EQ(pieces, (Pieces{"kept", "x", "y"}));
}

TEST(ReplaceAll, ReplacesEveryOccurrenceAndTells) {
  struct Case {
    std::string text;
    std::string searched;
    std::string replacement;
    std::string result;
    bool replaced;
  };
  const Case cases[] = {
      {"a,b,c", ",", "&", "a&b&c", true},
      {"a&b&c", "&", ",", "a,b,c", true},
      {"abc", ",", "&", "abc", false},
      {"", ",", "&", "", false},
      {",,", ",", "", "", true},
      {"aXXbXX", "XX", "Y", "aYbY", true},
      // A replacement that holds the searched text must not loop forever.
      {"a,b", ",", ",,", "a,,b", true},
      {"aaa", "a", "aa", "aaaaaa", true},
      // An empty searched text changes nothing.
      {"abc", "", "x", "abc", false},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ReplaceAll(text, c.searched, c.replacement), c.replaced) << '"' << c.text << '"';
    EXPECT_EQ(text, c.result) << '"' << c.text << '"';
  }
}

TEST(TrimString, RemovesOuterBlanksOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {"  a b  ", "a b"}, {"a", "a"},       {"   ", ""},         {"", ""},
      {"\ta \t", "\ta \t"}, {" \ta\t ", "\ta\t"}, {"a\n ", "a\n"}, {" 中 文 ", "中 文"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(TrimString(input), expected) << '"' << input << '"';
}

TEST(IsAllDigits, DecimalDigitsOnly) {
  const std::pair<std::string, bool> cases[] = {
      {"0", true}, {"0123456789", true}, {"", false}, {"12a", false},
      {" 1", false}, {"-1", false},      {"1.5", false}, {"１", false},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(IsAllDigits(input), expected) << '"' << input << '"';
}

TEST(AnsiToWide, ConvertsGbkToUtf16) {
  EXPECT_EQ(AnsiToWide("abc"), u"abc");
  EXPECT_EQ(AnsiToWide("请先打开一台设备！"), u"请先打开一台设备！");
  EXPECT_EQ(AnsiToWide(""), u"");
}

}  // namespace
