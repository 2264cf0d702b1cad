// Every lookup text of data_access's query catalogue, the texts the screen
// sends, run through the query component on the backend of this binary,
// with null and non-null parameters: the rows and fields the screen reads
// must come back the same on every database.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>

#include "data_access/query_catalogue.h"
#include "platform/data/client_data_set.h"
#include "platform/sql/adoib_query.h"
#include "tests/platform/sql/backend.h"

namespace zor::data_access {

using namespace plat;
using namespace sqltest;

namespace {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;
// A parameter value; nullopt clears it (null).
using Params = std::vector<std::pair<std::string, std::optional<std::string>>>;

class SQL_SUITE(LookupCatalogue) : public DatabaseTest {
 protected:
  // Sets up the query as the screen does: every dialect text of the
  // catalogue entry, then Close, the parameters by name, Open.
  TADOIBQuery& Prepare(const std::string& name) {
    const data_access::QueryDefinition* definition = data_access::FindQueryDefinition(name);
    if (!definition) throw std::invalid_argument("not in the query catalogue: " + name);
    query_ = std::make_unique<TADOIBQuery>();
    query_->SetName(name);
    query_->SQL.SetLines(definition->Sql);
    query_->SQL_ORACLE.SetLines(definition->SqlOracle);
    query_->SQL_MSSQL.SetLines(definition->SqlMsSql);
    query_->SQL_IB.SetLines(definition->SqlIb);
    query_->SetConnection(db_->Conn);
    return *query_;
  }

  // The values of the named fields, row by row, "<null>" for null.
  Rows Run(const std::string& name, const Params& params, const std::vector<std::string>& fields) {
    TADOIBQuery& q = query_ && query_->Name() == name ? *query_ : Prepare(name);
    q.Close();
    for (auto& [param, value] : params) {
      if (value)
        q.ParamByName(param).SetAsString(*value);
      else
        q.ParamByName(param).Clear();
    }
    q.Open();
    Rows rows;
    for (q.Query()->First(); !q.Query()->Eof(); q.Query()->Next()) {
      Row row;
      for (auto& f : fields) {
        TField* field = q.FieldByName(f);
        row.push_back(field->IsNull() ? "<null>" : field->AsString());
      }
      rows.push_back(row);
    }
    EXPECT_EQ(q.IsEmpty(), rows.empty());
    return rows;
  }

  std::vector<std::string> FieldNames() {
    std::vector<std::string> names;
    for (TField* f : query_->Query()->Fields()) names.push_back(f->FieldName());
    return names;
  }

