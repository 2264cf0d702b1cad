// Per-test databases for the SQL tests.
#include "test_database.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <random>

namespace zor::sqltest {

std::string PgUrl() {
  const char* url = std::getenv("ZOR_TEST_PG_URL");
  return url ? url : "";
}

TestDatabase::~TestDatabase() {
  if (!Schema.empty() && Conn && Conn->Connected()) {
    try {
      Conn->ExecuteScript("DROP SCHEMA IF EXISTS " + Schema + " CASCADE");
    } catch (...) {
      // The cluster may already be gone; nothing to clean then.
    }
  }
}

std::unique_ptr<TestDatabase> OpenTestDatabase(Backend backend) {
  auto db = std::make_unique<TestDatabase>();
  if (backend == Backend::Sqlite) {
    db->Conn = plat::OpenConnection("sqlite::memory:");
    return db;
  }
  std::string url = PgUrl();
  if (url.empty()) return nullptr;
  db->Conn = plat::OpenConnection(url);
  // Tests of several binaries run at once on one cluster: a unique schema each.
  static std::atomic<int> counter{0};
  std::random_device rd;
  db->Schema = "sqltest_" + std::to_string(getpid()) + "_" + std::to_string(++counter) + "_" +
               std::to_string(rd() % 100000);
  const std::string& s = db->Schema;
  db->Conn->ExecuteScript(
      "CREATE SCHEMA " + s + "; SET search_path TO " + s + ";" +
      "CREATE FUNCTION " + s + ".NVLSTR(a text, b text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT COALESCE(a, b)';" +
      "CREATE FUNCTION " + s + ".PARAM(p text) RETURNS TABLE(PARAM text) LANGUAGE sql IMMUTABLE AS 'SELECT p';");
  return db;
}

void CreateLookupSchema(plat::DbConnection& db) {
  db.ExecuteScript(R"(
CREATE TABLE FILIAL (CDFILIAL VARCHAR(4) NOT NULL PRIMARY KEY, NMFILIAL VARCHAR(30), IDCNTRRESC VARCHAR(1));
CREATE TABLE COMPANHIA (CDCIA VARCHAR(4) NOT NULL PRIMARY KEY, SGCIA VARCHAR(5), NMCIA VARCHAR(50));
CREATE TABLE CIAFILI (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, PRIMARY KEY (CDFILIAL, CDCIA));
CREATE TABLE EQUIPAMENTO (CDEQUIP VARCHAR(4) NOT NULL PRIMARY KEY, SGEQUIP VARCHAR(10), DSEQUIP VARCHAR(30));
CREATE TABLE EQUIPCIA (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, CDEQUIP VARCHAR(4) NOT NULL);
CREATE TABLE PREFIXOCIA (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, CDEQUIP VARCHAR(4) NOT NULL,
                         SGPREFIXO VARCHAR(10));
CREATE TABLE BASE (CDBASE VARCHAR(4) NOT NULL PRIMARY KEY, SGBASE VARCHAR(5), DSBASE VARCHAR(30));
CREATE TABLE VOO (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, NRVOO VARCHAR(5) NOT NULL);
CREATE TABLE VOOTRECHO (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, NRVOO VARCHAR(5) NOT NULL,
                        CDTRECHO VARCHAR(2) NOT NULL, CDBASEORI VARCHAR(4), CDBASEDES VARCHAR(4));
CREATE TABLE CLASSEVOO (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, NRVOO VARCHAR(5) NOT NULL,
                        CDTRECHO VARCHAR(2) NOT NULL, CDCLASSE VARCHAR(4) NOT NULL);
CREATE TABLE CLASSE (CDCLASSE VARCHAR(4) NOT NULL PRIMARY KEY, SGCLASSE VARCHAR(5));
CREATE TABLE CLASSECIA (CDFILIAL VARCHAR(4) NOT NULL, CDCIA VARCHAR(4) NOT NULL, CDCLASSE VARCHAR(4) NOT NULL);

INSERT INTO FILIAL VALUES ('0002', 'Filial Sul', 'S'), ('0001', 'Matriz', 'N'), ('0003', 'Filial Norte', NULL);
INSERT INTO COMPANHIA VALUES ('0010', 'tam', 'TAM Linhas Aéreas'), ('0020', 'GLO', 'Gol'), ('0030', 'AZU', 'Azul');
INSERT INTO CIAFILI VALUES ('0001', '0020'), ('0001', '0010'), ('0002', '0030');
INSERT INTO EQUIPAMENTO VALUES ('0100', 'B737', 'Boeing 737'), ('0200', 'A320', 'Airbus A320'), ('0300', 'E190', 'Embraer 190');
INSERT INTO EQUIPCIA VALUES ('0001', '0010', '0200'), ('0001', '0010', '0100'), ('0001', '0020', '0100');
INSERT INTO PREFIXOCIA VALUES ('0001', '0010', '0100', 'pt-xyz'), ('0001', '0010', '0100', 'PT-ABC'),
                              ('0001', '0010', '0100', NULL), ('0001', '0010', '0200', 'PT-A32'),
                              ('0001', '0020', '0100', 'PR-GOL');
INSERT INTO BASE VALUES ('0003', 'SDU', 'Santos Dumont'), ('0001', 'GRU', 'Guarulhos'), ('0002', 'CGH', 'Congonhas'),
                        ('0004', NULL, 'Base sem sigla');
INSERT INTO VOO VALUES ('0001', '0010', '1234'), ('0001', '0020', '1234');
INSERT INTO VOOTRECHO VALUES ('0001', '0010', '1234', '01', '0001', '0002');
INSERT INTO CLASSEVOO VALUES ('0001', '0010', '1234', '01', '0001'), ('0001', '0010', '1234', '01', '0002');
INSERT INTO CLASSE VALUES ('0001', 'Y'), ('0002', 'C'), ('0003', 'F');
INSERT INTO CLASSECIA VALUES ('0001', '0010', '0002'), ('0001', '0010', '0001'), ('0001', '0020', '0003');
)");
}

}  // namespace zor::sqltest
