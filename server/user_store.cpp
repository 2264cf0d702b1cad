// Users and their branches (see user_store.h).
#include "server/user_store.h"

#include <algorithm>
#include <set>

namespace zor::server {

namespace {

std::string text(const SqlValue& v) {
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

void checkPassword(const std::string& password) {
  if (password.size() < kMinPasswordLength)
    throw UserError("A senha deve ter pelo menos " + std::to_string(kMinPasswordLength) + " caracteres.");
}

std::vector<std::string> branchesOf(Connection& c, const std::string& code) {
  std::vector<std::string> out;
  for (const auto& r :
       c.query("SELECT CDFILIAL FROM ZORUSUARIOFILIAL WHERE CDUSUARIO = ? ORDER BY CDFILIAL", {code}).rows)
    out.push_back(text(r[0]));
  return out;
}

UserRecord fromRow(Connection& c, const std::vector<SqlValue>& r) {
  UserRecord u;
  u.code = text(r[0]);
  u.name = text(r[1]);
  u.passwordHash = text(r[2]);
  u.branchFixed = text(r[3]) == "S";
  u.enabled = text(r[4]) == "S";
  u.branches = branchesOf(c, u.code);
  return u;
}

const char* kSelect = "SELECT CDUSUARIO, NMUSUARIO, DSSENHAHASH, IDFILIALFIXA, IDATIVO FROM ZORUSUARIO";

bool validCode(const std::string& code) {
  if (code.empty() || code.size() > 20) return false;
  return std::all_of(code.begin(), code.end(), [](unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '.' ||
           ch == '_' || ch == '-';
  });
}

}  // namespace

std::optional<UserRecord> findUser(Connection& c, const std::string& code) {
  auto rows = c.query(std::string(kSelect) + " WHERE CDUSUARIO = ?", {code});
  if (rows.rows.empty()) return std::nullopt;
  return fromRow(c, rows.rows[0]);
}

std::vector<UserRecord> listUsers(Connection& c) {
  std::vector<UserRecord> out;
  for (const auto& r : c.query(std::string(kSelect) + " ORDER BY CDUSUARIO").rows) out.push_back(fromRow(c, r));
  return out;
}

void addUser(Connection& c, const NewUser& u, HashCost cost) {
  if (!validCode(u.code))
    throw UserError("Código de usuário inválido: \"" + u.code +
                    "\" (até 20 letras sem acento, dígitos, ponto, hífen ou sublinhado).");
  if (u.name.size() > 60) throw UserError("O nome do usuário tem mais de 60 caracteres.");
  std::set<std::string> branches(u.branches.begin(), u.branches.end());
  if (branches.empty()) throw UserError("Informe ao menos uma filial do usuário.");
  if (u.branchFixed && branches.size() != 1)
    throw UserError("Um usuário com filial fixa trabalha em exatamente uma filial.");
  checkPassword(u.password);
  std::string hash = hashPassword(u.password, cost);
  WriteTransaction tx(c);
  if (findUser(c, u.code)) throw UserError("O usuário " + u.code + " já existe.");
  for (const auto& b : branches)
    if (c.query("SELECT 1 FROM FILIAL WHERE CDFILIAL = ?", {b}).rows.empty())
      throw UserError("Filial não cadastrada: " + b + ".");
  c.execute("INSERT INTO ZORUSUARIO (CDUSUARIO, NMUSUARIO, DSSENHAHASH, IDFILIALFIXA, IDATIVO) VALUES (?, ?, ?, ?, 'S')",
            {u.code, u.name, hash, std::string(u.branchFixed ? "S" : "N")});
  for (const auto& b : branches)
    c.execute("INSERT INTO ZORUSUARIOFILIAL (CDUSUARIO, CDFILIAL) VALUES (?, ?)", {u.code, b});
  tx.commit();
}

void setPassword(Connection& c, const std::string& code, const std::string& password, HashCost cost) {
  checkPassword(password);
  std::string hash = hashPassword(password, cost);
  WriteTransaction tx(c);
  if (c.execute("UPDATE ZORUSUARIO SET DSSENHAHASH = ? WHERE CDUSUARIO = ?", {hash, code}) == 0)
    throw UserError("Usuário não cadastrado: " + code + ".");
  // A new password ends the sessions opened with the old one.
  c.execute("DELETE FROM ZORSESSAO WHERE CDUSUARIO = ?", {code});
  tx.commit();
}

void setEnabled(Connection& c, const std::string& code, bool enabled) {
  WriteTransaction tx(c);
  if (c.execute("UPDATE ZORUSUARIO SET IDATIVO = ? WHERE CDUSUARIO = ?", {std::string(enabled ? "S" : "N"), code}) ==
      0)
    throw UserError("Usuário não cadastrado: " + code + ".");
  if (!enabled) c.execute("DELETE FROM ZORSESSAO WHERE CDUSUARIO = ?", {code});
  tx.commit();
}

}  // namespace zor::server
