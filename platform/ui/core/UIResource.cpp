#include "platform/ui/core/UIResource.h"

#include <zip.h>

#include <mutex>

#include "platform/os/AppDirectory.h"
#include "platform/os/File.h"

namespace ui {
namespace {

struct ResourceState {
  std::mutex mutex;
  void* instance = nullptr;
  std::string resourcePath;
  zip_t* archive = nullptr;
};

ResourceState& State() {
  static ResourceState state;
  return state;
}

zip_t* OpenArchive(const void* data, std::size_t size) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
  if (source == nullptr) {
    zip_error_fini(&error);
    return nullptr;
  }
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) zip_source_free(source);
  zip_error_fini(&error);
  return archive;
}

std::optional<std::string> ReadEntry(zip_t* archive, const std::string& name) {
  zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
  if (index < 0) index = zip_name_locate(archive, name.c_str(), ZIP_FL_NOCASE);
  if (index < 0) return std::nullopt;
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
    return std::nullopt;
  }
  zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
  if (file == nullptr) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(stat.size), '\0');
  const zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
  zip_fclose(file);
  if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) return std::nullopt;
  return bytes;
}

}  // namespace

void CResourceManagerUI::SetInstance(void* instance) {
  std::lock_guard lock(State().mutex);
  State().instance = instance;
}

void* CResourceManagerUI::GetInstance() {
  std::lock_guard lock(State().mutex);
  return State().instance;
}

std::string CResourceManagerUI::GetInstancePath() { return os::GetApplicationDirectory() + "/"; }

void CResourceManagerUI::SetResourcePath(const char* path) {
  std::lock_guard lock(State().mutex);
  State().resourcePath = path != nullptr ? path : "";
}

std::string CResourceManagerUI::GetResourcePath() {
  std::lock_guard lock(State().mutex);
  return State().resourcePath;
}

bool CResourceManagerUI::SetResourceZipPtr(const void* data, std::size_t size) {
  zip_t* archive = (data != nullptr && size > 0) ? OpenArchive(data, size) : nullptr;
  std::lock_guard lock(State().mutex);
  if (State().archive != nullptr) zip_discard(State().archive);
  State().archive = archive;
  return archive != nullptr || data == nullptr || size == 0;
}

bool CResourceManagerUI::HasResourceZip() {
  std::lock_guard lock(State().mutex);
  return State().archive != nullptr;
}

std::optional<std::string> CResourceManagerUI::LoadResource(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.front() == '/') return os::ReadWholeFile(name);
  std::lock_guard lock(State().mutex);
  if (State().archive != nullptr) return ReadEntry(State().archive, name);
  std::string folder = State().resourcePath;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return os::ReadWholeFile(folder + name);
}

}  // namespace ui
