#pragma once
// Answers search probes on the camera's own address, at the UDP port with its TCP port's number.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

namespace camsim {

class SimCamera;

class SearchResponder : public std::enable_shared_from_this<SearchResponder> {
 public:
  SearchResponder(boost::asio::io_context& io, std::weak_ptr<SimCamera> camera);

  // Empty text on success, else what failed.
  std::string Bind(const std::string& ip, std::uint16_t port);
  void Run();
  void Stop();

 private:
  void Receive();
  void OnReceive(const boost::system::error_code& ec, std::size_t bytes);
  void Send(const std::vector<std::uint8_t>& answer);
  void Fail(const boost::system::error_code& ec, const char* what);

  std::mutex m_mutex;  // keeps Stop apart from the receive loop
  boost::asio::ip::udp::socket m_socket;
  boost::asio::ip::udp::endpoint m_sender;
  std::array<std::uint8_t, 256> m_buffer{};
  std::weak_ptr<SimCamera> m_camera;
};

}  // namespace camsim
