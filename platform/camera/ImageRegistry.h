#pragma once
// The clip pictures handed to plate callbacks. A clip handle is valid only while its callback
// runs; afterwards, and for any other value, CameraClient_SaveImageJpeg fails.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "cameraclient/CameraClient.h"

namespace camera {

class ImageRegistry {
 public:
  using Jpeg = std::shared_ptr<const std::vector<std::uint8_t>>;

  // A new handle for the picture (never 0, never reused).
  CameraClientImageHandle Add(Jpeg jpeg);
  void Remove(CameraClientImageHandle handle);
  Jpeg Find(CameraClientImageHandle handle) const;
  void Clear();

 private:
  mutable std::mutex m_mutex;
  std::map<CameraClientImageHandle, Jpeg> m_images;
  CameraClientImageHandle m_last = 0;
};

}  // namespace camera
