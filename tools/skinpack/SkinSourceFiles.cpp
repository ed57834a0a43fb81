#include "tools/skinpack/SkinSourceFiles.h"

#include <algorithm>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using FilesByName = std::map<std::string, fs::path>;

bool AddFolder(const fs::path& folder, const std::vector<std::string>& excluded, FilesByName& files,
               std::string& error) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    error = "not a folder: " + folder.string();
    return false;
  }
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = it->path().lexically_relative(folder).generic_string();
    if (std::find(excluded.begin(), excluded.end(), name) != excluded.end()) continue;
    if (!files.emplace(name, it->path()).second) {
      error = name + " is in more than one input folder";
      return false;
    }
  }
  if (ec) {
    error = "cannot read " + folder.string() + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::vector<SkinSourceFile>> CollectSkinSourceFiles(const std::vector<fs::path>& folders,
                                                                   const std::vector<std::string>& excluded,
                                                                   std::string& error) {
  FilesByName files;
  for (const fs::path& folder : folders) {
    if (!AddFolder(folder, excluded, files, error)) return std::nullopt;
  }
  if (files.empty()) {
    error = "no files to pack";
    return std::nullopt;
  }
  std::vector<SkinSourceFile> sorted;
  for (auto& [name, path] : files) sorted.push_back({name, path});
  return sorted;
}
