#include "tools/skinpack/ZipArchiveBuilder.h"

#include <zip.h>

#include <memory>
#include <string>

namespace {

struct SourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchiveHandle = std::unique_ptr<zip_t, ArchiveDiscard>;

std::string ZipErrorText(zip_error_t& zipError) {
  std::string text = zip_error_strerror(&zipError);
  zip_error_fini(&zipError);
  return text;
}

bool AddFiles(zip_t* archive, const std::vector<SkinSourceFile>& files, std::string& error) {
  for (const SkinSourceFile& file : files) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    SourceHandle source(zip_source_file_create(file.path.c_str(), 0, -1, &zipError));
    if (!source) {
      error = file.path.string() + ": " + ZipErrorText(zipError);
      return false;
    }
    zip_error_fini(&zipError);
    if (zip_file_add(archive, file.archiveName.c_str(), source.get(), ZIP_FL_ENC_GUESS) < 0) {
      error = file.archiveName + ": " + zip_strerror(archive);
      return false;
    }
    source.release();  // the archive owns it now
  }
  return true;
}

std::optional<std::vector<unsigned char>> ReadAll(zip_source_t* source, std::string& error) {
  if (zip_source_open(source) != 0) {
    error = zip_error_strerror(zip_source_error(source));
    return std::nullopt;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[64 * 1024];
  zip_int64_t count;
  while ((count = zip_source_read(source, chunk, sizeof chunk)) > 0) bytes.insert(bytes.end(), chunk, chunk + count);
  if (count < 0) error = zip_error_strerror(zip_source_error(source));
  zip_source_close(source);
  if (count < 0) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::vector<unsigned char>> BuildZipArchive(const std::vector<SkinSourceFile>& files, std::string& error) {
  zip_error_t zipError;
  zip_error_init(&zipError);
  SourceHandle buffer(zip_source_buffer_create(nullptr, 0, 0, &zipError));
  if (!buffer) {
    error = ZipErrorText(zipError);
    return std::nullopt;
  }
  ArchiveHandle archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &zipError));
  if (!archive) {
    error = ZipErrorText(zipError);
    return std::nullopt;
  }
  zip_error_fini(&zipError);
  // The archive frees its source when it closes; keep the buffer to read the result.
  zip_source_keep(buffer.get());
  if (!AddFiles(archive.get(), files, error)) return std::nullopt;
  if (zip_close(archive.get()) != 0) {
    error = zip_strerror(archive.get());
    return std::nullopt;
  }
  archive.release();  // closed
  return ReadAll(buffer.get(), error);
}
