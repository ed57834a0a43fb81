#include "tools/skinpack/SkinPackageWriter.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <system_error>

#include "common/SkinPackageFormat.h"

namespace fs = std::filesystem;

std::optional<std::vector<unsigned char>> BuildSkinPackage(const std::vector<unsigned char>& archive,
                                                           std::string& error) {
  if (archive.size() > std::numeric_limits<std::uint32_t>::max()) {
    error = "the archive is too large for a skin package";
    return std::nullopt;
  }
  return EncodeSkinPackage(archive.data(), static_cast<std::uint32_t>(archive.size()));
}

bool WriteSkinPackage(const fs::path& output, const std::vector<unsigned char>& package, std::string& error) {
  std::error_code ec;
  if (output.has_parent_path()) fs::create_directories(output.parent_path(), ec);
  const fs::path partial = output.string() + ".partial";
  {
    std::ofstream stream(partial, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(package.data()), static_cast<std::streamsize>(package.size()));
    stream.close();
    if (!stream) {
      error = "cannot write " + partial.string();
      fs::remove(partial, ec);
      return false;
    }
  }
  fs::rename(partial, output, ec);
  if (ec) {
    error = "cannot rename " + partial.string() + " to " + output.string() + ": " + ec.message();
    fs::remove(partial, ec);
    return false;
  }
  return true;
}
