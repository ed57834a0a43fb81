#include "platform/camera/ProbeSchedule.h"

#include <algorithm>

namespace camera {

ProbeSchedule::ProbeSchedule(const std::vector<sockaddr_in>& targets, Time start) {
  m_targets.reserve(targets.size());
  for (const sockaddr_in& address : targets) {
    // A target listed twice is probed once.
    if (!m_indexByAddress.emplace(KeyOf(address), m_targets.size()).second) continue;
    m_targets.push_back(Target{address, start});
  }
}

std::vector<sockaddr_in> ProbeSchedule::TakeDue(Time now) {
  std::vector<sockaddr_in> due;
  for (Target& target : m_targets) {
    if (target.next > now) continue;
    due.push_back(target.address);
    target.lastProbe = now;
    if (target.answered) {
      target.next = now + kInterval;
    } else {
      target.next = now + target.retry;
      target.retry = std::min<os::Milliseconds>(target.retry * 2, kInterval);
    }
  }
  return due;
}

void ProbeSchedule::Answered(const sockaddr_in& sender) {
  const auto found = m_indexByAddress.find(KeyOf(sender));
  if (found == m_indexByAddress.end()) return;
  Target& target = m_targets[found->second];
  if (target.answered) return;
  target.answered = true;
  target.next = target.lastProbe + kInterval;
}

ProbeSchedule::Time ProbeSchedule::NextDue() const {
  Time next = Time::max();
  for (const Target& target : m_targets) next = std::min(next, target.next);
  return next;
}

}  // namespace camera
