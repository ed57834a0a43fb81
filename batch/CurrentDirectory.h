#pragma once

#include <string>

// The process's current folder (GBK), where the open-file dialogs start; empty when it cannot
// be read.
std::string CurrentDirectory();
