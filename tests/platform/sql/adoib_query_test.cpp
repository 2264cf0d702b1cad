// The query component: parameters declared from the text, the dialect's
// text, the connection it runs on, failures, persistent fields, the data
// source it names, and the host's data module.
#include "platform/sql/adoib_query.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"
#include "platform/sql/dtm_db_geral.h"
#include "test_database.h"

namespace zor::plat {

using namespace sqltest;

namespace {

// A connection that answers every query with one canned result and
// remembers what it was asked.
class FakeConnection : public DbConnection {
 public:
  explicit FakeConnection(SqlDialect dialect) : dialect_(dialect) {}
  SqlDialect Dialect() const override { return dialect_; }
  std::string DatabaseName() const override { return "fake"; }
  bool Connected() const override { return true; }
  void Close() override {}
  SqlResult Query(std::string_view sql, const SqlParams& params) override {
    ++queries;
    last_sql = std::string(sql);
    last_params = params;
    if (!fail_with.empty()) throw EDatabaseError(fail_with);
    return result;
  }
  SqlResult QueryReadOnly(std::string_view sql, const SqlParams& params) override { return Query(sql, params); }
  int64_t Execute(std::string_view, const SqlParams&) override { return 0; }
  void ExecuteScript(std::string_view) override {}

  SqlResult result{{{"cdfilial", VarType::String, 4}}, {{Variant("0001")}, {Variant("0002")}}};
  std::string fail_with;
  std::string last_sql;
  SqlParams last_params;
  int queries = 0;

 private:
  SqlDialect dialect_;
};

// Leaves no default connection behind for the next test.
class QueryTest : public ::testing::Test {
 protected:
  void TearDown() override { TADOIBQuery::SetDefaultConnection(nullptr); }
};

const Variant* ParamValue(const SqlParams& params, const std::string& name) {
  for (auto& p : params)
    if (p.Name == name) return &p.Value;
  return nullptr;
}

}  // namespace

TEST_F(QueryTest, ParametersAreDeclaredFromTheTextOnceEach) {
  TADOIBQuery q;
  q.SQL.Add("SELECT * FROM PREFIXOCIA PF, EQUIPAMENTO EQ WHERE PF.CDFILIAL = :P_CDFILIAL AND");
  q.SQL.Add("PF.CDEQUIP = :P_CDEQUIP AND EQ.CDEQUIP = :P_CDEQUIP AND PF.SGPREFIXO = ':NOT' AND PF.CDCIA = :P_CDCIA");
  ASSERT_EQ(q.Params().Count(), 3);
  EXPECT_EQ(q.Params().Items(0).Name(), "P_CDFILIAL");
  EXPECT_EQ(q.Params().Items(1).Name(), "P_CDEQUIP");
  EXPECT_EQ(q.Params().Items(2).Name(), "P_CDCIA");
  EXPECT_EQ(&q.ParamByName("p_cdequip"), &q.Params().Items(1));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(q.Params().Items(i).IsNull());
  try {
    q.ParamByName("P_NONE");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Parâmetro 'P_NONE' não encontrado.");
  }
}

TEST_F(QueryTest, NewTextKeepsValuesOfNamesThatStayAndCloses) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SetConnection(db);
  q.SQL.SetText("SELECT CDFILIAL FROM FILIAL WHERE A = :A AND B = :B");
  q.ParamByName("A").SetAsString("1");
  q.ParamByName("B").SetAsString("2");
  q.Open();
  ASSERT_TRUE(q.Active());
  q.SQL.SetText("SELECT CDFILIAL FROM FILIAL WHERE C = :C AND a = :a");
  EXPECT_FALSE(q.Active());
  ASSERT_EQ(q.Params().Count(), 2);
  EXPECT_EQ(q.ParamByName("C").IsNull(), true);
  EXPECT_EQ(q.ParamByName("A").AsString(), "1");
  EXPECT_EQ(q.Params().FindParam("B"), nullptr);
}

