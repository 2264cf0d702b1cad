// The user's session with the application server: logging in through the
// server's session endpoint (POST /rpc/Sessao, Login and Logout), and the
// process-wide token that every TNetConnection of the process then sends
// (Authorization: Bearer). The host logs in once at start; the screens
// never see the password or the token.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zor::plat {

struct LoginAnswer {
  bool Ok = false;
  std::string Message;  // Portuguese, when not Ok
  std::string Token;
  std::string User, UserName;
  std::vector<std::pair<std::string, std::string>> Branches;  // code, name
  bool BranchFixed = false;
};

// The branch the person works in after a login: the one branch of a user
// whose branch is fixed; otherwise `wanted` when it is one of the user's
// branches ("" chooses the first). Not Ok, with a Portuguese message,
// when `wanted` is not one of them.
struct BranchChoice {
  bool Ok = false;
  std::string Message;
  std::string Code, Name;
  bool Fixed = false;
};
BranchChoice ChooseBranch(const LoginAnswer& login, const std::string& wanted);

// Logs in; never throws for a refused login or an unreachable server.
LoginAnswer LoginToServer(const std::string& host, int port, const std::string& user, const std::string& password);
// Ends the session of `token`; false when the server could not be told.
bool LogoutFromServer(const std::string& host, int port, const std::string& token);

// The token every connection of the process sends; "" for none.
void SetSessionToken(const std::string& token);
std::string SessionToken();

// The TLS settings of every connection of the process: whether to speak
// https, and the certificate authority file that verifies the server's
// certificate (empty: the system's authorities). Verification is always on.
void SetServerTls(bool https, const std::string& caFile);
bool ServerUsesHttps();
std::string ServerCaFile();

}  // namespace zor::plat
