// Sessions in the database (see session_store.h).
#include "server/session_store.h"

#include <algorithm>
#include <chrono>

#include "server/password_hash.h"

namespace zor::server {

namespace {

std::int64_t Integer(const SqlValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  if (auto* s = std::get_if<std::string>(&v)) return std::stoll(*s);
  if (auto* d = std::get_if<double>(&v)) return static_cast<std::int64_t>(*d);
  return 0;
}

std::string Text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

const char* kEnded = "Sessão encerrada ou inválida. Entre novamente com seu usuário e senha.";

}  // namespace

int LastUseGranularity(int idleSeconds) { return std::min(30, std::max(1, idleSeconds / 4)); }

std::int64_t SystemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

SessionStore::SessionStore(ConnectionPool& pool, int idleSeconds, SecondsClock now)
    : pool_(pool), idleSeconds_(idleSeconds), now_(std::move(now)) {}

std::string SessionStore::Open(const std::string& user, const std::string& address) {
  std::string token = NewSessionToken();
  std::int64_t now = now_();
  pool_.Run([&](Connection& c) {
    WriteTransaction tx(c);
    // Sessions long idle are swept here rather than by a timer.
    c.Execute("DELETE FROM ZORSESSAO WHERE NRULTIMOUSO < ?", {now - idleSeconds_});
    c.Execute("INSERT INTO ZORSESSAO (DSTOKENHASH, CDUSUARIO, DSENDERECO, NRCRIADA, NRULTIMOUSO) VALUES (?, ?, ?, ?, ?)",
              {TokenDigest(token), user, address.substr(0, 64), now, now});
    tx.Commit();
    return 0;
  });
  return token;
}

Caller SessionStore::Resolve(const std::string& token, const std::string& address) {
  if (token.empty()) throw AuthError(kEnded);
  std::string digest = TokenDigest(token);
  std::int64_t now = now_();
  return pool_.Run([&](Connection& c) {
    // The session, its user and the user's branches in one statement: a
    // row per branch (one with a null branch for a user without any).
    auto rows = c.Query(
        "SELECT S.NRULTIMOUSO, U.CDUSUARIO, U.NMUSUARIO, U.IDATIVO, U.IDFILIALFIXA, F.CDFILIAL"
        " FROM ZORSESSAO S JOIN ZORUSUARIO U ON U.CDUSUARIO = S.CDUSUARIO"
        " LEFT JOIN ZORUSUARIOFILIAL F ON F.CDUSUARIO = U.CDUSUARIO"
        " WHERE S.DSTOKENHASH = ? ORDER BY F.CDFILIAL",
        {digest});
    if (rows.rows.empty()) throw AuthError(kEnded);
    const auto& first = rows.rows[0];
    std::int64_t last = Integer(first[0]);
    if (now - last > idleSeconds_) {
      c.Execute("DELETE FROM ZORSESSAO WHERE DSTOKENHASH = ?", {digest});
      throw AuthError("Sessão expirada por inatividade. Entre novamente com seu usuário e senha.");
    }
    if (Text(first[3]) != "S") throw AuthError(kEnded);
    // One write per session every little while, not one per call.
    if (now - last >= LastUseGranularity(idleSeconds_))
      c.Execute("UPDATE ZORSESSAO SET NRULTIMOUSO = ? WHERE DSTOKENHASH = ?", {now, digest});
    Caller caller;
    caller.user = Text(first[1]);
    caller.name = Text(first[2]);
    caller.address = address;
    caller.branchFixed = Text(first[4]) == "S";
    for (const auto& row : rows.rows)
      if (!IsNull(row[5])) caller.branches.push_back(Text(row[5]));
    return caller;
  });
}

bool SessionStore::Close(const std::string& token) {
  if (token.empty()) return false;
  std::string digest = TokenDigest(token);
  return pool_.Run([&](Connection& c) {
    return c.Execute("DELETE FROM ZORSESSAO WHERE DSTOKENHASH = ?", {digest}) > 0;
  });
}

std::string BearerToken(const std::string& header) {
  const std::string scheme = "bearer ";
  if (header.size() <= scheme.size()) return "";
  for (size_t i = 0; i < scheme.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(header[i])) != scheme[i]) return "";
  std::string token = header.substr(scheme.size());
  while (!token.empty() && (token.front() == ' ')) token.erase(0, 1);
  while (!token.empty() && (token.back() == ' ' || token.back() == '\t')) token.pop_back();
  if (token.empty() || token.size() > 128) return "";
  return token;
}

}  // namespace zor::server
