#pragma once
// When a search probes each of its targets: all at once at the start, then each target on its own
// timetable. A target that has answered is probed again once a second (to see cameras that come
// or move). One that has not is probed again sooner, after 100 ms and then twice as long each
// time up to the second, so a lost probe or answer costs a tenth of a second rather than a whole
// one. Only the search thread uses it.

#include <netinet/in.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/os/Clock.h"

namespace camera {

class ProbeSchedule {
 public:
  using Time = os::Clock::Duration;

  static constexpr os::Milliseconds kInterval{1000};
  static constexpr os::Milliseconds kFirstRetry{100};

  ProbeSchedule(const std::vector<sockaddr_in>& targets, Time start);

  // The targets due at `now`, each then given its next time.
  std::vector<sockaddr_in> TakeDue(Time now);
  // An answer came from `sender`; senders that are no target (answers to a broadcast) are ignored.
  void Answered(const sockaddr_in& sender);
  // The earliest time a target falls due; Time::max() without targets.
  Time NextDue() const;

 private:
  struct Target {
    sockaddr_in address;
    Time next;
    Time lastProbe{};
    os::Milliseconds retry = kFirstRetry;
    bool answered = false;
  };
  using Key = std::pair<std::uint32_t, std::uint16_t>;  // address and port, network order

  static Key KeyOf(const sockaddr_in& address) { return {address.sin_addr.s_addr, address.sin_port}; }

  std::vector<Target> m_targets;
  std::map<Key, std::size_t> m_indexByAddress;
};

}  // namespace camera
