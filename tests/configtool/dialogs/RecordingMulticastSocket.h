#pragma once
// A multicast socket that sends nothing: it writes each step into a log that the test keeps
// (the dialog that owns the socket may be gone by then) and fails the step the test names.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "configtool/dialogs/MulticastSocket.h"

namespace configtool::test {

struct MulticastSocketLog {
  std::vector<std::string> steps;
  std::vector<std::vector<std::uint8_t>> payloads;
  // The 1-based number of the step that fails; 0 for none.
  std::size_t failingStep = 0;
};

class RecordingMulticastSocket final : public IMulticastSocket {
 public:
  explicit RecordingMulticastSocket(std::shared_ptr<MulticastSocketLog> log) : m_log(std::move(log)) {}

  bool Open() override { return Step("open"); }
  bool SetMulticastTimeToLive(int timeToLive) override { return Step("ttl " + std::to_string(timeToLive)); }
  bool SetMulticastLoopback(bool enabled) override { return Step(enabled ? "loop on" : "loop off"); }
  bool SetMulticastInterface(const std::string& localAddress) override { return Step("interface " + localAddress); }
  bool Bind(const std::string& localAddress, std::uint16_t port) override {
    return Step("bind " + localAddress + ":" + std::to_string(port));
  }
  bool SendTo(const std::uint8_t* bytes, std::size_t size, const std::string& group, std::uint16_t port) override {
    if (!Step("send " + group + ":" + std::to_string(port))) return false;
    m_log->payloads.emplace_back(bytes, bytes + size);
    return true;
  }
  void Close() override { Step("close"); }

 private:
  bool Step(const std::string& step) {
    m_log->steps.push_back(step);
    return m_log->steps.size() != m_log->failingStep;
  }

  std::shared_ptr<MulticastSocketLog> m_log;
};

}  // namespace configtool::test
