// The text model of the single-line edit: GBK double-byte characters are one unit for the caret,
// deletion, selection and the limit.

#include "platform/ui/controls/EditTextModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {
namespace {

// "中文" in GBK, and a mixed text: 'a', 中, 'b', 文.
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";
const std::string kMixed = "a" + kZhong + "b" + kWen;

struct EditCase {
  const char* name;
  std::string start;
  std::function<void(EditTextModel&)> edit;
  std::string text;
  std::size_t caret;
};

TEST(EditTextModelTest, EditsTreatDoubleByteCharactersAsOne) {
  const std::vector<EditCase> cases = {
      {"backspace after a double-byte character removes both bytes", kMixed,
       [](EditTextModel& m) {
         m.MoveTo(3, false);
         m.Backspace();
       },
       "ab" + kWen, 1},
      {"backspace after a double-byte character at the end", kMixed,
       [](EditTextModel& m) {
         m.MoveEnd(false);
         m.Backspace();
       },
       "a" + kZhong + "b", 4},
      {"delete before a double-byte character removes both bytes", kMixed,
       [](EditTextModel& m) {
         m.MoveTo(1, false);
         m.DeleteForward();
       },
       "ab" + kWen, 1},
      {"a position on a trail byte moves to the character's start", kMixed,
       [](EditTextModel& m) { m.MoveTo(2, false); }, kMixed, 1},
      {"left and right step over whole characters", kMixed,
       [](EditTextModel& m) {
         m.MoveTo(1, false);
         m.MoveRight(false);
         m.MoveRight(false);
         m.MoveLeft(false);
       },
       kMixed, 3},
      {"typing replaces the selection", kMixed,
       [](EditTextModel& m) {
         m.SetSelection(1, 4);
         m.ReplaceSelection("x");
       },
       "ax" + kWen, 2},
      {"a pasted line is cut at its first line break", "",
       [](EditTextModel& m) { m.ReplaceSelection("one\r\ntwo"); }, "one", 3},
      {"read-only refuses every edit", "abc",
       [](EditTextModel& m) {
         m.SetReadOnly(true);
         m.MoveEnd(false);
         m.Backspace();
         m.ReplaceSelection("x");
         m.DeleteForward();
       },
       "abc", 3},
  };
  for (const EditCase& c : cases) {
    EditTextModel model;
    model.SetText(c.start);
    c.edit(model);
    EXPECT_EQ(model.Text(), c.text) << c.name;
    EXPECT_EQ(model.Caret(), c.caret) << c.name;
  }
}

TEST(EditTextModelTest, LimitNeverSplitsADoubleByteCharacter) {
  EditTextModel model;
  model.SetLimit(4);
  EXPECT_TRUE(model.ReplaceSelection("ab"));
  // Room for one byte only: the double-byte character does not fit and nothing is added.
  EXPECT_TRUE(model.ReplaceSelection("c"));
  EXPECT_FALSE(model.ReplaceSelection(kZhong));
  EXPECT_EQ(model.Text(), "abc");
  // A paste keeps the whole characters that fit.
  model.SetText("");
  EXPECT_TRUE(model.ReplaceSelection(kZhong + kWen + "z"));
  EXPECT_EQ(model.Text(), kZhong + kWen);
  // A full field still takes a replacement of its selection.
  model.SetSelection(0, 2);
  EXPECT_TRUE(model.ReplaceSelection("xy"));
  EXPECT_EQ(model.Text(), "xy" + kWen);
}

TEST(EditTextModelTest, SetSelectionFollowsTheEditControlRules) {
  struct Case {
    long start;
    long end;
    std::size_t selStart;
    std::size_t selEnd;
  };
  const std::vector<Case> cases = {
      {0, -1, 0, 6},  // all
      {2, 99, 1, 6},  // clamped, and off the trail byte
      {5, 1, 1, 4},   // reversed, and off the trail byte
      {6, 6, 6, 6},
  };
  for (const Case& c : cases) {
    EditTextModel model;
    model.SetText(kMixed);
    model.SetSelection(c.start, c.end);
    EXPECT_EQ(model.SelectionStart(), c.selStart) << c.start << "," << c.end;
    EXPECT_EQ(model.SelectionEnd(), c.selEnd) << c.start << "," << c.end;
  }
  EditTextModel model;
  model.SetText(kMixed);
  model.SetSelection(1, 4);
  model.SetSelection(-1, 0);  // removes the selection, the caret stays
  EXPECT_FALSE(model.HasSelection());
  EXPECT_EQ(model.Caret(), 4u);
}

TEST(EditTextModelTest, PasswordDisplayShowsOneCharacterPerCharacter) {
  EditTextModel model;
  model.SetText(kMixed);
  model.SetPasswordChar('*');
  EXPECT_EQ(model.DisplayText(), "****");
  EXPECT_EQ(model.ToDisplayPosition(4), 3u);
  EXPECT_EQ(model.FromDisplayPosition(3), 4u);
  EXPECT_EQ(model.FromDisplayPosition(4), 6u);
}

}  // namespace
}  // namespace ui
