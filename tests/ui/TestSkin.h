#pragma once
// Test layouts packed into an in-memory ZIP archive and handed to the resource manager, as the
// programs hand over their skin package's payload.

#include <zip.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "platform/ui/core/UIResource.h"

namespace ui::testing {

// Layouts are UTF-8 files; tests compiled with GBK literals write them as u8 literals.
inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class TestSkin {
 public:
  TestSkin() = default;
  TestSkin(std::initializer_list<std::pair<const std::string, std::string>> files) : m_files(files) {}
  ~TestSkin() { CResourceManagerUI::SetResourceZipPtr(nullptr, 0); }
  TestSkin(const TestSkin&) = delete;
  TestSkin& operator=(const TestSkin&) = delete;

  TestSkin& Add(const std::string& name, const std::string& content) {
    m_files[name] = content;
    return *this;
  }

  // Packs the files and makes the archive the framework's resources. False when packing failed.
  bool Install() {
    m_archive = Pack();
    return !m_archive.empty() && CResourceManagerUI::SetResourceZipPtr(m_archive.data(), m_archive.size());
  }

 private:
  std::string Pack() const {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer != nullptr ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (archive == nullptr) return {};
    zip_source_keep(buffer);
    for (const auto& [name, content] : m_files) {
      zip_source_t* file = zip_source_buffer(archive, content.data(), content.size(), 0);
      if (file == nullptr || zip_file_add(archive, name.c_str(), file, ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(file);
        zip_discard(archive);
        zip_source_free(buffer);
        return {};
      }
    }
    std::string bytes;
    if (zip_close(archive) == 0 && zip_source_open(buffer) == 0) {
      zip_source_seek(buffer, 0, SEEK_END);
      const zip_int64_t size = zip_source_tell(buffer);
      zip_source_seek(buffer, 0, SEEK_SET);
      if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        if (zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size)) != size) bytes.clear();
      }
      zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return bytes;
  }

  std::map<std::string, std::string> m_files;
  std::string m_archive;
};

}  // namespace ui::testing
