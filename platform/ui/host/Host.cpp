#include "platform/ui/host/Host.h"

#include <mutex>
#include <utility>

#include "platform/ui/host/StartingHost.h"
#include "platform/ui/hosts/headless/HeadlessHost.h"

namespace ui {
namespace {

// Function-local, so that a factory registered from another file's static initialiser finds them made.
struct HostSlot {
  std::mutex mutex;
  std::unique_ptr<Host> host;
  HostFactory factory;
};

HostSlot& Slot() {
  static HostSlot slot;
  return slot;
}

}  // namespace

Host& CurrentHost() {
  HostSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  if (slot.host == nullptr) {
    if (slot.factory) slot.host = slot.factory();
    if (slot.host == nullptr) slot.host = std::make_unique<HeadlessHost>();
  }
  return *slot.host;
}

Host& StartedHost() {
  Host& host = CurrentHost();
  if (auto* starting = dynamic_cast<StartingHost*>(&host)) return starting->Started();
  return host;
}

void SetHost(std::unique_ptr<Host> host) {
  HostSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  slot.host = std::move(host);
}

void TearDownHost() {
  HostSlot& slot = Slot();
  std::unique_ptr<Host> ending;
  {
    std::lock_guard lock(slot.mutex);
    if (dynamic_cast<HeadlessHost*>(slot.host.get()) != nullptr) return;
    ending = std::exchange(slot.host, std::make_unique<HeadlessHost>());
  }
  // Ended outside the lock: what its windows do as they go may ask for the host again.
  ending.reset();
}

void SetHostFactory(HostFactory factory) {
  HostSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  slot.factory = std::move(factory);
}

}  // namespace ui
