#pragma once
// The indented JSON text of the configuration file.

#include <string>

#include <json/value.h>

// The text Json::StyledWriter makes of `root` (three-blank indentation, members in key order,
// short arrays on one line, a final line end), except that string bytes above 127 are written
// as they are. The styled writer takes them for UTF-8 and escapes them, which corrupts GBK texts.
std::string StyledJsonText(const Json::Value& root);
