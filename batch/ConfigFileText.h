#pragma once
// The text of a configuration file as the loader splits it: GBK, as the tool writes it. A file an
// editor saved as UTF-8 (with a byte-order mark, or valid UTF-8 with bytes above 127) is
// converted, so that its Chinese texts reach the cameras as the same characters.

#include <optional>
#include <string>

// The file's text in GBK; nullopt for a UTF-8 text that GBK cannot hold.
std::optional<std::string> ConfigTextAsGbk(const std::string& bytes);
