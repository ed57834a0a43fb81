#include "sim/Simulator.h"

#include <arpa/inet.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "sim/GbkText.h"
#include "sim/MulticastListener.h"

namespace camsim {
namespace {

// Search numbers of this process's cameras differ from those of other simulators on the host, so
// a datagram meant for one never moves another.
std::uint32_t ProcessIdHigh() {
  std::random_device random;
  return (static_cast<std::uint32_t>(::getpid()) << 16) ^ (random() & 0xFFFF);
}

std::optional<std::uint32_t> ParseIpv4(const std::string& text) {
  in_addr address{};
  if (::inet_pton(AF_INET, text.c_str(), &address) != 1) return std::nullopt;
  return ntohl(address.s_addr);
}

std::string FormatIpv4(std::uint32_t address) {
  return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
         std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

// The next host address: the last octet skips 0 and 255.
std::uint32_t NextHost(std::uint32_t address) {
  do {
    ++address;
  } while ((address & 0xFF) == 0 || (address & 0xFF) == 0xFF);
  return address;
}

}  // namespace

Simulator::Simulator(SimulatorOptions options)
    : m_options(std::move(options)),
      m_work(boost::asio::make_work_guard(m_io)),
      m_scheduler(m_options.clock != nullptr ? *m_options.clock : os::CurrentClock()) {
  for (int i = 0; i < std::max(1, m_options.ioThreads); ++i) m_threads.emplace_back([this] { m_io.run(); });
  if (!m_options.multicastGroup.empty()) {
    m_multicast = std::make_shared<MulticastListener>(
        m_io, [this](const NetParamDatagram& datagram) { OnNetParamDatagram(datagram); });
    m_multicastError = m_multicast->Start(m_options.multicastGroup, m_options.multicastPort);
    if (!m_multicastError.empty()) m_multicast.reset();
  }
}

Simulator::~Simulator() { Stop(); }

std::shared_ptr<SimCamera> Simulator::AddCamera(const CameraProfile& profile, std::string* error) {
  auto camera = std::make_shared<SimCamera>(m_io, m_scheduler, profile, m_options.timing, m_options.plateRecordCapacity);
  const std::string failure = camera->Start();
  if (!failure.empty()) {
    if (error != nullptr) *error = failure;
    camera->Stop();
    return nullptr;
  }
  std::lock_guard lock(m_camerasMutex);
  m_cameras.push_back(camera);
  return camera;
}

std::size_t Simulator::Count() const {
  std::lock_guard lock(m_camerasMutex);
  return m_cameras.size();
}

std::shared_ptr<SimCamera> Simulator::CameraPtr(std::size_t index) const {
  std::lock_guard lock(m_camerasMutex);
  return m_cameras.at(index);
}

bool Simulator::AddCameras(std::size_t count, const std::string& baseIp, std::uint16_t port,
                           const CameraProfile& templateProfile, std::string* error) {
  auto address = ParseIpv4(baseIp);
  if (!address || (*address >> 24) != 127) {
    if (error != nullptr) *error = "not a loopback address: " + baseIp;
    return false;
  }
  const std::uint32_t idHigh = ProcessIdHigh();
  for (std::size_t i = 0; i < count; ++i, *address = NextHost(*address)) {
    CameraProfile profile = templateProfile;
    profile.ip = FormatIpv4(*address);
    profile.port = port;
    profile.gateway = FormatIpv4((*address & 0xFFFFFF00u) | 254u);
    const std::size_t number = Count() + 1;
    profile.idLow = static_cast<std::uint32_t>(number);
    profile.idHigh = idHigh;
    profile.seed = templateProfile.seed * 1000003u + number;
    if (!AddCamera(profile, error)) return false;
  }
  return true;
}

std::shared_ptr<SimCamera> Simulator::FindCamera(std::uint32_t idLow, std::uint32_t idHigh) const {
  std::lock_guard lock(m_camerasMutex);
  const auto found = std::find_if(m_cameras.begin(), m_cameras.end(), [&](const auto& camera) {
    return camera->IdLow() == idLow && camera->IdHigh() == idHigh;
  });
  return found == m_cameras.end() ? nullptr : *found;
}

std::string Simulator::SearchTargets() const {
  std::lock_guard lock(m_camerasMutex);
  std::string targets;
  for (const auto& camera : m_cameras) {
    if (!targets.empty()) targets += ',';
    targets += camera->Address();
  }
  return targets;
}

// The datagram names a camera by its search numbers and keeps its port; a camera asked to leave
// loopback stays where it is.
void Simulator::OnNetParamDatagram(const NetParamDatagram& datagram) {
  const auto camera = FindCamera(datagram.idLow, datagram.idHigh);
  if (!camera) return;
  CameraClientNetParam address = camera->With([](const CameraState& state) { return state.net; });
  SetFieldText(address.ip, datagram.ip);
  SetFieldText(address.gateway, datagram.gateway);
  SetFieldText(address.netmask, datagram.netmask);
  if (camera->MoveTo(address)) camera->CloseConnections();
}

void Simulator::Stop() {
  if (m_stopped) return;
  m_stopped = true;
  m_scheduler.Stop();
  std::vector<std::shared_ptr<SimCamera>> cameras;
  {
    std::lock_guard lock(m_camerasMutex);
    cameras = m_cameras;
  }
  for (const auto& camera : cameras) camera->Stop();
  if (m_multicast) m_multicast->Stop();
  m_work.reset();
  m_io.stop();
  for (std::thread& thread : m_threads) thread.join();
  m_threads.clear();
}

}  // namespace camsim
