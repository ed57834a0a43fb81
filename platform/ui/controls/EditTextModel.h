#pragma once
// The text, selection and limits of a single-line edit. Positions are byte offsets into the GBK
// text, as in an ANSI edit control; a double-byte character is always handled as one unit, so no
// position ever falls between its two bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

class EditTextModel {
 public:
  static constexpr std::size_t kNoLimit = 0x7FFFFFFE;

  const std::string& Text() const { return m_text; }
  // Replaces the text as code does (no limit applies); the caret goes to the start.
  void SetText(std::string_view text);

  // The selection as (start, end) with start <= end; the caret is the end the user moves.
  std::size_t SelectionStart() const;
  std::size_t SelectionEnd() const;
  std::size_t Caret() const { return m_caret; }
  bool HasSelection() const { return m_anchor != m_caret; }
  std::string SelectedText() const;
  // EM_SETSEL: a negative start removes the selection, a negative end means the end of the text;
  // positions are clamped to the text and moved off a trail byte. The caret goes to `end`.
  void SetSelection(long start, long end);
  void SelectAll();

  // 0 means no limit, as EM_LIMITTEXT with 0.
  void SetLimit(std::size_t limit);
  std::size_t Limit() const { return m_limit; }
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
  bool IsReadOnly() const { return m_readOnly; }
  // 0 shows the text as it is.
  void SetPasswordChar(char passwordChar) { m_passwordChar = passwordChar; }
  char PasswordChar() const { return m_passwordChar; }

  // User edits. Each returns true when the text changed. Read-only refuses them all.
  // Replaces the selection with as many whole characters of `text` as the limit leaves room for,
  // up to its first line break (a single-line edit keeps one line).
  bool ReplaceSelection(std::string_view text);
  bool Backspace();
  bool DeleteForward();

  // Caret moves; with `extend` the anchor stays and the selection grows or shrinks.
  void MoveLeft(bool extend);
  void MoveRight(bool extend);
  void MoveHome(bool extend);
  void MoveEnd(bool extend);
  void MoveTo(std::size_t position, bool extend);

  // What is drawn: the text, or one password character per character.
  std::string DisplayText() const;
  // Maps a byte position of the text to the matching position of DisplayText() and back.
  std::size_t ToDisplayPosition(std::size_t position) const;
  std::size_t FromDisplayPosition(std::size_t displayPosition) const;

  // The start of the character that holds byte `position` (positions past the end clamp).
  std::size_t CharacterStart(std::size_t position) const;
  std::size_t NextCharacter(std::size_t position) const;
  std::size_t PreviousCharacter(std::size_t position) const;

 private:
  void EraseSelection();

  std::string m_text;
  std::size_t m_anchor = 0;
  std::size_t m_caret = 0;
  std::size_t m_limit = kNoLimit;
  bool m_readOnly = false;
  char m_passwordChar = 0;
};

}  // namespace ui
