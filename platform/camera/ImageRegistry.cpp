#include "platform/camera/ImageRegistry.h"

namespace camera {

CameraClientImageHandle ImageRegistry::Add(Jpeg jpeg) {
  std::lock_guard lock(m_mutex);
  const CameraClientImageHandle handle = ++m_last;
  m_images.emplace(handle, std::move(jpeg));
  return handle;
}

void ImageRegistry::Remove(CameraClientImageHandle handle) {
  std::lock_guard lock(m_mutex);
  m_images.erase(handle);
}

ImageRegistry::Jpeg ImageRegistry::Find(CameraClientImageHandle handle) const {
  std::lock_guard lock(m_mutex);
  const auto it = m_images.find(handle);
  return it == m_images.end() ? nullptr : it->second;
}

void ImageRegistry::Clear() {
  std::lock_guard lock(m_mutex);
  m_images.clear();
}

}  // namespace camera
