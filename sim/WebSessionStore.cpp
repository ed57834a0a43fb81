#include "sim/WebSessionStore.h"

#include <algorithm>
#include <cstdio>

namespace camsim {

WebSessionStore::WebSessionStore(std::uint64_t seed, std::chrono::milliseconds lifetime, std::size_t maxSessions)
    : m_random(seed), m_lifetime(lifetime), m_maxSessions(std::max<std::size_t>(1, maxSessions)) {}

std::string WebSessionStore::Renew(std::string_view current, TimePoint now) {
  std::erase_if(m_sessions, [now](const Session& s) { return s.expires <= now; });
  for (Session& session : m_sessions) {
    if (!current.empty() && session.id == current) {
      session.expires = now + m_lifetime;
      return session.id;
    }
  }
  // The oldest id goes first when too many clients hold one.
  if (m_sessions.size() >= m_maxSessions) m_sessions.erase(m_sessions.begin());
  char text[33];
  std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(m_random()),
                static_cast<unsigned long long>(m_random()));
  m_sessions.push_back(Session{text, now + m_lifetime});
  return m_sessions.back().id;
}

bool WebSessionStore::IsValid(std::string_view id, TimePoint now) const {
  if (id.empty()) return false;
  return std::any_of(m_sessions.begin(), m_sessions.end(),
                     [&](const Session& s) { return s.id == id && s.expires > now; });
}

}  // namespace camsim
