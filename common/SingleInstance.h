#pragma once

#include <string>

#include "platform/os/NamedMutex.h"

// What names a program for its single-instance step.
struct ApplicationIdentity {
  std::string key;                 // names the mutex and the flag
  std::string alreadyRunningText;  // shown by a second copy
};

const ApplicationIdentity& CorvexApplication();
const ApplicationIdentity& BrenloApplication();

// The single-instance step both programs run first. The first copy goes on and holds the
// program's mutex until Release (or destruction). A later copy does not go on; while no other
// copy shows it, it shows the already-running box, with the program's flag set until the box
// is closed.
class SingleInstance {
 public:
  SingleInstance() = default;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this copy goes on with its start-up.
  bool Claim(const ApplicationIdentity& application);
  void Release();

 private:
  os::NamedMutex m_mutex;
};
