#pragma once
// A small HTTP server on 127.0.0.1 for tests: it records the raw bytes of every request and answers
// each one as the test's responder says. It listens on an ephemeral port unless told otherwise, and
// stops (closing every connection) when destroyed.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HttpServer {
 public:
  struct Reply {
    std::string bytes;                        // sent as they stand: status line, headers and body
    bool closeAfter = true;                   // close the connection once the bytes are sent
    bool neverAnswer = false;                 // read the request, send nothing, keep the connection open
    std::chrono::milliseconds pauseAfter{0};  // keep the connection open this long after sending
  };
  // Called with the raw request (everything up to and including the blank line that ends it), one call
  // at a time even when several connections are open.
  using Responder = std::function<Reply(const std::string& rawRequest)>;

  explicit HttpServer(Responder responder, std::uint16_t port = 0);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  std::uint16_t port() const { return port_; }
  // "127.0.0.1:PORT"
  std::string hostAndPort() const;
  // The raw requests received so far, oldest first.
  std::vector<std::string> Requests();

  // A complete response with the given status and body, with Content-Length.
  static Reply Page(const std::string& body, int status = 200);

 private:
  void AcceptLoop();
  void Serve(int connection);

  Responder responder_;
  int listener_ = -1;
  std::uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptThread_;
  std::mutex responderMutex_;  // held while the responder runs
  std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<int> connections_;
  std::vector<std::thread> workers_;
};