  std::unique_ptr<TADOIBQuery> query_;
};

const std::nullopt_t kNull = std::nullopt;

}  // namespace

TEST_F(SQL_SUITE(LookupCatalogue), Filial) {
  std::vector<std::string> f{"CDFILIAL", "NMFILIAL", "IDCNTRRESC"};
  EXPECT_EQ(Run("qryFilial", {{"P_CDFILIAL", kNull}}, f),
            (Rows{{"0001", "Matriz", "N"}, {"0002", "Filial Sul", "S"}, {"0003", "Filial Norte", "<null>"}}));
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(Run("qryFilial", {{"P_CDFILIAL", "0002"}}, f), (Rows{{"0002", "Filial Sul", "S"}}));
  EXPECT_EQ(Run("qryFilial", {{"P_CDFILIAL", "9999"}}, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), Companhia) {
  std::vector<std::string> f{"CDCIA", "SGCIA", "NMCIA"};
  // Every company of the branch, whatever the abbreviation; upper-cased.
  Rows all{{"0020", "GLO", "Gol"}, {"0010", "TAM", "TAM Linhas Aéreas"}};
  EXPECT_EQ(Run("qryCompanhia", {{"P_CDFILIAL", "0001"}, {"P_SGCIA", ""}, {"P_TSGCIA", "T"}}, f), all);
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(Run("qryCompanhia", {{"P_CDFILIAL", "0001"}, {"P_SGCIA", "AZU"}, {"P_TSGCIA", "T"}}, f), all);
  // The one company, only when linked to the branch.
  EXPECT_EQ(Run("qryCompanhia", {{"P_CDFILIAL", "0001"}, {"P_SGCIA", "GLO"}, {"P_TSGCIA", ""}}, f),
            (Rows{{"0020", "GLO", "Gol"}}));
  EXPECT_EQ(Run("qryCompanhia", {{"P_CDFILIAL", "0001"}, {"P_SGCIA", "AZU"}, {"P_TSGCIA", ""}}, f), Rows{});
  EXPECT_EQ(Run("qryCompanhia", {{"P_CDFILIAL", kNull}, {"P_SGCIA", kNull}, {"P_TSGCIA", kNull}}, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), EquipCia) {
  std::vector<std::string> f{"CDEQUIP", "SGEQUIP", "DSEQUIP"};
  EXPECT_EQ(Run("qryEquipCia", {{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}}, f),
            (Rows{{"0200", "A320", "Airbus A320"}, {"0100", "B737", "Boeing 737"}}));
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(Run("qryEquipCia", {{"P_CDFILIAL", "0001"}, {"P_CDCIA", kNull}}, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), PrefixoCia) {
  std::vector<std::string> f{"CDCIA", "CDEQUIP", "SGPREFIXO", "SGEQUIP", "DSEQUIP"};
  Params p{{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}, {"P_CDEQUIP", "0100"}, {"P_SGPREFIXO", kNull}};
  // The prefix left null lists every prefix, never the row without one.
  EXPECT_EQ(Run("qryPrefixoCia", p, f), (Rows{{"0010", "0100", "PT-ABC", "B737", "Boeing 737"},
                                              {"0010", "0100", "pt-xyz", "B737", "Boeing 737"}}));
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(query_->Params().Count(), 4);  // P_CDEQUIP occurs twice, declared once
  p[3].second = "PT-ABC";
  EXPECT_EQ(Run("qryPrefixoCia", p, f), (Rows{{"0010", "0100", "PT-ABC", "B737", "Boeing 737"}}));
  p[2].second = "0200";
  EXPECT_EQ(Run("qryPrefixoCia", p, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), Base) {
  std::vector<std::string> f{"CDBASE", "SGBASE", "DSBASE"};
  // Never set at all: null, every base that has an abbreviation.
  Prepare("qryBase");
  EXPECT_EQ(Run("qryBase", {}, f), (Rows{{"0002", "CGH", "Congonhas"}, {"0001", "GRU", "Guarulhos"},
                                        {"0003", "SDU", "Santos Dumont"}}));
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(Run("qryBase", {{"P_SGBASE", "GRU"}}, f), (Rows{{"0001", "GRU", "Guarulhos"}}));
  EXPECT_EQ(Run("qryBase", {{"P_SGBASE", "gru"}}, f), Rows{});
  EXPECT_EQ(Run("qryBase", {{"P_SGBASE", kNull}}, f).size(), 3u);
}

TEST_F(SQL_SUITE(LookupCatalogue), ValidBase) {
  Params p{{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}, {"P_NRVOO", "1234"}, {"P_BASES", "00010002"}};
  EXPECT_EQ(Run("qryValidBase", p, {"NRVOO"}), (Rows{{"1234"}}));
  p[3].second = "00020001";
  EXPECT_EQ(Run("qryValidBase", p, {"NRVOO"}), Rows{});
  p[3].second = kNull;
  EXPECT_EQ(Run("qryValidBase", p, {"NRVOO"}), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), ValidClass) {
  Params p{{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}, {"P_NRVOO", "1234"}, {"P_CDTRECHO", "01"},
           {"P_CDCLASSE", "0002"}};
  EXPECT_EQ(Run("qryValidClass", p, {"CDCLASSE"}), (Rows{{"0002"}}));
  p[4].second = "0003";
  EXPECT_EQ(Run("qryValidClass", p, {"CDCLASSE"}), Rows{});
  p[3].second = kNull;
  EXPECT_EQ(Run("qryValidClass", p, {"CDCLASSE"}), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), TestaVoo) {
  Params p{{"CDFILIAL", "0001"}, {"CDCIA", "0010"}, {"NRVOO", "1234"}};
  EXPECT_EQ(Run("qryTestaVoo", p, {"NRVOO"}), (Rows{{"1234"}}));
  p[1].second = "0030";
  EXPECT_EQ(Run("qryTestaVoo", p, {"NRVOO"}), Rows{});
  p[2].second = kNull;
  EXPECT_EQ(Run("qryTestaVoo", p, {"NRVOO"}), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), PesqClasse) {
  std::vector<std::string> f{"CDCLASSE", "SGCLASSE", "CDFILIAL"};
  // No ordering asked for: compare as a set.
  Rows rows = Run("qryPesqClasse", {{"CDCIA", "0010"}, {"CDFILIAL", "0001"}}, f);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (Rows{{"0001", "Y", "0001"}, {"0002", "C", "0001"}}));
  EXPECT_EQ(FieldNames(), f);
  EXPECT_EQ(Run("qryPesqClasse", {{"CDCIA", kNull}, {"CDFILIAL", "0001"}}, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), EquipPesq) {
  Params p{{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}, {"P_SGEQUIP", "B737"}};
  EXPECT_EQ(Run("qryEquipPesq", p, {"CDEQUIP"}), (Rows{{"0100"}}));
  p[2].second = "E190";  // exists, but not for this company
  EXPECT_EQ(Run("qryEquipPesq", p, {"CDEQUIP"}), Rows{});
  p[2].second = kNull;
  EXPECT_EQ(Run("qryEquipPesq", p, {"CDEQUIP"}), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), PrefPesqIgnoresLetterCase) {
  std::vector<std::string> f{"CDCIA", "CDEQUIP", "SGPREFIXO", "SGEQUIP", "DSEQUIP"};
  Params p{{"P_CDFILIAL", "0001"}, {"P_CDCIA", "0010"}, {"P_CDEQUIP", "0100"}, {"P_SGPREFIXO", "pt-abc"}};
  EXPECT_EQ(Run("qryPrefPesq", p, f), (Rows{{"0010", "0100", "PT-ABC", "B737", "Boeing 737"}}));
  EXPECT_EQ(FieldNames(), f);
  p[3].second = "PT-XYZ";
  EXPECT_EQ(Run("qryPrefPesq", p, f), (Rows{{"0010", "0100", "pt-xyz", "B737", "Boeing 737"}}));
  p[3].second = kNull;
  EXPECT_EQ(Run("qryPrefPesq", p, f), Rows{});
}

TEST_F(SQL_SUITE(LookupCatalogue), EveryTextRunsWithEveryParameterNull) {
  for (const data_access::QueryDefinition& t : data_access::QueryCatalogue()) {
    TADOIBQuery& q = Prepare(t.Name);
    ASSERT_GT(q.Params().Count(), 0) << t.Name;
    EXPECT_NO_THROW(q.Open()) << t.Name;
    EXPECT_TRUE(q.Active()) << t.Name;
  }
}

}  // namespace zor::data_access
