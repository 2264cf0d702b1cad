// Request admission rules (see http_rules.h).
#include "server/http_rules.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

namespace zor::server {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool IsIpLiteral(const std::string& name) {
  unsigned char buf[16];
  return inet_pton(AF_INET, name.c_str(), buf) == 1 || inet_pton(AF_INET6, name.c_str(), buf) == 1;
}

}  // namespace

std::optional<std::string> RpcModuleOfPath(const std::string& path) {
  const std::string prefix = "/rpc/";
  if (path.rfind(prefix, 0) != 0) return std::nullopt;
  std::string name = path.substr(prefix.size());
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  return name;
}

bool IsJsonContentType(const std::string& contentType) {
  std::string type = Lower(contentType.substr(0, contentType.find(';')));
  while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.pop_back();
  return type == "application/json";
}

bool IsAcceptedHost(const std::string& hostHeader, const std::vector<std::string>& names, int port) {
  std::string name = hostHeader, portText;
  if (!name.empty() && name.front() == '[') {
    auto close = name.find(']');
    if (close == std::string::npos) return false;
    portText = name.substr(close + 1);
    name = name.substr(1, close - 1);
    if (!portText.empty() && portText.front() != ':') return false;
    if (!portText.empty()) portText.erase(0, 1);
  } else if (auto colon = name.find(':'); colon != std::string::npos) {
    portText = name.substr(colon + 1);
    name = name.substr(0, colon);
  }
  if (!portText.empty() && portText != std::to_string(port)) return false;
  if (name.empty()) return false;
  name = Lower(name);
  if (IsIpLiteral(name) || name == "localhost") return true;
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return Lower(n) == name; });
}

}  // namespace zor::server
