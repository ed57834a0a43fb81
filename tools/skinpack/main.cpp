// skinpack --output FILE [--exclude NAME]... FOLDER...
// Packs the files below the folders into a skin package. Names are the paths below each folder;
// --exclude leaves out one such name (for example the folder's build file).

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/skinpack/SkinPackageWriter.h"
#include "tools/skinpack/SkinSourceFiles.h"
#include "tools/skinpack/ZipArchiveBuilder.h"

namespace {

struct Arguments {
  std::filesystem::path output;
  std::vector<std::string> excluded;
  std::vector<std::filesystem::path> folders;
};

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--output") == 0 && hasValue) {
      arguments.output = argv[++i];
    } else if (std::strcmp(argv[i], "--exclude") == 0 && hasValue) {
      arguments.excluded.emplace_back(argv[++i]);
    } else if (argv[i][0] == '-') {
      return false;
    } else {
      arguments.folders.emplace_back(argv[i]);
    }
  }
  return !arguments.output.empty() && !arguments.folders.empty();
}

int Fail(const std::string& error) {
  std::fprintf(stderr, "skinpack: %s\n", error.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!ParseArguments(argc, argv, arguments)) {
    std::fprintf(stderr, "usage: skinpack --output FILE [--exclude NAME]... FOLDER...\n");
    return 2;
  }
  std::string error;
  const auto files = CollectSkinSourceFiles(arguments.folders, arguments.excluded, error);
  if (!files) return Fail(error);
  const auto archive = BuildZipArchive(*files, error);
  if (!archive) return Fail(error);
  const auto package = BuildSkinPackage(*archive, error);
  if (!package) return Fail(error);
  if (!WriteSkinPackage(arguments.output, *package, error)) return Fail(error);
  return 0;
}
