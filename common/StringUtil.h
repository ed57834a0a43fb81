#pragma once
// String helpers on GBK texts.

#include <string>
#include <vector>

// Appends the pieces of `text` between any of the `delimiters` characters, empty pieces
// included; an empty text gives one empty piece.
void SplitString(const std::string& text, const std::string& delimiters, std::vector<std::string>& pieces);

// Replaces every occurrence of `searched` in `text`, going on after each replacement.
// True when at least one replacement was made; an empty `searched` changes nothing.
bool ReplaceAll(std::string& text, const std::string& searched, const std::string& replacement);

// A copy without leading and trailing blanks (" " only; tabs and line ends stay).
std::string TrimString(const std::string& text);

// False for an empty text; otherwise true when every character is "0" to "9".
bool IsAllDigits(const std::string& text);

// The UTF-16 form of a GBK text.
std::u16string AnsiToWide(const std::string& text);
