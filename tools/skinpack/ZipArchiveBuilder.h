#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/skinpack/SkinSourceFiles.h"

// A ZIP archive in memory holding each file under its archive name, in the order given.
std::optional<std::vector<unsigned char>> BuildZipArchive(const std::vector<SkinSourceFile>& files, std::string& error);
