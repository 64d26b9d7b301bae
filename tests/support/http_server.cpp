#include "tests/support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <system_error>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kHeadEnd = "\r\n\r\n";

[[noreturn]] void Fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

bool SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

// Reads until `buffer` holds a whole request head. Its length, or 0 when the connection ended first.
std::size_t ReadRequestHead(int fd, std::string& buffer) {
  for (;;) {
    std::size_t end = buffer.find(kHeadEnd);
    if (end != std::string::npos) return end + kHeadEnd.size();
    char chunk[4096];
    ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return 0;
    buffer.append(chunk, static_cast<std::size_t>(n));
  }
}

// Returns when the peer has closed or the server has shut the connection down.
void DiscardUntilEnd(int fd) {
  char chunk[4096];
  for (;;) {
    ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
  }
}

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 400:
      return "Bad Request";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}

}  // namespace

HttpServer::HttpServer(Responder responder, std::uint16_t port) : responder_(std::move(responder)) {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) Fail("HttpServer: socket");
  int on = 1;
  setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  socklen_t length = sizeof address;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(listener_, 64) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    int error = errno;
    close(listener_);
    errno = error;
    Fail("HttpServer: listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  acceptThread_ = std::thread(&HttpServer::AcceptLoop, this);
}

HttpServer::~HttpServer() {
  stopping_ = true;
  shutdown(listener_, SHUT_RDWR);
  acceptThread_.join();
  close(listener_);
  {
    // Wakes every worker blocked on its connection; each closes its own socket.
    std::lock_guard lock(mutex_);
    for (int connection : connections_) shutdown(connection, SHUT_RDWR);
  }
  for (std::thread& worker : workers_) worker.join();
}

std::string HttpServer::hostAndPort() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> HttpServer::Requests() {
  std::lock_guard lock(mutex_);
  return requests_;
}

HttpServer::Reply HttpServer::Page(const std::string& body, int status) {
  Reply reply;
  reply.bytes =
      "HTTP/1.0 " + std::to_string(status) + " " + ReasonPhrase(status) +
      "\r\nContent-Type: text/html; charset=gb2312\r\nContent-Length: " + std::to_string(body.size()) +
      "\r\n\r\n" + body;
  return reply;
}

void HttpServer::AcceptLoop() {
  while (!stopping_) {
    // A short poll keeps shutting down prompt even where shutdown() does not wake a blocked accept().
    pollfd ready{listener_, POLLIN, 0};
    if (poll(&ready, 1, 50) <= 0) continue;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) {
      if (stopping_) return;
      if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    std::lock_guard lock(mutex_);
    if (stopping_) {
      close(connection);
      return;
    }
    connections_.push_back(connection);
    workers_.emplace_back(&HttpServer::Serve, this, connection);
  }
}

void HttpServer::Serve(int connection) {
  std::string buffer;
  bool answered = false;
  for (;;) {
    std::size_t headLength = ReadRequestHead(connection, buffer);
    if (headLength == 0) break;
    std::string request = buffer.substr(0, headLength);
    buffer.erase(0, headLength);
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    Reply reply;
    {
      // Tests write responders as plain lambdas over their own state; one call at a time keeps them safe.
      std::lock_guard lock(responderMutex_);
      reply = responder_(request);
    }
    if (reply.neverAnswer) {
      DiscardUntilEnd(connection);
      break;
    }
    if (!SendAll(connection, reply.bytes)) break;
    answered = true;
    Clock::time_point pauseEnd = Clock::now() + reply.pauseAfter;
    while (!stopping_ && Clock::now() < pauseEnd) {
      std::this_thread::sleep_for(
          std::min<Clock::duration>(pauseEnd - Clock::now(), std::chrono::milliseconds(10)));
    }
    if (reply.closeAfter || stopping_) break;
  }
  if (answered && !stopping_) {
    // Closing with unread bytes from the client would reset the connection and could destroy the reply
    // in flight; ending our side first and waiting briefly for the client's close delivers it whole.
    shutdown(connection, SHUT_WR);
    Clock::time_point giveUp = Clock::now() + std::chrono::seconds(2);
    pollfd readable{connection, POLLIN, 0};
    char chunk[4096];
    while (!stopping_ && Clock::now() < giveUp && poll(&readable, 1, 20) >= 0) {
      if ((readable.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      if (recv(connection, chunk, sizeof chunk, 0) <= 0) break;
    }
  }
  std::lock_guard lock(mutex_);
  connections_.erase(std::find(connections_.begin(), connections_.end(), connection));
  close(connection);
}
