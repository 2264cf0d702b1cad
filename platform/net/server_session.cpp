// Login, logout and the process's session token (see server_session.h).
#include "platform/net/server_session.h"

#include <httplib.h>

#include <mutex>
#include <nlohmann/json.hpp>

#include "platform/core/platform_texts.h"
#include "platform/net/http_client_factory.h"

namespace zor::plat {

namespace {

std::mutex sessionMutex;
std::string sessionToken;
bool useHttps = false;
std::string caFile;

using nlohmann::json;

// One call to the session endpoint; the "result" object, or an "ok": false
// object with the reason.
json CallSession(const std::string& host, int port, const std::string& method, const json& params) {
  auto http = MakeHttpClient(host, port);
  http->set_connection_timeout(std::chrono::seconds(5));
  http->set_read_timeout(std::chrono::seconds(30));
  json req = {{"jsonrpc", "2.0"}, {"id", 1}, {"method", method}, {"params", params}};
  auto res = http->Post("/rpc/Sessao", req.dump(), "application/json");
  std::string where = host + ":" + std::to_string(port);
  if (!res) {
    std::string why = res.error() == httplib::Error::SSLServerVerification ? PlatformText("net.certificate_unknown")
                      : res.error() == httplib::Error::SSLConnection         ? PlatformText("net.tls_failed")
                                                                             : "";
    return {{"ok", false}, {"message", PlatformText("net.connect_failed", {where, why})}};
  }
  json body = json::parse(res->body, nullptr, false);
  if (body.is_discarded() || !body.is_object())
    return {{"ok", false}, {"message", PlatformText("net.invalid_answer_from", {where})}};
  if (body.contains("error") && body["error"].is_object())
    return {{"ok", false}, {"message", body["error"].value("message", PlatformText("net.server_error"))}};
  if (!body.contains("result") || !body["result"].is_object())
    return {{"ok", false}, {"message", PlatformText("net.invalid_answer_from", {where})}};
  return body["result"];
}

}  // namespace

LoginAnswer LoginToServer(const std::string& host, int port, const std::string& user, const std::string& password) {
  LoginAnswer a;
  json r = CallSession(host, port, "Login", json::array({user, password}));
  if (r.value("ok", false) != true || !r.contains("data") || !r["data"].is_object()) {
    a.Message = r.value("message", PlatformText("net.login_failed"));
    return a;
  }
  const json& d = r["data"];
  a.Ok = true;
  a.Token = d.value("token", std::string());
  a.User = d.value("usuario", std::string());
  a.UserName = d.value("nome", std::string());
  a.BranchFixed = d.value("filialFixa", false);
  if (d.contains("filiais") && d["filiais"].is_array())
    for (const auto& b : d["filiais"])
      if (b.is_object()) a.Branches.emplace_back(b.value("CDFILIAL", std::string()), b.value("NMFILIAL", std::string()));
  return a;
}

BranchChoice ChooseBranch(const LoginAnswer& login, const std::string& wanted) {
  BranchChoice c;
  if (login.Branches.empty()) {
    c.Message = PlatformText("net.user_without_branches", {login.User});
    return c;
  }
  c.Fixed = login.BranchFixed;
  const auto* pick = &login.Branches.front();
  if (!login.BranchFixed && !wanted.empty()) {
    pick = nullptr;
    for (const auto& b : login.Branches)
      if (b.first == wanted) pick = &b;
    if (!pick) {
      c.Message = PlatformText("net.user_branch_refused", {login.User, wanted});
      return c;
    }
  }
  c.Ok = true;
  c.Code = pick->first;
  c.Name = pick->second;
  return c;
}

bool LogoutFromServer(const std::string& host, int port, const std::string& token) {
  return CallSession(host, port, "Logout", json::array({token})).value("ok", false) == true;
}

void SetSessionToken(const std::string& token) {
  std::lock_guard lock(sessionMutex);
  sessionToken = token;
}

std::string SessionToken() {
  std::lock_guard lock(sessionMutex);
  return sessionToken;
}

void SetServerTls(bool https, const std::string& ca) {
  std::lock_guard lock(sessionMutex);
  useHttps = https;
  caFile = ca;
}

bool ServerUsesHttps() {
  std::lock_guard lock(sessionMutex);
  return useHttps;
}

std::string ServerCaFile() {
  std::lock_guard lock(sessionMutex);
  return caFile;
}

}  // namespace zor::plat
