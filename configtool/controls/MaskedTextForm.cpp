#include "configtool/controls/MaskedTextForm.h"

#include <utility>

MaskedTextForm::MaskedTextForm(std::string pattern, Formatter format, Parser parse)
    : m_pattern(std::move(pattern)), m_format(format), m_parse(parse) {
  // A field is a run of digit places.
  for (std::size_t i = 0; i < m_pattern.size();) {
    if (!IsDigitPlace(i)) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (IsDigitPlace(i)) ++i;
    m_fields.push_back(Field{start, i});
  }
}

const MaskedTextForm& MaskedTextForm::FullDateTime() {
  static const MaskedTextForm form("9999-99-99 99:99:99", &DateTimeValue::Format, &DateTimeValue::Parse);
  return form;
}

const MaskedTextForm& MaskedTextForm::TimeOfDay() {
  static const MaskedTextForm form("99:99:99", &DateTimeValue::FormatTime, &DateTimeValue::ParseTime);
  return form;
}

ui::CDuiString MaskedTextForm::Format(const DateTimeValue& value) const { return (value.*m_format)(); }

DateTimeValue MaskedTextForm::Parse(const DateTimeValue& current, const char* text) const {
  return (current.*m_parse)(text);
}

std::optional<MaskedTextForm::Field> MaskedTextForm::FieldAt(std::size_t index) const {
  for (const Field& field : m_fields) {
    if (index <= field.end) return field;
  }
  return std::nullopt;
}

std::size_t MaskedTextForm::NextDigitPlace(std::size_t index) const {
  while (index < m_pattern.size() && !IsDigitPlace(index)) ++index;
  return index;
}

std::optional<MaskedTextForm::Typed> MaskedTextForm::Overtype(const std::string& text, std::size_t caret,
                                                              std::string_view digits) const {
  if (text.size() != m_pattern.size() || digits.empty()) return std::nullopt;
  Typed typed{text, NextDigitPlace(caret)};
  if (typed.caret >= m_pattern.size()) return std::nullopt;
  for (char digit : digits) {
    if (typed.caret >= m_pattern.size()) break;
    typed.text[typed.caret] = digit;
    typed.caret = NextDigitPlace(typed.caret + 1);
  }
  return typed;
}
