#pragma once
// A folder of its own for each test, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/os/File.h"

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lpr-batch-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string Path(const std::string& name) const { return m_path + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    os::WriteWholeFile(Path(name), bytes);
    return Path(name);
  }

 private:
  std::string m_path;
};
