#pragma once
// The fixed layout of a masked date-time text: which characters are digits, which field a caret
// position belongs to, and how typing writes digits into it. Typing never inserts or removes a
// character, so the separators stay where they are and no field shifts into another.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configtool/controls/DateTimeValue.h"
#include "platform/ui/core/UIString.h"

class MaskedTextForm {
 public:
  // A field's characters, from `start` up to (not including) `end`.
  struct Field {
    std::size_t start;
    std::size_t end;
  };
  struct Typed {
    std::string text;
    std::size_t caret;  // after the last digit written, past the separators that follow it
  };

  // "yyyy-mm-dd hh:mm:ss" (DateTimeValue::Format) and "hh:mm:ss" (DateTimeValue::FormatTime).
  static const MaskedTextForm& FullDateTime();
  static const MaskedTextForm& TimeOfDay();

  std::size_t Length() const { return m_pattern.size(); }
  ui::CDuiString Format(const DateTimeValue& value) const;
  // The value of a text of this form, or `current` when the text does not give a valid one.
  DateTimeValue Parse(const DateTimeValue& current, const char* text) const;

  // The field that a caret at `index` selects (a caret right after a field still selects it);
  // none beyond the last field.
  std::optional<Field> FieldAt(std::size_t index) const;
  // Writes `digits` over the digit places of `text` from `caret` on, skipping separators. Nothing
  // when `text` is not of this form or no digit place is left at the caret.
  std::optional<Typed> Overtype(const std::string& text, std::size_t caret, std::string_view digits) const;

 private:
  using Formatter = ui::CDuiString (DateTimeValue::*)() const;
  using Parser = DateTimeValue (DateTimeValue::*)(const char*) const;

  MaskedTextForm(std::string pattern, Formatter format, Parser parse);
  bool IsDigitPlace(std::size_t index) const { return index < m_pattern.size() && m_pattern[index] == '9'; }
  std::size_t NextDigitPlace(std::size_t index) const;

  std::string m_pattern;  // '9' a digit place, anything else a separator
  std::vector<Field> m_fields;
  Formatter m_format;
  Parser m_parse;
};
