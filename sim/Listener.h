#pragma once
// Accepts the connections of one camera address. Each new connection first goes to a
// ConnectionSniffer, which tells the control protocol from HTTP.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

namespace camsim {

class SimCamera;

class Listener : public std::enable_shared_from_this<Listener> {
 public:
  Listener(boost::asio::io_context& io, std::weak_ptr<SimCamera> camera);

  // Binds and listens now; empty text on success, else what failed. Accepting starts with Run.
  std::string Bind(const std::string& ip, std::uint16_t port);
  void Run();
  // Closes the port: connecting is refused from then on.
  void Stop();

 private:
  void Accept();
  void OnAccept(const boost::system::error_code& ec, boost::asio::ip::tcp::socket socket);
  void Fail(const boost::system::error_code& ec, const char* what);

  boost::asio::io_context& m_io;
  std::mutex m_mutex;  // keeps Stop apart from the accept loop
  boost::asio::ip::tcp::acceptor m_acceptor;
  std::weak_ptr<SimCamera> m_camera;
};

}  // namespace camsim
