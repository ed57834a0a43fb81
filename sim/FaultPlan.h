#pragma once
// Faults a test asks a camera to show, per operation: another result, a slow answer, no answer,
// a dropped connection, or a reboot in place of the answer; from the first request or the n-th. Camera-wide faults (refused
// connections, a firmware image the camera rejects) live on the camera itself.

#include <chrono>
#include <map>
#include <mutex>
#include <optional>

#include "platform/camera/protocol/Operation.h"
#include "platform/camera/protocol/Status.h"

namespace camsim {

struct Fault {
  // The reply carries this status and the operation is not carried out.
  std::optional<camera::protocol::Status> status;
  // The operation runs and is answered after this much real time.
  std::chrono::milliseconds delay{0};
  // The operation runs but its reply is never sent.
  bool dropReply = false;
  // The connection is closed instead of answering.
  bool disconnect = false;
  // The camera reboots instead of answering.
  bool reboot = false;
  // How many requests the fault applies to; below 0 for every one.
  int times = -1;
  // How many requests of the operation pass untouched first: 2 fails the third one.
  int after = 0;
};

class FaultPlan {
 public:
  void Set(camera::protocol::Operation operation, Fault fault);
  void Clear(camera::protocol::Operation operation);
  void ClearAll();
  // The fault for one request of `operation`, counting it against the fault's times.
  std::optional<Fault> Take(camera::protocol::Operation operation);

 private:
  std::mutex m_mutex;
  std::map<camera::protocol::Operation, Fault> m_faults;
};

}  // namespace camsim
