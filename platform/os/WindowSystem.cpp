#include "platform/os/WindowSystem.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace os {
namespace {

// Every call counts itself in on the installation it uses; installing another window system
// waits until the calls on the previous one have returned. New calls already go to the new one,
// so a steady stream of posts cannot hold an installation up (as readers can starve a writer).
// The window system must not install or remove itself from inside one of its own calls.
struct Installation {
  WindowSystem* windowSystem = nullptr;
  int callsInFlight = 0;
};

struct Registry {
  std::mutex mutex;
  std::condition_variable callsEnded;
  std::shared_ptr<Installation> current = std::make_shared<Installation>();
};

// Never destroyed: threads of other libraries may still post while the process exits.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

// Holds the current installation for the length of one call.
class Call {
 public:
  Call() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    m_installation = registry.current;
    ++m_installation->callsInFlight;
  }
  ~Call() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    if (--m_installation->callsInFlight == 0) registry.callsEnded.notify_all();
  }
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;

  WindowSystem* Target() const { return m_installation->windowSystem; }

 private:
  std::shared_ptr<Installation> m_installation;
};

}  // namespace

void InstallWindowSystem(WindowSystem* windowSystem) {
  auto next = std::make_shared<Installation>();
  next->windowSystem = windowSystem;
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  const std::shared_ptr<Installation> previous = registry.current;
  registry.current = std::move(next);
  registry.callsEnded.wait(lock, [&previous] { return previous->callsInFlight == 0; });
}

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Call call;
  return call.Target() != nullptr && call.Target()->Post(hwnd, message, wParam, lParam);
}

bool IsWindow(HWND hwnd) {
  Call call;
  return call.Target() != nullptr && call.Target()->IsWindow(hwnd);
}

bool PresentVideo(HWND hwnd, const VideoImage& image) {
  Call call;
  return call.Target() != nullptr && call.Target()->PresentVideo(hwnd, image);
}

std::optional<SIZE> VideoSize(HWND hwnd) {
  Call call;
  if (call.Target() == nullptr) return std::nullopt;
  return call.Target()->VideoSize(hwnd);
}

}  // namespace os
