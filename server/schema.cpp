// Schema description and migrations (see schema.h).
#include "server/schema.h"

#include <functional>
#include <stdexcept>

namespace zor::server {

namespace {

ColumnDef str(std::string name, int size, bool notNull = false) {
  return {std::move(name), ColumnType::text, size, notNull};
}
ColumnDef key(std::string name, int size) { return str(std::move(name), size, true); }
ColumnDef real(std::string name) { return {std::move(name), ColumnType::real, 0, false}; }
ColumnDef stamp(std::string name) { return {std::move(name), ColumnType::timestamp, 0, false}; }

std::vector<TableDef> buildTables() {
  std::vector<TableDef> t;
  t.push_back({"FILIAL", {key("CDFILIAL", 4), str("NMFILIAL", 30), str("IDCNTRRESC", 1)}, {"CDFILIAL"}, {}});
  t.push_back({"COMPANHIA", {key("CDCIA", 4), str("SGCIA", 5), str("NMCIA", 50)}, {"CDCIA"}, {}});
  t.push_back({"CIAFILI",
               {key("CDCIA", 4), key("CDFILIAL", 4)},
               {"CDCIA", "CDFILIAL"},
               {{{"CDCIA"}, "COMPANHIA", {"CDCIA"}}, {{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}}}});
  // Version 2 adds CDIATA (the IATA aircraft type) to EQUIPAMENTO; these
  // tables are the ones version 1 creates.
  t.push_back({"EQUIPAMENTO", {key("CDEQUIP", 4), str("SGEQUIP", 10), str("DSEQUIP", 30)}, {"CDEQUIP"}, {}});
  t.push_back({"EQUIPCIA",
               {key("CDFILIAL", 4), key("CDCIA", 4), key("CDEQUIP", 4)},
               {"CDFILIAL", "CDCIA", "CDEQUIP"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDEQUIP"}, "EQUIPAMENTO", {"CDEQUIP"}}}});
  t.push_back({"PREFIXOCIA",
               {key("CDFILIAL", 4), key("CDCIA", 4), key("CDEQUIP", 4), key("SGPREFIXO", 10)},
               {"CDFILIAL", "CDCIA", "CDEQUIP", "SGPREFIXO"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDEQUIP"}, "EQUIPAMENTO", {"CDEQUIP"}}}});
  t.push_back({"BASE", {key("CDBASE", 4), str("SGBASE", 5), str("DSBASE", 30)}, {"CDBASE"}, {}});
  t.push_back({"CLASSE", {key("CDCLASSE", 4), str("SGCLASSE", 5), str("DSCLASSE", 30)}, {"CDCLASSE"}, {}});
  t.push_back({"CLASSECIA",
               {key("CDFILIAL", 4), key("CDCIA", 4), key("CDCLASSE", 4)},
               {"CDFILIAL", "CDCIA", "CDCLASSE"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDCLASSE"}, "CLASSE", {"CDCLASSE"}}}});
  t.push_back({"TIPOVOO", {key("CDEXPTIPOVOO", 1), str("NMTIPOVOO", 100)}, {"CDEXPTIPOVOO"}, {}});
  t.push_back({"TURNO", {key("NRTURNO", 2), str("DSTURNO", 20)}, {"NRTURNO"}, {}});
  // Equipment, type and shift of a flight are plain codes: the screen checks
  // them, and a cleared code must still be storable while editing.
  t.push_back({"VOO",
               {key("CDFILIAL", 4),     key("CDCIA", 4),         key("NRVOO", 5),        str("CDEQUIP", 4),
                str("SGPREFIXO", 10),   str("IDNACIVOO", 1),     str("IDSITVOO", 1),     str("IDTIPVOO", 1),
                str("IDVOODOM", 1),     str("IDVOOSEG", 1),      str("IDVOOTER", 1),     str("IDVOOQUA", 1),
                str("IDVOOQUI", 1),     str("IDVOOSEX", 1),      str("IDVOOSAB", 1),     str("IDCARREGO", 1),
                str("IDDESCAR", 1),     str("IDTRANSLADO", 1),   str("IDCARGA", 1),      str("IDABASATEN", 1),
                str("IDBASETRAN", 1),   str("QTHRKDTDES", 4),    str("QTHRKDTCAR", 4),   str("IDVOOSELE", 1),
                stamp("DTINIVIGVOO"),   stamp("DTFIMVIGVOO"),    str("IDINCDESDESV", 1), str("IDINCDESFIXO", 1),
                str("IDINCDESCOND", 1), str("CDEXPTIPOVOO", 1),  real("VRPEROCUPACAO"),  real("QTDIASPROD"),
                str("NRTURNOPROD", 2)},
               {"CDFILIAL", "CDCIA", "NRVOO"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}}, {{"CDCIA"}, "COMPANHIA", {"CDCIA"}}}});
  t.push_back({"VOOTRECHO",
               {key("CDFILIAL", 4), key("CDCIA", 4), key("NRVOO", 5), key("CDTRECHO", 4), str("CDBASEORI", 4),
                str("CDBASEDES", 4), str("HRDECOLVOO", 4), str("HRPOUSOVOO", 4), str("IDTIPAJUSFAT", 1),
                str("IDSITVOOTRE", 1), stamp("DTULTATUTREC"), real("QTHRPREPVOO")},
               {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"},
               {{{"CDFILIAL", "CDCIA", "NRVOO"}, "VOO", {"CDFILIAL", "CDCIA", "NRVOO"}}}});
  t.push_back({"CLASSEVOO",
               {key("CDFILIAL", 4), key("CDCIA", 4), key("NRVOO", 5), key("CDTRECHO", 4), key("CDCLASSE", 4),
                real("NRMULSERV")},
               {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE"},
               {{{"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"}, "VOOTRECHO", {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"}},
                {{"CDCLASSE"}, "CLASSE", {"CDCLASSE"}}}});
  return t;
}

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
  return s;
}

// The functions the desktop's lookup queries call on PostgreSQL: an optional
// filter is written as a join with PARAM(:P) and a comparison with
// NVLSTR(P1.PARAM, column). Neither may be STRICT: a null argument must
// still give one row (PARAM) and the fallback (NVLSTR).
const char* kPgFunctions = R"(
CREATE OR REPLACE FUNCTION NVLSTR(a text, b text) RETURNS text
  LANGUAGE sql IMMUTABLE AS 'SELECT COALESCE($1, $2)';
CREATE OR REPLACE FUNCTION PARAM(p text) RETURNS TABLE(PARAM text)
  LANGUAGE sql IMMUTABLE AS 'SELECT $1';
)";

ColumnDef integer(std::string name, bool notNull = false) {
  return {std::move(name), ColumnType::integer, 0, notNull};
}

// Who may use the server and what they did: users with their branches,
// open sessions, and the audit trail of every accepted change. Kept apart
// from the flight tables: they belong to the server alone and are created
// by a later migration.
std::vector<TableDef> buildAccessTables() {
  std::vector<TableDef> t;
  t.push_back({"ZORUSUARIO",
               {key("CDUSUARIO", 20), str("NMUSUARIO", 60), str("DSSENHAHASH", 128, true),
                str("IDFILIALFIXA", 1, true), str("IDATIVO", 1, true)},
               {"CDUSUARIO"},
               {}});
  t.push_back({"ZORUSUARIOFILIAL",
               {key("CDUSUARIO", 20), key("CDFILIAL", 4)},
               {"CDUSUARIO", "CDFILIAL"},
               {{{"CDUSUARIO"}, "ZORUSUARIO", {"CDUSUARIO"}}}});
  // A session is stored under the digest of its token; times are seconds
  // since 1970 on the clock of the server that wrote them.
  t.push_back({"ZORSESSAO",
               {key("DSTOKENHASH", 64), key("CDUSUARIO", 20), str("DSENDERECO", 64), integer("NRCRIADA", true),
                integer("NRULTIMOUSO", true)},
               {"DSTOKENHASH"},
               {{{"CDUSUARIO"}, "ZORUSUARIO", {"CDUSUARIO"}}}});
  // One row per changed row; its columns' old and new values below it.
  // NRMICROS (microseconds since 1970 when the call began) orders the calls
  // of one second; NRSEQUENCIA the rows of one call.
  // The user code is not a foreign key: the trail outlives any user.
  t.push_back({"ZORAUDITORIA",
               {key("DSCHAMADA", 32), integer("NRSEQUENCIA", true), stamp("DTAUDITORIA"), integer("NRMICROS", true),
                str("CDUSUARIO", 20),
                str("DSENDERECO", 64), str("NMMETODO", 30), str("NMTABELA", 30), str("DSCHAVE", 60),
                str("CDFILIAL", 4), str("CDCIA", 4), str("NRVOO", 5), str("IDTIPO", 1)},
               {"DSCHAMADA", "NRSEQUENCIA"},
               {}});
  t.push_back({"ZORAUDITORIACAMPO",
               {key("DSCHAMADA", 32), integer("NRSEQUENCIA", true), key("NMCAMPO", 30), str("DSVALORANTIGO", 200),
                str("DSVALORNOVO", 200)},
               {"DSCHAMADA", "NRSEQUENCIA", "NMCAMPO"},
               {{{"DSCHAMADA", "NRSEQUENCIA"}, "ZORAUDITORIA", {"DSCHAMADA", "NRSEQUENCIA"}}}});
  return t;
}

struct Migration {
  int version;
  std::function<void(Connection&)> apply;
};

const std::vector<Migration>& migrations() {
  static const std::vector<Migration> list = {
      {1,
       [](Connection& c) {
         for (const auto& t : schemaTables()) c.execScript(createTableSql(c, t));
         // The legs of one flight are read by base pair when a new leg is checked.
         c.execScript("CREATE INDEX VOOTRECHO_BASES ON VOOTRECHO (CDFILIAL, CDCIA, NRVOO, CDBASEORI, CDBASEDES)");
         if (c.dialect() == Dialect::postgresql) c.execScript(kPgFunctions);
       }},
      // The IATA aircraft type of each equipment, which schedule files
      // exchanged with the airlines name ("320", "73H", "E90").
      {2,
       [](Connection& c) {
         std::string check = c.lengthCheck("CDIATA", 3);
         c.execScript("ALTER TABLE EQUIPAMENTO ADD COLUMN CDIATA " + c.columnType(ColumnType::text, 3) +
                      (check.empty() ? "" : " " + check));
       }},
      // Users, their branches and sessions, and the audit trail of changes.
      {3,
       [](Connection& c) {
         for (const auto& t : accessTables()) c.execScript(createTableSql(c, t));
         c.execScript("CREATE INDEX ZORAUDITORIA_VOO ON ZORAUDITORIA (CDFILIAL, CDCIA, NRVOO, DTAUDITORIA)");
         c.execScript("CREATE INDEX ZORAUDITORIA_DATA ON ZORAUDITORIA (DTAUDITORIA)");
         c.execScript("CREATE INDEX ZORSESSAO_USUARIO ON ZORSESSAO (CDUSUARIO)");
       }},
  };
  return list;
}

}  // namespace

const ColumnDef* TableDef::column(const std::string& n) const {
  for (const auto& c : columns)
    if (c.name == n) return &c;
  return nullptr;
}

const std::vector<TableDef>& schemaTables() {
  static const std::vector<TableDef> tables = buildTables();
  return tables;
}

const std::vector<TableDef>& accessTables() {
  static const std::vector<TableDef> tables = buildAccessTables();
  return tables;
}

const TableDef& schemaTable(const std::string& name) {
  for (const auto& t : schemaTables())
    if (t.name == name) return t;
  for (const auto& t : accessTables())
    if (t.name == name) return t;
  throw std::logic_error("unknown table " + name);
}

std::string createTableSql(const Connection& c, const TableDef& t) {
  std::string sql = "CREATE TABLE " + t.name + " (\n";
  for (const auto& col : t.columns) {
    sql += "  " + col.name + " " + c.columnType(col.type, col.size);
    if (col.notNull) sql += " NOT NULL";
    if (col.type == ColumnType::text) {
      std::string check = c.lengthCheck(col.name, col.size);
      if (!check.empty()) sql += " " + check;
    }
    sql += ",\n";
  }
  sql += "  PRIMARY KEY (" + joined(t.primaryKey) + ")";
  for (const auto& fk : t.foreignKeys)
    sql += ",\n  FOREIGN KEY (" + joined(fk.columns) + ") REFERENCES " + fk.refTable + " (" +
           joined(fk.refColumns) + ")";
  sql += "\n)";
  return sql;
}

int currentSchemaVersion() { return migrations().back().version; }

int schemaVersion(Connection& c) {
  c.execScript("CREATE TABLE IF NOT EXISTS ZOR_SCHEMA_VERSION (VERSION INTEGER NOT NULL)");
  auto r = c.query("SELECT MAX(VERSION) FROM ZOR_SCHEMA_VERSION");
  if (r.rows.empty() || isNull(r.rows[0][0])) return 0;
  const auto& v = r.rows[0][0];
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<int>(*i);
  return std::stoi(std::get<std::string>(v));
}

void migrate(Connection& c) {
  c.execScript("CREATE TABLE IF NOT EXISTS ZOR_SCHEMA_VERSION (VERSION INTEGER NOT NULL)");
  for (const auto& m : migrations()) {
    WriteTransaction tx(c);
    c.lockForMigration();
    int have = schemaVersion(c);
    if (have > currentSchemaVersion())
      throw DbError(DbError::Kind::other, "O banco de dados está na versão " + std::to_string(have) +
                                              ", mais nova que a deste servidor (" +
                                              std::to_string(currentSchemaVersion()) + ").");
    if (have >= m.version) continue;  // tx rolls back: nothing written
    m.apply(c);
    c.execute("INSERT INTO ZOR_SCHEMA_VERSION (VERSION) VALUES (?)", {static_cast<std::int64_t>(m.version)});
    tx.commit();
  }
}

}  // namespace zor::server
