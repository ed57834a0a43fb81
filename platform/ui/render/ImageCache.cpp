#include "platform/ui/render/ImageCache.h"

#include "platform/os/File.h"
#include "platform/ui/render/ImageDecoder.h"
#include "platform/ui/render/ImageWarmUp.h"

namespace ui {

ImageCache::ImageCache(ResourceReader reader) : m_reader(std::move(reader)) {}

void ImageCache::SetReader(ResourceReader reader) { m_reader = std::move(reader); }

std::optional<std::string> ImageCache::ReadBytes(const std::string& path) const {
  if (path.starts_with('/')) return os::ReadWholeFile(path);
  if (!m_reader) return std::nullopt;
  return m_reader(path);
}

std::shared_ptr<const Image> ImageCache::Get(const std::string& path, DWORD mask) {
  if (path.empty()) return nullptr;
  const auto key = std::make_pair(path, mask);
  if (auto found = m_images.find(key); found != m_images.end()) return found->second;
  const std::optional<std::string> bytes = ReadBytes(path);
  if (!bytes) return nullptr;
  std::shared_ptr<Image> image = TakeWarmImage(path, *bytes);
  if (!image) image = DecodeImage(*bytes);
  if (!image) return nullptr;
  if (mask != 0) image->ApplyMask(mask);
  m_images.emplace(key, image);
  return image;
}

void ImageCache::Add(const std::string& path, std::shared_ptr<const Image> image) {
  Remove(path);
  if (image) m_images.emplace(std::make_pair(path, DWORD{0}), std::move(image));
}

bool ImageCache::Remove(const std::string& path) {
  auto first = m_images.lower_bound(std::make_pair(path, DWORD{0}));
  auto last = first;
  while (last != m_images.end() && last->first.first == path) ++last;
  const bool any = first != last;
  m_images.erase(first, last);
  return any;
}

void ImageCache::Clear() { m_images.clear(); }

}  // namespace ui
