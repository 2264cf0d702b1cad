// HTTP or HTTPS client (see http_client_factory.h).
#include "platform/net/http_client_factory.h"

#include "platform/net/server_session.h"

namespace zor::plat {

std::unique_ptr<httplib::Client> MakeHttpClient(const std::string& host, int port) {
  if (!ServerUsesHttps()) return std::make_unique<httplib::Client>(host, port);
  std::string h = host.find(':') != std::string::npos ? "[" + host + "]" : host;  // IPv6 literal
  auto client = std::make_unique<httplib::Client>("https://" + h + ":" + std::to_string(port));
  client->enable_server_certificate_verification(true);
  std::string ca = ServerCaFile();
  if (!ca.empty()) client->set_ca_cert_path(ca.c_str());
  return client;
}

}  // namespace zor::plat
