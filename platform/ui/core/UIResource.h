#pragma once
// Where the framework reads layouts, images and style sheets: the skin archive in memory (a ZIP
// payload, as the skin package holds it) or, without one, the resource folder on disk.

#include <cstddef>
#include <optional>
#include <string>

namespace ui {

class CResourceManagerUI {
 public:
  CResourceManagerUI() = delete;

  // The program's instance (accepted and kept; the programs pass their instance handle).
  static void SetInstance(void* instance);
  static void* GetInstance();
  // The program's folder with a trailing '/', GBK (os::GetApplicationDirectory).
  static std::string GetInstancePath();
  static void SetResourcePath(const char* path);
  static std::string GetResourcePath();
  // The archive stays owned by the caller and must outlive its use; nullptr (or size 0) forgets it.
  // False when the bytes are no readable ZIP archive (nothing is kept then).
  static bool SetResourceZipPtr(const void* data, std::size_t size);
  static bool HasResourceZip();
  // The bytes of a resource (GBK name, '/' separators, compared as in the archive). From the
  // archive when one is set, else from the resource folder; an absolute path reads that file.
  static std::optional<std::string> LoadResource(const std::string& name);
};

}  // namespace ui
