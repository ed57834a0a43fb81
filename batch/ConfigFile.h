#pragma once
// The program's one configuration file: loaded on the window thread when the operator picks a
// file, read by the import workers.

#include <memory>
#include <mutex>
#include <string>

#include "batch/ConfigSections.h"

class ConfigFile {
 public:
  // Replaces the sections with the file's. After a failed load no file is loaded and the
  // sections are empty.
  void Load(const std::string& path);
  bool IsLoaded() const;
  // The sections of the last load, kept alive for as long as the caller holds them: an import
  // takes them once when it starts, so that a later load does not change them under it.
  std::shared_ptr<const ConfigSections> Sections() const;

 private:
  mutable std::mutex m_mutex;
  bool m_loaded = false;
  std::shared_ptr<const ConfigSections> m_sections = std::make_shared<const ConfigSections>();
};

// The single ConfigFile, created empty on first use and kept until the program ends.
ConfigFile& GetConfigFile();
void LoadConfigFile(const std::string& path);
