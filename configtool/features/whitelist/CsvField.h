#pragma once
// One field of a CSV line as RFC 4180 writes it, quoted only when it must be: when it holds a
// comma, a quote, CR or LF, or starts or ends with a blank (which readers trim from unquoted
// fields). Every other field is written as it is, so plain files stay byte for byte as before.

#include <string>
#include <string_view>

void AppendCsvField(std::string& line, std::string_view text);
bool CsvFieldNeedsQuotes(std::string_view text);
