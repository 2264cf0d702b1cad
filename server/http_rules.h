// What the HTTP side accepts before a body is read: the one RPC path, POST
// with a JSON body, no browser origin, and a Host naming this server (a web
// page open on a desk must not reach the server, not even through a name
// of its own that resolves to the loopback address).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zor::server {

// The module name of "/rpc/<name>", or nothing for any other path.
std::optional<std::string> RpcModuleOfPath(const std::string& path);

// "application/json", any case, parameters such as charset allowed.
bool IsJsonContentType(const std::string& contentType);

// Host header check: an IP address, "localhost", or one of the names given
// (the listening host, the machine's name), with the listening port or
// none at all.
bool IsAcceptedHost(const std::string& hostHeader, const std::vector<std::string>& names, int port);

}  // namespace zor::server
