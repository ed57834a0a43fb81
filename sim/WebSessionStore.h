#pragma once
// Session ids of the camera's web pages: handed out to a logged-in client, accepted as the
// "sessionID" cookie until they expire.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace camsim {

class WebSessionStore {
 public:
  using TimePoint = std::chrono::milliseconds;

  explicit WebSessionStore(std::uint64_t seed, std::chrono::milliseconds lifetime = std::chrono::minutes(5),
                           std::size_t maxSessions = 64);

  // `current` again when it is still valid, else a new id (32 lowercase hex digits); either way
  // valid from `now` for the lifetime.
  std::string Renew(std::string_view current, TimePoint now);
  bool IsValid(std::string_view id, TimePoint now) const;
  // Forgets every id (the camera rebooted).
  void Clear() { m_sessions.clear(); }
  std::size_t Count() const { return m_sessions.size(); }
  std::chrono::milliseconds Lifetime() const { return m_lifetime; }

 private:
  struct Session {
    std::string id;
    TimePoint expires;
  };

  std::mt19937_64 m_random;
  std::chrono::milliseconds m_lifetime;
  std::size_t m_maxSessions;
  std::vector<Session> m_sessions;
};

}  // namespace camsim
