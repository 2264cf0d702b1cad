// Administration commands (see admin_commands.h).
#include "server/admin_commands.h"

#include <termios.h>
#include <unistd.h>

#include <iomanip>
#include <iostream>
#include <ostream>

#include "server/audit_trail.h"
#include "server/user_store.h"

namespace zor::server {

namespace {

std::string ReadLine(bool echo) {
  termios old{};
  bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &old) == 0;
  if (terminal && !echo) {
    termios quiet = old;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  std::string line;
  bool ok = static_cast<bool>(std::getline(std::cin, line));
  if (terminal && !echo) {
    tcsetattr(STDIN_FILENO, TCSANOW, &old);
    std::cerr << "\n";
  }
  if (!ok) throw UserError("Não foi possível ler a senha da entrada padrão.");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::string CsvField(const std::string& s) {
  if (s.find_first_of(",\"\n;") == std::string::npos) return s;
  std::string out = "\"";
  for (char ch : s) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return out + "\"";
}

std::string Shown(const std::optional<std::string>& v) { return v ? "\"" + *v + "\"" : "(vazio)"; }

}  // namespace

bool EnsureDemoUser(Connection& c) {
  if (FindUser(c, kDemoUser)) return false;
  NewUser u;
  u.code = kDemoUser;
  u.name = "Usuário de demonstração";
  u.password = kDemoPassword;
  for (const auto& r : c.Query("SELECT CDFILIAL FROM FILIAL ORDER BY CDFILIAL").rows)
    u.branches.push_back(std::get<std::string>(r[0]));
  if (u.branches.empty()) return false;
  AddUser(c, u);
  return true;
}

std::string ReadPassword(const std::string& prompt, bool confirm) {
  bool terminal = isatty(STDIN_FILENO);
  if (terminal) std::cerr << prompt << ": " << std::flush;
  std::string first = ReadLine(false);
  if (terminal && confirm) {
    std::cerr << "Repita a senha: " << std::flush;
    if (ReadLine(false) != first) throw UserError("As duas senhas digitadas não são iguais.");
  }
  return first;
}

void PrintUsers(Connection& c, std::ostream& out) {
  out << std::left << std::setw(21) << "USUÁRIO" << std::setw(8) << "ATIVO" << std::setw(7) << "FIXA"
      << "FILIAIS / NOME\n";
  for (const auto& u : ListUsers(c)) {
    std::string branches;
    for (const auto& b : u.branches) branches += (branches.empty() ? "" : ",") + b;
    out << std::left << std::setw(20) << u.code << " " << std::setw(6) << (u.enabled ? "sim" : "não") << " "
        << std::setw(6) << (u.branchFixed ? "sim" : "não") << " " << branches << "  " << u.name << "\n";
  }
}

void PrintAudit(Connection& c, const AuditQuery& q, std::ostream& out) {
  AuditFilter f;
  f.branch = q.branch;
  f.company = q.company;
  f.flight = q.flight;
  f.since = q.since;
  f.limit = 100000;
  auto entries = ReadAudit(c, f);
  if (q.csv) {
    out << "quando_utc,usuario,endereco,metodo,tabela,chave,tipo,campo,antes,depois\n";
    for (const auto& e : entries) {
      std::string head = CsvField(e.when) + "," + CsvField(e.user) + "," + CsvField(e.address) + "," +
                         CsvField(e.method) + "," + CsvField(e.table) + "," + CsvField(e.key) + "," +
                         CsvField(AuditKindName(e.kind));
      if (e.columns.empty()) out << head << ",,,\n";
      for (const auto& col : e.columns)
        out << head << "," << CsvField(col.name) << "," << CsvField(col.oldValue.value_or("")) << ","
            << CsvField(col.newValue.value_or("")) << "\n";
    }
    return;
  }
  out << "QUANDO (UTC)         USUÁRIO      ENDEREÇO         MÉTODO            TABELA      CHAVE                "
         "TIPO\n";
  for (const auto& e : entries) {
    out << std::left << std::setw(20) << e.when << " " << std::setw(12) << e.user << " " << std::setw(16)
        << e.address << " " << std::setw(17) << e.method << " " << std::setw(11) << e.table << " " << std::setw(20)
        << e.key << " " << AuditKindName(e.kind) << "\n";
    for (const auto& col : e.columns)
      out << "    " << col.name << ": " << Shown(col.oldValue) << " -> " << Shown(col.newValue) << "\n";
  }
  if (entries.empty()) out << "(nenhuma alteração registrada)\n";
}

}  // namespace zor::server
