// Makes the HTTP client of a server connection: plain HTTP, or HTTPS with
// the server's certificate verified, as the process's TLS settings say
// (server_session.h). Internal to platform/net.
#pragma once

#include <httplib.h>

#include <memory>
#include <string>

namespace zor::plat {

std::unique_ptr<httplib::Client> MakeHttpClient(const std::string& host, int port);

}  // namespace zor::plat