TEST_F(QueryTest, DialectPicksItsTextElseSql) {
  TADOIBQuery q;
  q.SQL.SetText("SELECT 'sql' FROM T WHERE X = :P");
  q.SQL_IB.SetText("SELECT 'ib' FROM T, PARAM(:P) P1");
  q.SQL_ORACLE.SetText("SELECT 'ora' FROM T WHERE X = NVL(:P, X)");
  EXPECT_EQ(q.SqlFor(SqlDialect::Sqlite), q.SQL_IB.Text());
  EXPECT_EQ(q.SqlFor(SqlDialect::PostgreSql), q.SQL_IB.Text());
  EXPECT_EQ(q.SqlFor(SqlDialect::InterBase), q.SQL_IB.Text());
  EXPECT_EQ(q.SqlFor(SqlDialect::Oracle), q.SQL_ORACLE.Text());
  EXPECT_EQ(q.SqlFor(SqlDialect::MsSql), q.SQL.Text());
  q.SQL_IB.SetText("  \n ");
  EXPECT_EQ(q.SqlFor(SqlDialect::PostgreSql), q.SQL.Text());
  // Each dialect's text runs on a connection of that dialect.
  for (auto [dialect, marker] : {std::pair{SqlDialect::Oracle, "'ora'"}, std::pair{SqlDialect::MsSql, "'sql'"}}) {
    auto db = std::make_shared<FakeConnection>(dialect);
    q.SetConnection(db);
    q.Open();
    EXPECT_NE(db->last_sql.find(marker), std::string::npos) << db->last_sql;
  }
}

TEST_F(QueryTest, UnsetParametersRunAsNullAndSetOnesByName) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SetConnection(db);
  q.SQL.SetText("SELECT X FROM T WHERE A = :A AND B = :B AND C = :A");
  q.ParamByName("B").SetAsString("b");
  q.Open();
  ASSERT_EQ(db->last_params.size(), 2u);
  EXPECT_TRUE(ParamValue(db->last_params, "A")->IsNull());
  EXPECT_EQ(*ParamValue(db->last_params, "B"), Variant("b"));
}

TEST_F(QueryTest, RunsOnItsOwnConnectionElseTheDefault) {
  auto shared = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  auto own = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SQL.SetText("SELECT X FROM T");
  try {
    q.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("não está ligado a um banco de dados"), std::string::npos) << e.Message();
  }
  TADOIBQuery::SetDefaultConnection(shared);
  q.Open();
  EXPECT_EQ(shared->queries, 1);
  q.SetConnection(own);
  EXPECT_FALSE(q.Active());
  q.Open();
  EXPECT_EQ(own->queries, 1);
  q.SetConnection(nullptr);
  q.Open();
  EXPECT_EQ(shared->queries, 2);
}

TEST_F(QueryTest, OpenTwiceRunsOnceCloseAndOpenRunsAgain) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SetConnection(db);
  q.SQL.SetText("SELECT X FROM T");
  q.Open();
  q.Open();
  EXPECT_EQ(db->queries, 1);
  q.Close();
  q.SetActive(true);
  EXPECT_EQ(db->queries, 2);
}

TEST_F(QueryTest, DatabaseErrorLeavesTheQueryClosed) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SetName("qryFilial");
  q.SetConnection(db);
  q.SQL.SetText("SELECT X FROM T");
  q.Open();
  q.Close();
  db->fail_with = "relation \"t\" does not exist";
  try {
    q.Open();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Não foi possível ler os dados do banco de dados. relation \"t\" does not exist");
  }
  EXPECT_FALSE(q.Active());
  EXPECT_TRUE(q.IsEmpty());
  db->fail_with.clear();
  q.Open();
  EXPECT_FALSE(q.IsEmpty());
}

TEST_F(QueryTest, FieldsAreFoundWithoutRegardToCase) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::PostgreSql);
  TADOIBQuery q;
  q.SetConnection(db);
  q.SQL.SetText("SELECT cdfilial FROM T");
  EXPECT_TRUE(q.IsEmpty());
  q.Open();
  EXPECT_EQ(q.FieldByName("CDFILIAL")->AsString(), "0001");
  EXPECT_EQ(q.FieldByName("CdFilial")->Size(), 4);
  EXPECT_THROW(q.FieldByName("NMFILIAL"), EDatabaseError);
}

