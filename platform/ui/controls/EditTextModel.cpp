#include "platform/ui/controls/EditTextModel.h"

#include <algorithm>

#include "platform/os/Charset.h"

namespace ui {

void EditTextModel::SetText(std::string_view text) {
  m_text.assign(text);
  m_anchor = 0;
  m_caret = 0;
}

std::size_t EditTextModel::SelectionStart() const { return std::min(m_anchor, m_caret); }

std::size_t EditTextModel::SelectionEnd() const { return std::max(m_anchor, m_caret); }

std::string EditTextModel::SelectedText() const {
  return m_text.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

void EditTextModel::SetSelection(long start, long end) {
  const long length = static_cast<long>(m_text.size());
  if (start < 0) {
    m_anchor = m_caret;
    return;
  }
  if (end < 0 || end > length) end = length;
  start = std::min(start, length);
  m_anchor = CharacterStart(static_cast<std::size_t>(start));
  m_caret = CharacterStart(static_cast<std::size_t>(end));
}

void EditTextModel::SelectAll() {
  m_anchor = 0;
  m_caret = m_text.size();
}

void EditTextModel::SetLimit(std::size_t limit) { m_limit = (limit == 0 || limit > kNoLimit) ? kNoLimit : limit; }

bool EditTextModel::ReplaceSelection(std::string_view text) {
  if (m_readOnly) return false;
  const std::size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd != std::string_view::npos) text = text.substr(0, lineEnd);
  const std::size_t selected = SelectionEnd() - SelectionStart();
  const std::size_t kept = m_text.size() - selected;
  const std::size_t room = m_limit > kept ? m_limit - kept : 0;
  const std::string_view inserted = text.substr(0, os::GbkPrefixLength(text, room));
  if (inserted.empty() && (!text.empty() || selected == 0)) return false;
  EraseSelection();
  m_text.insert(m_caret, inserted);
  m_caret += inserted.size();
  m_anchor = m_caret;
  return true;
}

bool EditTextModel::Backspace() {
  if (m_readOnly) return false;
  if (HasSelection()) {
    EraseSelection();
    return true;
  }
  if (m_caret == 0) return false;
  const std::size_t previous = PreviousCharacter(m_caret);
  m_text.erase(previous, m_caret - previous);
  m_caret = m_anchor = previous;
  return true;
}

bool EditTextModel::DeleteForward() {
  if (m_readOnly) return false;
  if (HasSelection()) {
    EraseSelection();
    return true;
  }
  if (m_caret >= m_text.size()) return false;
  m_text.erase(m_caret, NextCharacter(m_caret) - m_caret);
  return true;
}

void EditTextModel::MoveLeft(bool extend) {
  if (!extend && HasSelection()) {
    MoveTo(SelectionStart(), false);
    return;
  }
  MoveTo(PreviousCharacter(m_caret), extend);
}

void EditTextModel::MoveRight(bool extend) {
  if (!extend && HasSelection()) {
    MoveTo(SelectionEnd(), false);
    return;
  }
  MoveTo(NextCharacter(m_caret), extend);
}

void EditTextModel::MoveHome(bool extend) { MoveTo(0, extend); }

void EditTextModel::MoveEnd(bool extend) { MoveTo(m_text.size(), extend); }

void EditTextModel::MoveTo(std::size_t position, bool extend) {
  m_caret = CharacterStart(position);
  if (!extend) m_anchor = m_caret;
}

std::string EditTextModel::DisplayText() const {
  if (m_passwordChar == 0) return m_text;
  return std::string(ToDisplayPosition(m_text.size()), m_passwordChar);
}

std::size_t EditTextModel::ToDisplayPosition(std::size_t position) const {
  if (m_passwordChar == 0) return std::min(position, m_text.size());
  std::size_t characters = 0;
  for (std::size_t i = 0; i < m_text.size() && i < position; i = NextCharacter(i)) ++characters;
  return characters;
}

std::size_t EditTextModel::FromDisplayPosition(std::size_t displayPosition) const {
  if (m_passwordChar == 0) return CharacterStart(displayPosition);
  std::size_t i = 0;
  for (std::size_t n = 0; n < displayPosition && i < m_text.size(); ++n) i = NextCharacter(i);
  return i;
}

std::size_t EditTextModel::CharacterStart(std::size_t position) const {
  if (position >= m_text.size()) return m_text.size();
  std::size_t start = 0;
  for (std::size_t next = 0; next <= position; next = NextCharacter(next)) start = next;
  return start;
}

std::size_t EditTextModel::NextCharacter(std::size_t position) const {
  if (position >= m_text.size()) return m_text.size();
  const bool doubleByte =
      os::IsGbkLeadByte(static_cast<unsigned char>(m_text[position])) && position + 1 < m_text.size();
  return position + (doubleByte ? 2 : 1);
}

std::size_t EditTextModel::PreviousCharacter(std::size_t position) const {
  if (position == 0) return 0;
  return CharacterStart(std::min(position, m_text.size()) - 1);
}

void EditTextModel::EraseSelection() {
  const std::size_t start = SelectionStart();
  m_text.erase(start, SelectionEnd() - start);
  m_anchor = m_caret = start;
}

}  // namespace ui
