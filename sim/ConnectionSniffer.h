#pragma once
// The first bytes of a new connection decide what it speaks: "LPRC" starts the control protocol,
// anything else is HTTP for the camera's web pages.

#include <array>
#include <cstdint>
#include <memory>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

namespace camsim {

class SimCamera;

class ConnectionSniffer : public std::enable_shared_from_this<ConnectionSniffer> {
 public:
  ConnectionSniffer(boost::asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera);
  void Run();

 private:
  void Read();
  void OnRead(const boost::system::error_code& ec, std::size_t bytes);
  void HandOver();

  boost::asio::ip::tcp::socket m_socket;
  boost::asio::steady_timer m_deadline;
  std::shared_ptr<SimCamera> m_camera;
  std::array<std::uint8_t, 4> m_first{};
  std::size_t m_received = 0;
};

}  // namespace camsim
