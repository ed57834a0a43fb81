#include "batch/ConfigFile.h"

#include <optional>

#include "batch/ConfigFileText.h"
#include "platform/os/File.h"

void ConfigFile::Load(const std::string& path) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_loaded = false;
    m_sections = std::make_shared<const ConfigSections>();
  }
  const std::optional<std::string> bytes = os::ReadWholeFile(path);
  if (!bytes) return;
  const std::optional<std::string> text = ConfigTextAsGbk(*bytes);
  if (!text) return;
  std::optional<ConfigSections> sections = ConfigSections::Parse(*text);
  if (!sections) return;
  std::lock_guard<std::mutex> lock(m_mutex);
  m_sections = std::make_shared<const ConfigSections>(std::move(*sections));
  m_loaded = true;
}

bool ConfigFile::IsLoaded() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_loaded;
}

std::shared_ptr<const ConfigSections> ConfigFile::Sections() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_sections;
}

ConfigFile& GetConfigFile() {
  // Never destroyed: a worker may still read it while the program ends.
  static ConfigFile* const configFile = new ConfigFile;
  return *configFile;
}

void LoadConfigFile(const std::string& path) { GetConfigFile().Load(path); }
