// Schema description and migrations (see schema.h).
#include "server/schema.h"

#include <functional>
#include <stdexcept>

namespace zor::server {

namespace {

ColumnDef Str(std::string name, int size, bool notNull = false) {
  return {std::move(name), ColumnType::Text, size, notNull};
}
ColumnDef Key(std::string name, int size) { return Str(std::move(name), size, true); }
ColumnDef Real(std::string name) { return {std::move(name), ColumnType::Real, 0, false}; }
ColumnDef Stamp(std::string name) { return {std::move(name), ColumnType::Timestamp, 0, false}; }

std::vector<TableDef> BuildTables() {
  std::vector<TableDef> t;
  t.push_back({"FILIAL", {Key("CDFILIAL", 4), Str("NMFILIAL", 30), Str("IDCNTRRESC", 1)}, {"CDFILIAL"}, {}});
  t.push_back({"COMPANHIA", {Key("CDCIA", 4), Str("SGCIA", 5), Str("NMCIA", 50)}, {"CDCIA"}, {}});
  t.push_back({"CIAFILI",
               {Key("CDCIA", 4), Key("CDFILIAL", 4)},
               {"CDCIA", "CDFILIAL"},
               {{{"CDCIA"}, "COMPANHIA", {"CDCIA"}}, {{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}}}});
  // Version 2 adds CDIATA (the IATA aircraft type) to EQUIPAMENTO; these
  // tables are the ones version 1 creates.
  t.push_back({"EQUIPAMENTO", {Key("CDEQUIP", 4), Str("SGEQUIP", 10), Str("DSEQUIP", 30)}, {"CDEQUIP"}, {}});
  t.push_back({"EQUIPCIA",
               {Key("CDFILIAL", 4), Key("CDCIA", 4), Key("CDEQUIP", 4)},
               {"CDFILIAL", "CDCIA", "CDEQUIP"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDEQUIP"}, "EQUIPAMENTO", {"CDEQUIP"}}}});
  t.push_back({"PREFIXOCIA",
               {Key("CDFILIAL", 4), Key("CDCIA", 4), Key("CDEQUIP", 4), Key("SGPREFIXO", 10)},
               {"CDFILIAL", "CDCIA", "CDEQUIP", "SGPREFIXO"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDEQUIP"}, "EQUIPAMENTO", {"CDEQUIP"}}}});
  t.push_back({"BASE", {Key("CDBASE", 4), Str("SGBASE", 5), Str("DSBASE", 30)}, {"CDBASE"}, {}});
  t.push_back({"CLASSE", {Key("CDCLASSE", 4), Str("SGCLASSE", 5), Str("DSCLASSE", 30)}, {"CDCLASSE"}, {}});
  t.push_back({"CLASSECIA",
               {Key("CDFILIAL", 4), Key("CDCIA", 4), Key("CDCLASSE", 4)},
               {"CDFILIAL", "CDCIA", "CDCLASSE"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}},
                {{"CDCIA"}, "COMPANHIA", {"CDCIA"}},
                {{"CDCLASSE"}, "CLASSE", {"CDCLASSE"}}}});
  t.push_back({"TIPOVOO", {Key("CDEXPTIPOVOO", 1), Str("NMTIPOVOO", 100)}, {"CDEXPTIPOVOO"}, {}});
  t.push_back({"TURNO", {Key("NRTURNO", 2), Str("DSTURNO", 20)}, {"NRTURNO"}, {}});
  // Equipment, type and shift of a flight are plain codes: the screen checks
  // them, and a cleared code must still be storable while editing.
  t.push_back({"VOO",
               {Key("CDFILIAL", 4),     Key("CDCIA", 4),         Key("NRVOO", 5),        Str("CDEQUIP", 4),
                Str("SGPREFIXO", 10),   Str("IDNACIVOO", 1),     Str("IDSITVOO", 1),     Str("IDTIPVOO", 1),
                Str("IDVOODOM", 1),     Str("IDVOOSEG", 1),      Str("IDVOOTER", 1),     Str("IDVOOQUA", 1),
                Str("IDVOOQUI", 1),     Str("IDVOOSEX", 1),      Str("IDVOOSAB", 1),     Str("IDCARREGO", 1),
                Str("IDDESCAR", 1),     Str("IDTRANSLADO", 1),   Str("IDCARGA", 1),      Str("IDABASATEN", 1),
                Str("IDBASETRAN", 1),   Str("QTHRKDTDES", 4),    Str("QTHRKDTCAR", 4),   Str("IDVOOSELE", 1),
                Stamp("DTINIVIGVOO"),   Stamp("DTFIMVIGVOO"),    Str("IDINCDESDESV", 1), Str("IDINCDESFIXO", 1),
                Str("IDINCDESCOND", 1), Str("CDEXPTIPOVOO", 1),  Real("VRPEROCUPACAO"),  Real("QTDIASPROD"),
                Str("NRTURNOPROD", 2)},
               {"CDFILIAL", "CDCIA", "NRVOO"},
               {{{"CDFILIAL"}, "FILIAL", {"CDFILIAL"}}, {{"CDCIA"}, "COMPANHIA", {"CDCIA"}}}});
  t.push_back({"VOOTRECHO",
               {Key("CDFILIAL", 4), Key("CDCIA", 4), Key("NRVOO", 5), Key("CDTRECHO", 4), Str("CDBASEORI", 4),
                Str("CDBASEDES", 4), Str("HRDECOLVOO", 4), Str("HRPOUSOVOO", 4), Str("IDTIPAJUSFAT", 1),
                Str("IDSITVOOTRE", 1), Stamp("DTULTATUTREC"), Real("QTHRPREPVOO")},
               {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"},
               {{{"CDFILIAL", "CDCIA", "NRVOO"}, "VOO", {"CDFILIAL", "CDCIA", "NRVOO"}}}});
  t.push_back({"CLASSEVOO",
               {Key("CDFILIAL", 4), Key("CDCIA", 4), Key("NRVOO", 5), Key("CDTRECHO", 4), Key("CDCLASSE", 4),
                Real("NRMULSERV")},
               {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO", "CDCLASSE"},
               {{{"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"}, "VOOTRECHO", {"CDFILIAL", "CDCIA", "NRVOO", "CDTRECHO"}},
                {{"CDCLASSE"}, "CLASSE", {"CDCLASSE"}}}});
  return t;
}

std::string Joined(const std::vector<std::string>& v) {
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

ColumnDef Integer(std::string name, bool notNull = false) {
  return {std::move(name), ColumnType::Integer, 0, notNull};
}

// Who may use the server and what they did: users with their branches,
// open sessions, and the audit trail of every accepted change. Kept apart
// from the flight tables: they belong to the server alone and are created
// by a later migration.
std::vector<TableDef> BuildAccessTables() {
  std::vector<TableDef> t;
  t.push_back({"ZORUSUARIO",
               {Key("CDUSUARIO", 20), Str("NMUSUARIO", 60), Str("DSSENHAHASH", 128, true),
                Str("IDFILIALFIXA", 1, true), Str("IDATIVO", 1, true)},
               {"CDUSUARIO"},
               {}});
  t.push_back({"ZORUSUARIOFILIAL",
               {Key("CDUSUARIO", 20), Key("CDFILIAL", 4)},
               {"CDUSUARIO", "CDFILIAL"},
               {{{"CDUSUARIO"}, "ZORUSUARIO", {"CDUSUARIO"}}}});
  // A session is stored under the digest of its token; times are seconds
  // since 1970 on the clock of the server that wrote them.
  t.push_back({"ZORSESSAO",
               {Key("DSTOKENHASH", 64), Key("CDUSUARIO", 20), Str("DSENDERECO", 64), Integer("NRCRIADA", true),
                Integer("NRULTIMOUSO", true)},
               {"DSTOKENHASH"},
               {{{"CDUSUARIO"}, "ZORUSUARIO", {"CDUSUARIO"}}}});
  // One row per changed row. Version 4 adds DSCAMPOS, its changed columns'
  // old and new values in one text; entries written before keep them in
  // ZORAUDITORIACAMPO, one row per column. NRMICROS (microseconds since
  // 1970 when the call began) orders the calls of one second; NRSEQUENCIA
  // the rows of one call.
  // The user code is not a foreign key: the trail outlives any user.
  t.push_back({"ZORAUDITORIA",
               {Key("DSCHAMADA", 32), Integer("NRSEQUENCIA", true), Stamp("DTAUDITORIA"), Integer("NRMICROS", true),
                Str("CDUSUARIO", 20),
                Str("DSENDERECO", 64), Str("NMMETODO", 30), Str("NMTABELA", 30), Str("DSCHAVE", 60),
                Str("CDFILIAL", 4), Str("CDCIA", 4), Str("NRVOO", 5), Str("IDTIPO", 1)},
               {"DSCHAMADA", "NRSEQUENCIA"},
               {}});
  t.push_back({"ZORAUDITORIACAMPO",
               {Key("DSCHAMADA", 32), Integer("NRSEQUENCIA", true), Key("NMCAMPO", 30), Str("DSVALORANTIGO", 200),
                Str("DSVALORNOVO", 200)},
               {"DSCHAMADA", "NRSEQUENCIA", "NMCAMPO"},
               {{{"DSCHAMADA", "NRSEQUENCIA"}, "ZORAUDITORIA", {"DSCHAMADA", "NRSEQUENCIA"}}}});
  return t;
}

struct Migration {
  int version;
  std::function<void(Connection&)> apply;
};

const std::vector<Migration>& Migrations() {
  static const std::vector<Migration> kList = {
      {1,
       [](Connection& c) {
         for (const auto& t : SchemaTables()) c.ExecScript(CreateTableSql(c, t));
         // The legs of one flight are read by base pair when a new leg is checked.
         c.ExecScript("CREATE INDEX VOOTRECHO_BASES ON VOOTRECHO (CDFILIAL, CDCIA, NRVOO, CDBASEORI, CDBASEDES)");
         if (c.Dialect() == SqlDialect::Postgresql) c.ExecScript(kPgFunctions);
       }},
      // The IATA aircraft type of each equipment, which schedule files
      // exchanged with the airlines name ("320", "73H", "E90").
      {2,
       [](Connection& c) {
         std::string check = c.LengthCheck("CDIATA", 3);
         c.ExecScript("ALTER TABLE EQUIPAMENTO ADD COLUMN CDIATA " + c.ColumnSql(ColumnType::Text, 3) +
                      (check.empty() ? "" : " " + check));
       }},
      // Users, their branches and sessions, and the audit trail of changes.
      {3,
       [](Connection& c) {
         for (const auto& t : AccessTables()) c.ExecScript(CreateTableSql(c, t));
         c.ExecScript("CREATE INDEX ZORAUDITORIA_VOO ON ZORAUDITORIA (CDFILIAL, CDCIA, NRVOO, DTAUDITORIA)");
         c.ExecScript("CREATE INDEX ZORAUDITORIA_DATA ON ZORAUDITORIA (DTAUDITORIA)");
         c.ExecScript("CREATE INDEX ZORSESSAO_USUARIO ON ZORSESSAO (CDUSUARIO)");
       }},
      // An audit entry's changed columns in its own row (see above).
      {4, [](Connection& c) { c.ExecScript("ALTER TABLE ZORAUDITORIA ADD COLUMN DSCAMPOS TEXT"); }},
  };
  return kList;
}

}  // namespace

const ColumnDef* TableDef::Column(const std::string& n) const {
  for (const auto& c : columns)
    if (c.name == n) return &c;
  return nullptr;
}

const std::vector<TableDef>& SchemaTables() {
  static const std::vector<TableDef> kTables = BuildTables();
  return kTables;
}

const std::vector<TableDef>& AccessTables() {
  static const std::vector<TableDef> kTables = BuildAccessTables();
  return kTables;
}

const TableDef& SchemaTable(const std::string& name) {
  for (const auto& t : SchemaTables())
    if (t.name == name) return t;
  for (const auto& t : AccessTables())
    if (t.name == name) return t;
  throw std::logic_error("unknown table " + name);
}

std::string CreateTableSql(const Connection& c, const TableDef& t) {
  std::string sql = "CREATE TABLE " + t.name + " (\n";
  for (const auto& col : t.columns) {
    sql += "  " + col.name + " " + c.ColumnSql(col.type, col.size);
    if (col.notNull) sql += " NOT NULL";
    if (col.type == ColumnType::Text) {
      std::string check = c.LengthCheck(col.name, col.size);
      if (!check.empty()) sql += " " + check;
    }
    sql += ",\n";
  }
  sql += "  PRIMARY KEY (" + Joined(t.primaryKey) + ")";
  for (const auto& fk : t.foreignKeys)
    sql += ",\n  FOREIGN KEY (" + Joined(fk.columns) + ") REFERENCES " + fk.refTable + " (" +
           Joined(fk.refColumns) + ")";
  sql += "\n)";
  return sql;
}

int CurrentSchemaVersion() { return Migrations().back().version; }

int SchemaVersion(Connection& c) {
  c.ExecScript("CREATE TABLE IF NOT EXISTS ZOR_SCHEMA_VERSION (VERSION INTEGER NOT NULL)");
  auto r = c.Query("SELECT MAX(VERSION) FROM ZOR_SCHEMA_VERSION");
  if (r.rows.empty() || IsNull(r.rows[0][0])) return 0;
  const auto& v = r.rows[0][0];
  if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<int>(*i);
  return std::stoi(std::get<std::string>(v));
}

void Migrate(Connection& c) {
  c.ExecScript("CREATE TABLE IF NOT EXISTS ZOR_SCHEMA_VERSION (VERSION INTEGER NOT NULL)");
  for (const auto& m : Migrations()) {
    WriteTransaction tx(c);
    c.LockForMigration();
    int have = SchemaVersion(c);
    if (have > CurrentSchemaVersion())
      throw DbError(DbError::FaultKind::Other, "O banco de dados está na versão " + std::to_string(have) +
                                              ", mais nova que a deste servidor (" +
                                              std::to_string(CurrentSchemaVersion()) + ").");
    if (have >= m.version) continue;  // tx rolls back: nothing written
    m.apply(c);
    c.Execute("INSERT INTO ZOR_SCHEMA_VERSION (VERSION) VALUES (?)", {static_cast<std::int64_t>(m.version)});
    tx.Commit();
  }
}

}  // namespace zor::server
