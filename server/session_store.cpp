// Sessions in the database (see session_store.h).
#include "server/session_store.h"

#include <algorithm>
#include <chrono>

#include "server/password_hash.h"

namespace zor::server {

namespace {

std::int64_t integer(const SqlValue& v) {
  if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
  if (auto* s = std::get_if<std::string>(&v)) return std::stoll(*s);
  if (auto* d = std::get_if<double>(&v)) return static_cast<std::int64_t>(*d);
  return 0;
}

std::string text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

const char* kEnded = "Sessão encerrada ou inválida. Entre novamente com seu usuário e senha.";

}  // namespace

int lastUseGranularity(int idleSeconds) { return std::min(30, std::max(1, idleSeconds / 4)); }

std::int64_t systemSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

SessionStore::SessionStore(ConnectionPool& pool, int idleSeconds, SecondsClock now)
    : pool_(pool), idleSeconds_(idleSeconds), now_(std::move(now)) {}

std::string SessionStore::open(const std::string& user, const std::string& address) {
  std::string token = newSessionToken();
  std::int64_t now = now_();
  pool_.run([&](Connection& c) {
    WriteTransaction tx(c);
    // Sessions long idle are swept here rather than by a timer.
    c.execute("DELETE FROM ZORSESSAO WHERE NRULTIMOUSO < ?", {now - idleSeconds_});
    c.execute("INSERT INTO ZORSESSAO (DSTOKENHASH, CDUSUARIO, DSENDERECO, NRCRIADA, NRULTIMOUSO) VALUES (?, ?, ?, ?, ?)",
              {tokenDigest(token), user, address.substr(0, 64), now, now});
    tx.commit();
    return 0;
  });
  return token;
}

Caller SessionStore::resolve(const std::string& token, const std::string& address) {
  if (token.empty()) throw AuthError(kEnded);
  std::string digest = tokenDigest(token);
  std::int64_t now = now_();
  return pool_.run([&](Connection& c) {
    // The session, its user and the user's branches in one statement: a
    // row per branch (one with a null branch for a user without any).
    auto rows = c.query(
        "SELECT S.NRULTIMOUSO, U.CDUSUARIO, U.NMUSUARIO, U.IDATIVO, U.IDFILIALFIXA, F.CDFILIAL"
        " FROM ZORSESSAO S JOIN ZORUSUARIO U ON U.CDUSUARIO = S.CDUSUARIO"
        " LEFT JOIN ZORUSUARIOFILIAL F ON F.CDUSUARIO = U.CDUSUARIO"
        " WHERE S.DSTOKENHASH = ? ORDER BY F.CDFILIAL",
        {digest});
    if (rows.rows.empty()) throw AuthError(kEnded);
    const auto& first = rows.rows[0];
    std::int64_t last = integer(first[0]);
    if (now - last > idleSeconds_) {
      c.execute("DELETE FROM ZORSESSAO WHERE DSTOKENHASH = ?", {digest});
      throw AuthError("Sessão expirada por inatividade. Entre novamente com seu usuário e senha.");
    }
    if (text(first[3]) != "S") throw AuthError(kEnded);
    // One write per session every little while, not one per call.
    if (now - last >= lastUseGranularity(idleSeconds_))
      c.execute("UPDATE ZORSESSAO SET NRULTIMOUSO = ? WHERE DSTOKENHASH = ?", {now, digest});
    Caller caller;
    caller.user = text(first[1]);
    caller.name = text(first[2]);
    caller.address = address;
    caller.branchFixed = text(first[4]) == "S";
    for (const auto& row : rows.rows)
      if (!isNull(row[5])) caller.branches.push_back(text(row[5]));
    return caller;
  });
}

bool SessionStore::close(const std::string& token) {
  if (token.empty()) return false;
  std::string digest = tokenDigest(token);
  return pool_.run([&](Connection& c) {
    return c.execute("DELETE FROM ZORSESSAO WHERE DSTOKENHASH = ?", {digest}) > 0;
  });
}

std::string bearerToken(const std::string& header) {
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
