#include "configtool/features/platequery/PlateImageDownload.h"

#include <memory>
#include <thread>
#include <vector>

#include "common/FileUtil.h"
#include "configtool/features/platequery/PlateQueryMessages.h"
#include "platform/os/File.h"
#include "platform/os/WindowSystem.h"

namespace {

// Loads the picture and writes it whole; false when there is none to load or it could not be
// written (what was written is removed).
bool SavePicture(CameraClientHandle handle, int recordId, const std::string& path) {
  if (handle == 0 || recordId <= 0 || path.empty()) return false;
  std::vector<std::uint8_t> buffer(kPlatePictureBufferBytes);
  int size = kPlatePictureBufferBytes;
  if (CameraClient_LoadPlateImage(handle, recordId, buffer.data(), &size) != 0 || size <= 0 ||
      size > kPlatePictureBufferBytes) {
    return false;
  }
  if (WriteBinaryFile(path, buffer.data(), static_cast<std::size_t>(size))) return true;
  os::RemoveFile(path);
  return false;
}

}  // namespace

void StartPlateImageDownload(CameraClientHandle handle, HWND window, int recordId, std::string path) {
  std::thread([=, path = std::move(path)] { RunPlateImageDownload(handle, window, recordId, path); }).detach();
}

void RunPlateImageDownload(CameraClientHandle handle, HWND window, int recordId, const std::string& path) {
  auto loaded = std::make_unique<PlateImageLoaded>();
  loaded->recordId = recordId;
  if (SavePicture(handle, recordId, path)) loaded->path = path;
  if (os::PostMessage(window, WM_PLATE_IMAGE_LOADED, reinterpret_cast<WPARAM>(loaded.get()), 0)) loaded.release();
}
