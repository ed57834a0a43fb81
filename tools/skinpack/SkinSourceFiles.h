#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct SkinSourceFile {
  std::string archiveName;  // the path below its input folder, '/'-separated
  std::filesystem::path path;
};

// Every regular file below the folders, sorted by archive name, except the `excluded` archive
// names. Fails (nullopt, with `error`) when a folder cannot be read, when two folders hold the
// same name, or when there is nothing to pack.
std::optional<std::vector<SkinSourceFile>> CollectSkinSourceFiles(const std::vector<std::filesystem::path>& folders,
                                                                   const std::vector<std::string>& excluded,
                                                                   std::string& error);
