// Plain-socket HTTP for requests a well-behaved client library would not
// send (odd methods, paths and headers, slow or stalled clients).
#pragma once

#include <string>

namespace zor::server::testing {

struct RawReply {
  int status = 0;  // 0: no answer (connection failed or timed out)
  std::string headers;
  std::string body;
};

// Sends the bytes as they are on a new connection and reads one answer.
RawReply RawExchange(int port, const std::string& request, int timeoutMs = 10000);

// A POST with the given extra header lines ("Name: value\r\n" each).
std::string RawPost(const std::string& path, const std::string& body, const std::string& headers,
                    const std::string& method = "POST");

// A connected socket to 127.0.0.1:port, or -1.
int ConnectLoopback(int port);

}  // namespace zor::server::testing
