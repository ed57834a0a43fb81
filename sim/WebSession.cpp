#include "sim/WebSession.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include <boost/asio/buffer.hpp>
#include <boost/asio/post.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

#include "sim/SimCamera.h"
#include "sim/WebPages.h"

namespace camsim {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

namespace {

constexpr auto kTimeout = std::chrono::seconds(30);

std::string_view ToStd(beast::string_view text) { return std::string_view(text.data(), text.size()); }

}  // namespace

WebSession::WebSession(asio::ip::tcp::socket socket, std::shared_ptr<SimCamera> camera,
                       std::vector<std::uint8_t> received)
    : m_stream(std::move(socket)), m_camera(std::move(camera)) {
  auto space = m_buffer.prepare(received.size());
  std::memcpy(space.data(), received.data(), received.size());
  m_buffer.commit(received.size());
}

void WebSession::Run() {
  asio::post(m_stream.get_executor(), [self = shared_from_this()] { self->Read(); });
}

void WebSession::Read() {
  m_request = {};
  m_stream.expires_after(kTimeout);
  http::async_read(m_stream, m_buffer, m_request,
                   [self = shared_from_this()](const boost::system::error_code& ec, std::size_t bytes) {
                     self->OnRead(ec, bytes);
                   });
}

void WebSession::OnRead(const boost::system::error_code& ec, std::size_t) {
  if (ec) {
    Fail(ec, "read");
    return Close();
  }
  const auto cookie = m_request.find(http::field::cookie);
  const std::string_view cookies = cookie == m_request.end() ? std::string_view() : ToStd(cookie->value());
  const WebReply reply = m_camera->ServeWeb(ToStd(m_request.method_string()), ToStd(m_request.target()), cookies);

  m_response = std::make_shared<http::response<http::string_body>>(static_cast<http::status>(reply.status),
                                                                   m_request.version());
  m_response->set(http::field::server, "camsim");
  m_response->set(http::field::content_type, reply.contentType);
  m_response->keep_alive(m_request.keep_alive());
  if (m_request.method() != http::verb::head) m_response->body() = reply.body;
  m_response->content_length(reply.body.size());
  const bool keepAlive = m_response->keep_alive();
  m_stream.expires_after(kTimeout);
  http::async_write(m_stream, *m_response,
                    [self = shared_from_this(), keepAlive](const boost::system::error_code& ec, std::size_t bytes) {
                      self->OnWrite(keepAlive, ec, bytes);
                    });
}

void WebSession::OnWrite(bool keepAlive, const boost::system::error_code& ec, std::size_t) {
  m_response.reset();
  if (ec) {
    Fail(ec, "write");
    return Close();
  }
  if (!keepAlive) return Close();
  Read();
}

void WebSession::Close() {
  boost::system::error_code ignored;
  m_stream.socket().shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
  m_stream.close();
}

void WebSession::Fail(const boost::system::error_code& ec, const char* what) {
  // Clients that hang up, dawdle or send what is not HTTP are not worth a line.
  const bool httpError = ec.category() == make_error_code(http::error::end_of_stream).category();
  if (httpError || ec == beast::error::timeout || ec == asio::error::operation_aborted ||
      ec == asio::error::connection_reset || ec == asio::error::eof) {
    return;
  }
  std::fprintf(stderr, "camsim web %s: %s\n", what, ec.message().c_str());
}

}  // namespace camsim
