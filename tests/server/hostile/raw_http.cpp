// Plain-socket HTTP (see raw_http.h).
#include "tests/server/hostile/raw_http.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace zor::server::testing {

int ConnectLoopback(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string RawPost(const std::string& path, const std::string& body, const std::string& headers,
                    const std::string& method) {
  return method + " " + path + " HTTP/1.1\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

RawReply RawExchange(int port, const std::string& request, int timeoutMs) {
  RawReply r;
  int fd = ConnectLoopback(port);
  if (fd < 0) return r;
  size_t sent = 0;
  while (sent < request.size()) {
    ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;  // the server may answer and close before reading everything
    sent += static_cast<size_t>(n);
  }
  std::string in;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  char buf[65536];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    in.append(buf, static_cast<size_t>(n));
    // Stop once a complete answer with a Content-Length is in.
    auto end = in.find("\r\n\r\n");
    if (end == std::string::npos) continue;
    auto cl = in.find("Content-Length: ");
    if (cl == std::string::npos || cl > end) cl = in.find("content-length: ");
    if (cl != std::string::npos && cl < end &&
        in.size() >= end + 4 + std::strtoul(in.c_str() + cl + 16, nullptr, 10))
      break;
  }
  ::close(fd);
  auto end = in.find("\r\n\r\n");
  if (in.rfind("HTTP/1.", 0) != 0 || end == std::string::npos) return r;
  r.status = std::atoi(in.c_str() + 9);
  r.headers = in.substr(0, end);
  r.body = in.substr(end + 4);
  return r;
}

}  // namespace zor::server::testing
