#include "sim/FaultPlan.h"

namespace camsim {

void FaultPlan::Set(camera::protocol::Operation operation, Fault fault) {
  std::lock_guard lock(m_mutex);
  if (fault.times == 0) {
    m_faults.erase(operation);
    return;
  }
  m_faults[operation] = fault;
}

void FaultPlan::Clear(camera::protocol::Operation operation) {
  std::lock_guard lock(m_mutex);
  m_faults.erase(operation);
}

void FaultPlan::ClearAll() {
  std::lock_guard lock(m_mutex);
  m_faults.clear();
}

std::optional<Fault> FaultPlan::Take(camera::protocol::Operation operation) {
  std::lock_guard lock(m_mutex);
  const auto found = m_faults.find(operation);
  if (found == m_faults.end()) return std::nullopt;
  if (found->second.after > 0) {
    --found->second.after;
    return std::nullopt;
  }
  Fault fault = found->second;
  if (found->second.times > 0 && --found->second.times == 0) m_faults.erase(found);
  return fault;
}

}  // namespace camsim
