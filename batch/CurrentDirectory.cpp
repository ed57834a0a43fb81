#include "batch/CurrentDirectory.h"

#include <filesystem>
#include <system_error>

#include "platform/os/Charset.h"

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  if (error) return {};
  return os::Utf8ToGbk(current.string());
}
