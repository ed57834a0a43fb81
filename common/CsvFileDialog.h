#pragma once

#include <string>

#include "platform/os/WinTypes.h"

// The open-file dialog for one existing CSV file; the chosen path (GBK), or empty when cancelled.
std::string SelectCsvFile(HWND owner);
