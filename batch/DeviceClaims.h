#pragma once
// Which cameras a row is working on now. One camera is never worked on by two tabs at once:
// a row claims its device before its worker starts and gives it back when the worker's last
// post has been handled. Used on the window thread only.

#include <functional>
#include <set>

class DeviceInfo;

class DeviceClaims {
 public:
  // `changed` runs after a device was claimed or given back (the dialog refreshes its rows).
  explicit DeviceClaims(std::function<void(const DeviceInfo&)> changed = {}) : m_changed(std::move(changed)) {}

  // False when the device is claimed already.
  bool Claim(const DeviceInfo& device);
  void Release(const DeviceInfo& device);
  bool IsClaimed(const DeviceInfo& device) const { return m_claimed.count(&device) != 0; }

 private:
  std::set<const DeviceInfo*> m_claimed;
  std::function<void(const DeviceInfo&)> m_changed;
};
