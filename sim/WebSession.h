#pragma once
// One HTTP connection to the camera's web pages (Boost.Beast), keep-alive, with a deadline on
// every read and write.

#include <cstdint>
#include <memory>
#include <vector>

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

namespace camsim {

class SimCamera;

class WebSession : public std::enable_shared_from_this<WebSession> {
 public:
  WebSession(boost::asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera, std::vector<std::uint8_t> received);
  void Run();

 private:
  void Read();
  void OnRead(const boost::system::error_code& ec, std::size_t bytes);
  void OnWrite(bool keepAlive, const boost::system::error_code& ec, std::size_t bytes);
  void Close();
  void Fail(const boost::system::error_code& ec, const char* what);

  boost::beast::tcp_stream m_stream;
  boost::beast::flat_buffer m_buffer;
  std::shared_ptr<SimCamera> m_camera;
  boost::beast::http::request<boost::beast::http::string_body> m_request;
  std::shared_ptr<boost::beast::http::response<boost::beast::http::string_body>> m_response;
};

}  // namespace camsim
