// The server's users: code, name, Argon2id password hash, the branches
// each may work in, whether the branch is fixed for them, and whether they
// may log in at all. Read by the login and written by the administration
// commands of zor12200-server.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "server/db_connection.h"
#include "server/password_hash.h"

namespace zor::server {

struct UserRecord {
  std::string code;
  std::string name;
  std::string passwordHash;
  std::vector<std::string> branches;  // sorted
  bool branchFixed = false;
  bool enabled = true;
};

// A request the administration refuses (unknown user, bad branch...),
// with the message to print.
class UserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::optional<UserRecord> FindUser(Connection& c, const std::string& code);
std::vector<UserRecord> ListUsers(Connection& c);

struct NewUser {
  std::string code, name, password;
  std::vector<std::string> branches;
  bool branchFixed = false;
};
// Checks the code, the branches (they must exist, exactly one when the
// branch is fixed) and the password, then stores the user.
void AddUser(Connection& c, const NewUser& u, HashCost cost = HashCost::Interactive);
void SetPassword(Connection& c, const std::string& code, const std::string& password,
                 HashCost cost = HashCost::Interactive);
// A disabled user cannot log in and their open sessions end at once.
void SetEnabled(Connection& c, const std::string& code, bool enabled);

// The shortest password accepted.
constexpr size_t kMinPasswordLength = 8;

}  // namespace zor::server
