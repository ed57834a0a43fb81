#include "batch/VersionMap.h"

#include <vector>

#include "batch/CurrentDirectory.h"
#include "batch/VersionNumber.h"
#include "cameraclient/CameraClient.h"
#include "platform/os/File.h"

namespace {

// Images for the cameras upgraded from 5.0.x serve only 5.0.6; images of 5.1.7 and 5.3.7 also
// serve the version before.
std::vector<std::string> KeysFor(const VersionEntry& entry) {
  if (entry.fileName.find("from_50x") != std::string::npos) return {"5.0.6"};
  if (entry.version3 == "5.1.7") return {"5.1.6", "5.1.7"};
  if (entry.version3 == "5.3.7") return {"5.3.6", "5.3.7"};
  return {entry.version3};
}

}  // namespace

void VersionMap::InsertVersion(VersionEntry entry, const std::string& key) {
  const auto stored = m_entries.find(key);
  if (stored != m_entries.end()) {
    if (VersionLess(entry.version4, stored->second.version4)) {
      entry.fileName = stored->second.fileName;
      entry.version4 = stored->second.version4;
    }
    m_entries.erase(stored);
  }
  m_entries.emplace(key, std::move(entry));
}

std::optional<VersionEntry> VersionMap::Find(const std::string& version3) const {
  const auto it = m_entries.find(version3);
  if (it == m_entries.end()) return std::nullopt;
  return it->second;
}

void VersionMap::ScanFolder(const std::string& folder) {
  Clear();
  for (const std::string& fileName : os::ListFiles(folder, ".bin")) {
    const std::string path = folder + "/" + fileName;
    int a = 0, b = 0, c = 0, d = 0;
    if (CameraClient_GetImageFileVersion(path.c_str(), &a, &b, &c, &d) != 0) continue;
    const std::vector<int> version{a, b, c, d};
    const VersionEntry entry{Version3Text(version), Version4Text(version), fileName};
    for (const std::string& key : KeysFor(entry)) InsertVersion(entry, key);
  }
}

VersionMap& GetVersionMap() {
  static VersionMap* const versionMap = new VersionMap;
  return *versionMap;
}

std::string GetVersionFolder() {
  const std::string current = CurrentDirectory();
  return current.empty() ? std::string() : current + "/version";
}

void ScanVersionFolder() {
  const std::string folder = GetVersionFolder();
  if (folder.empty()) {
    GetVersionMap().Clear();
    return;
  }
  GetVersionMap().ScanFolder(folder);
}
