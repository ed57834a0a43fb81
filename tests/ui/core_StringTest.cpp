// CDuiString: GBK bytes with the text calls the programs make; positions and lengths in bytes.

#include "platform/ui/core/UIString.h"

#include <gtest/gtest.h>

#include <string>

namespace ui::testing {
namespace {

// A double-byte character whose trail byte is the ASCII letter 'a' (0x61).
const std::string kTrailA = "\x81\x61";

TEST(StringTest, CaseChangesLeaveDoubleByteCharactersWhole) {
  struct Case {
    std::string text;
    std::string upper;
    std::string lower;
  };
  const Case cases[] = {
      {"abc XYZ 09", "ABC XYZ 09", "abc xyz 09"},
      {"车牌ab", "车牌AB", "车牌ab"},
      {kTrailA + "a" + kTrailA, kTrailA + "A" + kTrailA, kTrailA + "a" + kTrailA},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    CDuiString upper(c.text);
    upper.MakeUpper();
    EXPECT_EQ(upper.Str(), c.upper) << c.text;
    CDuiString lower(c.upper);
    lower.MakeLower();
    EXPECT_EQ(lower.Str(), c.lower) << c.text;
  }
}

TEST(StringTest, CompareNoCaseFoldsOnlyAsciiLetters) {
  EXPECT_EQ(CDuiString("Camera").CompareNoCase("cAMERA"), 0);
  EXPECT_LT(CDuiString("abc").CompareNoCase("ABD"), 0);
  EXPECT_GT(CDuiString("b").CompareNoCase(nullptr), 0);
  // Two different characters that differ in the case of their trail byte stay different.
  EXPECT_NE(CDuiString(kTrailA).CompareNoCase("\x81\x41"), 0);
}

TEST(StringTest, PiecesAndSearchesStayInsideTheText) {
  const CDuiString text("192.168.1.10");
  EXPECT_EQ(text.Left(3), "192");
  EXPECT_EQ(text.Left(-1), "");
  EXPECT_EQ(text.Left(99), "192.168.1.10");
  EXPECT_EQ(text.Mid(4, 3), "168");
  EXPECT_EQ(text.Mid(-2, 3), "192");
  EXPECT_EQ(text.Mid(50), "");
  EXPECT_EQ(text.Right(2), "10");
  EXPECT_EQ(text.Right(99), "192.168.1.10");
  EXPECT_EQ(text.Find('.'), 3);
  EXPECT_EQ(text.Find('.', 4), 7);
  EXPECT_EQ(text.Find('.', 99), -1);
  EXPECT_EQ(text.Find("1.1"), 8);
  EXPECT_EQ(text.Find(nullptr), -1);
  EXPECT_EQ(text.ReverseFind('.'), 9);
  EXPECT_EQ(text.GetAt(0), '1');
  EXPECT_EQ(text.GetAt(-1), '\0');
  EXPECT_EQ(text.GetAt(12), '\0');
}

TEST(StringTest, ReplaceFormatAndAssign) {
  CDuiString text("a-b-c");
  EXPECT_EQ(text.Replace("-", "--"), 2);  // the replacement is not searched again
  EXPECT_EQ(text, "a--b--c");
  EXPECT_EQ(text.Replace("", "x"), 0);
  CDuiString longText;
  EXPECT_EQ(longText.Format("%s|%d", std::string(5000, 'x').c_str(), 42), 5003);
  EXPECT_EQ(longText.Right(3), "|42");
  CDuiString assigned;
  assigned.Assign("abcdef", 3);
  EXPECT_EQ(assigned, "abc");
  assigned.Assign("ab\0cd", 5);  // stops at the terminator, as the buffers it comes from do
  EXPECT_EQ(assigned, "ab");
  assigned.Assign(nullptr);
  EXPECT_TRUE(assigned.IsEmpty());
}

}  // namespace
}  // namespace ui::testing
