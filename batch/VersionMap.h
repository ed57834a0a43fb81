#pragma once
// The firmware images of the "version" folder, filed under the camera versions they serve.
// Rebuilt and read on the window thread.

#include <map>
#include <optional>
#include <string>

struct VersionEntry {
  std::string version3;  // the image's "%d.%d.%d"
  std::string version4;  // the image's "%d.%d.%d.%d"
  std::string fileName;  // without folder
};

class VersionMap {
 public:
  void Clear() { m_entries.clear(); }
  // Files one entry under one key. Under a key the image of the newest version wins, versions
  // compared as numbers; on equal versions the later file wins. The stored 3-part text is always
  // that of the last file filed under the key.
  void InsertVersion(VersionEntry entry, const std::string& key);
  // The entry for a camera on `version3`, or none.
  std::optional<VersionEntry> Find(const std::string& version3) const;
  const std::map<std::string, VersionEntry>& Entries() const { return m_entries; }

  // Rebuilds the map from the "*.bin" files of `folder`, in byte order of their names. A file
  // whose version the camera library cannot read is left out.
  void ScanFolder(const std::string& folder);

 private:
  std::map<std::string, VersionEntry> m_entries;
};

// The program's map, created empty on first use.
VersionMap& GetVersionMap();
// The "version" folder of the current directory; empty when that cannot be read.
std::string GetVersionFolder();
// Rebuilds the program's map from the "version" folder.
void ScanVersionFolder();
