#pragma once

#include <string>

namespace os {

// The folder of the running program file (from /proc/self/exe), GBK, without a trailing '/'.
// No length limit.
std::string GetApplicationDirectory();

// Tests: make GetApplicationDirectory answer `folder` (empty restores the real folder).
void SetApplicationDirectoryForTesting(const std::string& folder);

}  // namespace os