TEST_F(QueryTest, PersistentFieldsTakeTheirColumns) {
  auto db = OpenTestDatabase(Backend::Sqlite);
  CreateLookupSchema(*db->Conn);
  TComponent form;
  auto* q = new TADOIBQuery(&form);
  q->SetName("qryFilial");
  q->SetConnection(db->Conn);
  q->SQL.SetText("SELECT CDFILIAL, NMFILIAL, IDCNTRRESC FROM FILIAL ORDER BY CDFILIAL");
  auto* code = new TStringField(&form);
  code->SetFieldName("CDFILIAL");
  code->SetSize(4);
  code->SetDisplayLabel("Código");
  code->SetDataSet(q->Query());
  auto* name = new TStringField(&form);
  name->SetFieldName("NMFILIAL");
  name->SetSize(30);
  name->SetDataSet(q->Query());
  q->Open();
  // Only the persistent fields, in their order; the extra column is ignored.
  ASSERT_EQ(q->Query()->FieldCount(), 2);
  EXPECT_EQ(q->FieldByName("cdfilial"), code);
  EXPECT_EQ(code->AsString(), "0001");
  EXPECT_EQ(name->AsString(), "Matriz");
  q->Query()->Last();
  EXPECT_EQ(code->AsString(), "0003");
  // A persistent field the text does not return fails the open.
  q->Close();
  q->SQL.SetText("SELECT CDFILIAL FROM FILIAL");
  EXPECT_THROW(q->Open(), EDatabaseError);
  EXPECT_FALSE(q->Active());
}

TEST_F(QueryTest, DataSourceOpensTheQueryAndIsNamedByIt) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TComponent form;
  auto* q = new TADOIBQuery(&form);
  auto* source = new TDataSource(&form);
  source->SetDataSet(q->Query());
  q->SetDataSource(source);
  q->SetConnection(db);
  q->SQL.SetText("SELECT X FROM T");
  // Activating the data source's dataset directly runs the query.
  source->DataSet()->Open();
  EXPECT_TRUE(q->Active());
  EXPECT_EQ(db->queries, 1);
  EXPECT_EQ(q->DataSource(), source);
  delete source;
  EXPECT_EQ(q->DataSource(), nullptr);
}

TEST_F(QueryTest, TheQueryDatasetIsReadOnly) {
  auto db = std::make_shared<FakeConnection>(SqlDialect::Sqlite);
  TADOIBQuery q;
  q.SetConnection(db);
  q.SQL.SetText("SELECT X FROM T");
  q.Open();
  EXPECT_ANY_THROW(q.Query()->Edit());
}

TEST_F(QueryTest, DataModuleSharesItsConnectionWithEveryQuery) {
  {
    TdtmDBGeral module;
    ASSERT_EQ(dtmDBGeral, &module);
    EXPECT_FALSE(module.Connected());
    EXPECT_THROW(module.Connect("oracle://x"), EDatabaseError);
    EXPECT_FALSE(module.Connected());
    module.Connect("sqlite::memory:");
    ASSERT_TRUE(module.Connected());
    EXPECT_EQ(module.adcGeral(), module.dtbGeral());
    EXPECT_EQ(module.adcGeral(), module.ibtGeral());
    EXPECT_EQ(TADOIBQuery::DefaultConnection(), module.adcGeral());
    CreateLookupSchema(*module.adcGeral());
    TADOIBQuery q;
    q.SQL.SetText("SELECT CDBASE FROM BASE, PARAM(:P_SGBASE) P1 WHERE SGBASE = NVLSTR(P1.PARAM, SGBASE)");
    q.ParamByName("P_SGBASE").SetAsString("SDU");
    q.Open();
    EXPECT_EQ(q.FieldByName("CDBASE")->AsString(), "0003");
    q.Close();
    auto held = module.adcGeral();
    module.Disconnect();
    EXPECT_FALSE(held->Connected());
    EXPECT_EQ(TADOIBQuery::DefaultConnection(), nullptr);
    EXPECT_THROW(q.Open(), EDatabaseError);
  }
  EXPECT_EQ(dtmDBGeral, nullptr);
}

}  // namespace zor::plat
