#include "platform/ui/render/ImageWarmUp.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/ui/render/ImageDecoder.h"

namespace ui {
namespace {

struct Decoded {
  std::string bytes;
  std::shared_ptr<Image> image;
};

struct WarmUp {
  std::mutex mutex;
  std::condition_variable finished;
  bool started = false;
  bool done = false;
  std::map<std::string, Decoded> images;  // until taken
  std::thread thread;

  // A warm-up still under way when the process ends is waited for.
  ~WarmUp() {
    if (thread.joinable()) thread.join();
  }
};

WarmUp& TheWarmUp() {
  static WarmUp warmUp;
  return warmUp;
}

std::map<std::string, Decoded> DecodeAll(std::vector<NamedBytes> pictures) {
  std::map<std::string, Decoded> decoded;
  for (NamedBytes& picture : pictures) {
    if (decoded.count(picture.name) != 0) continue;
    std::shared_ptr<Image> image = DecodeImage(picture.bytes);
    if (image) decoded.emplace(std::move(picture.name), Decoded{std::move(picture.bytes), std::move(image)});
  }
  return decoded;
}

}  // namespace

void StartImageWarmUp(std::vector<NamedBytes> pictures) {
  WarmUp& warmUp = TheWarmUp();
  std::lock_guard lock(warmUp.mutex);
  if (warmUp.started) return;
  warmUp.started = true;
  warmUp.thread = std::thread([&warmUp, pictures = std::move(pictures)]() mutable {
    std::map<std::string, Decoded> decoded = DecodeAll(std::move(pictures));
    std::lock_guard lock(warmUp.mutex);
    warmUp.images = std::move(decoded);
    warmUp.done = true;
    warmUp.finished.notify_all();
  });
}

std::shared_ptr<Image> TakeWarmImage(const std::string& name, std::string_view bytes) {
  WarmUp& warmUp = TheWarmUp();
  std::unique_lock lock(warmUp.mutex);
  if (!warmUp.started) return nullptr;
  warmUp.finished.wait(lock, [&warmUp] { return warmUp.done; });
  const auto found = warmUp.images.find(name);
  if (found == warmUp.images.end()) return nullptr;
  Decoded decoded = std::move(found->second);
  warmUp.images.erase(found);
  return decoded.bytes == bytes ? std::move(decoded.image) : nullptr;
}

}  // namespace ui
