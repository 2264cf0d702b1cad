// Users and their branches (see user_store.h).
#include "server/user_store.h"

#include <algorithm>
#include <set>

namespace zor::server {

namespace {

std::string Text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

void CheckPassword(const std::string& password) {
  if (password.size() < kMinPasswordLength)
    throw UserError("A senha deve ter pelo menos " + std::to_string(kMinPasswordLength) + " caracteres.");
}

std::vector<std::string> BranchesOf(Connection& c, const std::string& code) {
  std::vector<std::string> out;
  for (const auto& r :
       c.Query("SELECT CDFILIAL FROM ZORUSUARIOFILIAL WHERE CDUSUARIO = ? ORDER BY CDFILIAL", {code}).rows)
    out.push_back(Text(r[0]));
  return out;
}

UserRecord FromRow(Connection& c, const std::vector<SqlValue>& r) {
  UserRecord u;
  u.code = Text(r[0]);
  u.name = Text(r[1]);
  u.passwordHash = Text(r[2]);
  u.branchFixed = Text(r[3]) == "S";
  u.enabled = Text(r[4]) == "S";
  u.branches = BranchesOf(c, u.code);
  return u;
}

const char* kSelect = "SELECT CDUSUARIO, NMUSUARIO, DSSENHAHASH, IDFILIALFIXA, IDATIVO FROM ZORUSUARIO";

bool ValidCode(const std::string& code) {
  if (code.empty() || code.size() > 20) return false;
  return std::all_of(code.begin(), code.end(), [](unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '.' ||
           ch == '_' || ch == '-';
  });
}

}  // namespace

std::optional<UserRecord> FindUser(Connection& c, const std::string& code) {
  auto rows = c.Query(std::string(kSelect) + " WHERE CDUSUARIO = ?", {code});
  if (rows.rows.empty()) return std::nullopt;
  return FromRow(c, rows.rows[0]);
}

std::vector<UserRecord> ListUsers(Connection& c) {
  std::vector<UserRecord> out;
  for (const auto& r : c.Query(std::string(kSelect) + " ORDER BY CDUSUARIO").rows) out.push_back(FromRow(c, r));
  return out;
}

void AddUser(Connection& c, const NewUser& u, HashCost cost) {
  if (!ValidCode(u.code))
    throw UserError("Código de usuário inválido: \"" + u.code +
                    "\" (até 20 letras sem acento, dígitos, ponto, hífen ou sublinhado).");
  if (u.name.size() > 60) throw UserError("O nome do usuário tem mais de 60 caracteres.");
  std::set<std::string> branches(u.branches.begin(), u.branches.end());
  if (branches.empty()) throw UserError("Informe ao menos uma filial do usuário.");
  if (u.branchFixed && branches.size() != 1)
    throw UserError("Um usuário com filial fixa trabalha em exatamente uma filial.");
  CheckPassword(u.password);
  std::string hash = HashPassword(u.password, cost);
  WriteTransaction tx(c);
  if (FindUser(c, u.code)) throw UserError("O usuário " + u.code + " já existe.");
  for (const auto& b : branches)
    if (c.Query("SELECT 1 FROM FILIAL WHERE CDFILIAL = ?", {b}).rows.empty())
      throw UserError("Filial não cadastrada: " + b + ".");
  c.Execute("INSERT INTO ZORUSUARIO (CDUSUARIO, NMUSUARIO, DSSENHAHASH, IDFILIALFIXA, IDATIVO) VALUES (?, ?, ?, ?, 'S')",
            {u.code, u.name, hash, std::string(u.branchFixed ? "S" : "N")});
  for (const auto& b : branches)
    c.Execute("INSERT INTO ZORUSUARIOFILIAL (CDUSUARIO, CDFILIAL) VALUES (?, ?)", {u.code, b});
  tx.Commit();
}

void SetPassword(Connection& c, const std::string& code, const std::string& password, HashCost cost) {
  CheckPassword(password);
  std::string hash = HashPassword(password, cost);
  WriteTransaction tx(c);
  if (c.Execute("UPDATE ZORUSUARIO SET DSSENHAHASH = ? WHERE CDUSUARIO = ?", {hash, code}) == 0)
    throw UserError("Usuário não cadastrado: " + code + ".");
  // A new password ends the sessions opened with the old one.
  c.Execute("DELETE FROM ZORSESSAO WHERE CDUSUARIO = ?", {code});
  tx.Commit();
}

void SetEnabled(Connection& c, const std::string& code, bool enabled) {
  WriteTransaction tx(c);
  if (c.Execute("UPDATE ZORUSUARIO SET IDATIVO = ? WHERE CDUSUARIO = ?", {std::string(enabled ? "S" : "N"), code}) ==
      0)
    throw UserError("Usuário não cadastrado: " + code + ".");
  if (!enabled) c.Execute("DELETE FROM ZORSESSAO WHERE CDUSUARIO = ?", {code});
  tx.Commit();
}

}  // namespace zor::server
