#include "configformat/StyledJsonText.h"

#include <cstdio>
#include <vector>

#include <json/writer.h>

namespace {

constexpr unsigned kRightMargin = 74;
constexpr unsigned kIndentSize = 3;

// As the styled writer quotes ASCII; every other byte goes out unchanged.
std::string QuoteRaw(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\b': quoted += "\\b"; break;
      case '\f': quoted += "\\f"; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          quoted += escaped;
        } else {
          quoted += static_cast<char>(c);
        }
    }
  }
  quoted += '"';
  return quoted;
}

// Follows Json::StyledWriter step by step, so that ASCII documents come out identical.
class StyledText {
 public:
  std::string Write(const Json::Value& root) {
    WriteValue(root);
    m_document += '\n';
    return m_document;
  }

 private:
  void WriteValue(const Json::Value& value) {
    switch (value.type()) {
      case Json::nullValue: PushValue("null"); break;
      case Json::intValue: PushValue(Json::valueToString(value.asLargestInt())); break;
      case Json::uintValue: PushValue(Json::valueToString(value.asLargestUInt())); break;
      case Json::realValue: PushValue(Json::valueToString(value.asDouble())); break;
      case Json::stringValue: PushValue(QuoteRaw(value.asString())); break;
      case Json::booleanValue: PushValue(Json::valueToString(value.asBool())); break;
      case Json::arrayValue: WriteArray(value); break;
      case Json::objectValue: WriteObject(value); break;
    }
  }

  void WriteObject(const Json::Value& value) {
    const Json::Value::Members members = value.getMemberNames();
    if (members.empty()) {
      PushValue("{}");
      return;
    }
    WriteWithIndent("{");
    Indent();
    for (std::size_t i = 0; i < members.size(); ++i) {
      if (i > 0) m_document += ',';
      WriteWithIndent(QuoteRaw(members[i]));
      m_document += " : ";
      WriteValue(value[members[i]]);
    }
    Unindent();
    WriteWithIndent("}");
  }

  void WriteArray(const Json::Value& value) {
    const Json::ArrayIndex size = value.size();
    if (size == 0) {
      PushValue("[]");
      return;
    }
    if (!IsMultilineArray(value)) {
      m_document += "[ ";
      for (Json::ArrayIndex i = 0; i < size; ++i) {
        if (i > 0) m_document += ", ";
        m_document += m_childValues[i];
      }
      m_document += " ]";
      return;
    }
    WriteWithIndent("[");
    Indent();
    const bool hasChildValues = !m_childValues.empty();
    for (Json::ArrayIndex i = 0; i < size; ++i) {
      if (i > 0) m_document += ',';
      if (hasChildValues) {
        WriteWithIndent(m_childValues[i]);
      } else {
        WriteIndent();
        WriteValue(value[i]);
      }
    }
    Unindent();
    WriteWithIndent("]");
  }

  // An array goes on one line when it is short and holds no non-empty array or object. The
  // element texts made for that test are kept in m_childValues, as the styled writer keeps them.
  bool IsMultilineArray(const Json::Value& value) {
    const Json::ArrayIndex size = value.size();
    bool multiline = size * 3 >= kRightMargin;
    m_childValues.clear();
    for (Json::ArrayIndex i = 0; i < size && !multiline; ++i) {
      const Json::Value& child = value[i];
      multiline = (child.isArray() || child.isObject()) && !child.empty();
    }
    if (!multiline) {
      m_childValues.reserve(size);
      m_addChildValues = true;
      Json::ArrayIndex lineLength = 4 + (size - 1) * 2;
      for (Json::ArrayIndex i = 0; i < size; ++i) {
        WriteValue(value[i]);
        lineLength += static_cast<Json::ArrayIndex>(m_childValues[i].length());
      }
      m_addChildValues = false;
      multiline = lineLength >= kRightMargin;
    }
    return multiline;
  }

  void PushValue(const std::string& text) {
    if (m_addChildValues) {
      m_childValues.push_back(text);
    } else {
      m_document += text;
    }
  }

  void WriteIndent() {
    if (!m_document.empty()) {
      const char last = m_document.back();
      if (last == ' ') return;  // already placed after "key : "
      if (last != '\n') m_document += '\n';
    }
    m_document += m_indent;
  }

  void WriteWithIndent(const std::string& text) {
    WriteIndent();
    m_document += text;
  }

  void Indent() { m_indent.append(kIndentSize, ' '); }
  void Unindent() { m_indent.resize(m_indent.size() - kIndentSize); }

  std::string m_document;
  std::string m_indent;
  std::vector<std::string> m_childValues;
  bool m_addChildValues = false;
};

}  // namespace

std::string StyledJsonText(const Json::Value& root) { return StyledText().Write(root); }
