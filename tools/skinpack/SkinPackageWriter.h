#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The skin package for `archive`: the 20-byte header, then the archive with every whole
// even-numbered 1 KiB block inverted. Fails for an archive of 4 GiB or more.
std::optional<std::vector<unsigned char>> BuildSkinPackage(const std::vector<unsigned char>& archive,
                                                           std::string& error);

// Writes the package beside `output` first and renames it into place, so that a failed build
// never leaves a partial package behind.
bool WriteSkinPackage(const std::filesystem::path& output, const std::vector<unsigned char>& package,
                      std::string& error);
