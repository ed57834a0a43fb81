#pragma once
// Decoded pictures keyed by the path a layout or a program gives. Relative paths are resource names
// read through the reader (the resource manager supplies skin-archive bytes); absolute paths (leading
// '/') are read from disk through platform/os. Failed loads are not remembered, so a file that appears
// later is found. Pictures the start-up decoded ahead (ImageWarmUp.h) are taken over. Used on one
// thread (the window thread).

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/os/WinTypes.h"
#include "platform/ui/render/Image.h"

namespace ui {

// Returns the bytes of a resource name (GBK), or nullopt when there is none.
using ResourceReader = std::function<std::optional<std::string>(const std::string& name)>;

class ImageCache {
 public:
  explicit ImageCache(ResourceReader reader = {});

  void SetReader(ResourceReader reader);

  // The picture at `path`, decoded once; with a non-zero mask its pixels of the mask's colour are
  // transparent (each mask is its own entry). nullptr when the path cannot be read or decoded.
  std::shared_ptr<const Image> Get(const std::string& path, DWORD mask = 0);
  // Puts a picture made in memory under a name; it replaces what was there.
  void Add(const std::string& path, std::shared_ptr<const Image> image);
  // Forgets every entry of the path (all masks). False when there was none.
  bool Remove(const std::string& path);
  void Clear();
  std::size_t Size() const { return m_images.size(); }

 private:
  std::optional<std::string> ReadBytes(const std::string& path) const;

  ResourceReader m_reader;
  std::map<std::pair<std::string, DWORD>, std::shared_ptr<const Image>> m_images;
};

}  // namespace ui
