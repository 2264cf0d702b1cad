// Rows another program wrote in forms the server reads but normalises (an
// empty optional text instead of null, timestamps with a blank instead of
// the T, with fractions of a second or as a date only): the screen changes
// and deletes their flight, legs and classes like any other, a value the
// person did not touch keeps its stored form, and a column another desk
// really changed still refuses the save.
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/variant.h"
#include "server/dataset_catalog.h"
#include "server/db_connection.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;
namespace zt = zor::server::testing;
using zor::server::ClasseVooDataset;
using zor::server::TrechoDataset;
using zor::server::VooDataset;

namespace {

struct StoredForm {
  const char* name;
  bool onSqlite, onPg;
  // Column types another program gave the tables (PostgreSQL only).
  std::vector<std::string> pgColumnTypes;
  std::string flightSet, legSet;                      // the row as the other program left it
  std::string flightChangedElsewhere, legChangedElsewhere;  // a real change, in the same form
};

const std::vector<StoredForm>& Forms() {
  static const std::vector<StoredForm> kForms = {
      {"EmptyOptionalTexts", true, true, {},
       "SGPREFIXO = '', IDVOOSELE = ''", "HRPOUSOVOO = '', IDTIPAJUSFAT = ''",
       "IDVOOSELE = 'S'", "HRPOUSOVOO = '1200'"},
      {"TimestampsWithABlank", true, false, {},
       "DTINIVIGVOO = '2026-12-01 00:00:00', DTFIMVIGVOO = '2026-12-31 00:00:00'",
       "DTULTATUTREC = '2026-11-30 17:45:10'",
       "DTFIMVIGVOO = '2027-01-31 00:00:00'", "DTULTATUTREC = '2026-11-30 17:45:11'"},
      {"FractionsOfASecond", true, true,
       {"ALTER TABLE VOO ALTER COLUMN DTINIVIGVOO TYPE TIMESTAMP",
        "ALTER TABLE VOO ALTER COLUMN DTFIMVIGVOO TYPE TIMESTAMP",
        "ALTER TABLE VOOTRECHO ALTER COLUMN DTULTATUTREC TYPE TIMESTAMP"},
       "DTINIVIGVOO = '2026-12-01 00:00:00.000', DTFIMVIGVOO = '2026-12-31 18:30:00.500'",
       "DTULTATUTREC = '2026-11-30 17:45:10.125'",
       "DTFIMVIGVOO = '2026-12-31 18:30:01.500'", "DTULTATUTREC = '2026-11-30 17:45:11.125'"},
      {"DatesOnly", true, true,
       {"ALTER TABLE VOO ALTER COLUMN DTINIVIGVOO TYPE DATE", "ALTER TABLE VOO ALTER COLUMN DTFIMVIGVOO TYPE DATE",
        "ALTER TABLE VOOTRECHO ALTER COLUMN DTULTATUTREC TYPE DATE"},
       "DTINIVIGVOO = '2026-12-01', DTFIMVIGVOO = '2026-12-31'", "DTULTATUTREC = '2026-11-30'",
       "DTFIMVIGVOO = '2027-01-31'", "DTULTATUTREC = '2026-11-29'"},
  };
  return kForms;
}

bool OnPostgres() {
#ifdef ZOR_TEST_BACKEND_PG
  return true;
#else
  return false;
#endif
}

}  // namespace

class StoredFormsTest : public ScreenTest, public ::testing::WithParamInterface<size_t> {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    const StoredForm& sf = Form();
    if (!(OnPostgres() ? sf.onPg : sf.onSqlite)) GTEST_SKIP() << "not a form this engine stores";
    deskB = std::make_unique<zt::RpcClient>(server->Port());
    nr = std::to_string(7800 + GetParam());
    if (OnPostgres())
      for (const auto& sql : sf.pgColumnTypes) Sql(sql);
    // A flight of CRZ with two legs and a class on each, rewritten as the
    // other program left it.
    Save("SetVoo", zt::Delta(VooDataset(), {zt::InsertChange(zt::NewFlight(nr))}));
    Save("SetTrecho", zt::Delta(TrechoDataset(), {zt::InsertChange(zt::NewLeg(nr, "0001", "0003")),
                                                  zt::InsertChange(zt::NewLeg(nr, "0003", "0005"))}));
    Save("SetClasseVoo", zt::Delta(ClasseVooDataset(), {zt::InsertChange(zt::NewClass(nr, "0001", "0004")),
                                                        zt::InsertChange(zt::NewClass(nr, "0002", "0004"))}));
    Sql("UPDATE VOO SET " + sf.flightSet + " WHERE NRVOO = '" + nr + "'");
    Sql("UPDATE VOOTRECHO SET " + sf.legSet + " WHERE NRVOO = '" + nr + "'");
    Open();
    LoadCompany("0001", "CRZ");
    ASSERT_TRUE(form->cdsVoo->Locate("NRVOO", Variant(nr)));
    ASSERT_EQ(form->cdstrechoo->RecordCount(), 2);
  }

  const StoredForm& Form() const { return Forms()[GetParam()]; }

  void Save(const std::string& method, const zt::json& delta) {
    zt::json r = deskB->Call(method, zt::json::array({delta}));
    ASSERT_EQ(r["result"]["ok"], true) << r.dump();
  }
  // What another program (or desk) does straight in the database.
  void Sql(const std::string& sql) { server->Pool().Acquire()->Execute(sql); }
  // The stored columns of this test's rows, as the database holds them.
  std::string Stored(const std::string& table, const std::string& columns, const std::string& more = "") {
    auto rows = server->Pool().Acquire()->Query("SELECT " + columns + " FROM " + table + " WHERE NRVOO = '" + nr +
                                                "'" + more + " ORDER BY 1");
    std::string out;
    for (const auto& row : rows.rows) {
      for (const auto& v : row) {
        if (auto* s = std::get_if<std::string>(&v)) out += "'" + *s + "'";
        else if (auto* i = std::get_if<std::int64_t>(&v)) out += std::to_string(*i);
        else if (auto* d = std::get_if<double>(&v)) out += std::to_string(*d);
        else out += "null";
        out += " ";
      }
      out += "\n";
    }
    return out;
  }
  int Count(const std::string& table, const std::string& more = "") {
    auto rows =
        server->Pool().Acquire()->Query("SELECT COUNT(*) FROM " + table + " WHERE NRVOO = '" + nr + "'" + more);
    const auto& v = rows.rows.at(0).at(0);
    if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<int>(*i);
    return std::stoi(std::get<std::string>(v));
  }

  // The tab chosen by the person (nothing to do when it is already shown).
  void ShowPage(plat::TTabSheet* page) {
    if (form->pgcPadrao->ActivePage() == page) return;
    ASSERT_TRUE(form->pgcPadrao->SelectPage(page));
  }
  void ChangeFlightKdt(const std::string& typed) {
    TfrmVoo& f = *form;
    ASSERT_TRUE(f.sbtAlterar->UserClick());
    ASSERT_TRUE(TypeAndLeave(f.dbeKDTCarrego, typed, f.dbeKDTDescarrego));
    ui.ClearEvents();
    f.sbtConfirmar->UserClick();
  }
  void ChangeFirstLegTakeOff(const std::string& typed) {
    TfrmVoo& f = *form;
    ShowPage(f.tshFormulario);
    ASSERT_TRUE(f.UserFocus(f.dbgVooTrecho));
    f.cdstrechoo->First();
    f.cdstrechoo->Edit();
    f.cdstrechooHRDECOLVOO->SetText(typed);
    ui.ClearEvents();
    try {
      f.cdstrechoo->Post();  // a refusal is shown, then ends the post silently
    } catch (const EAbort&) {
    }
  }

  std::unique_ptr<zt::RpcClient> deskB;
  std::string nr;
};

TEST_P(StoredFormsTest, FlightLegAndClassAreChangedAndDeletedKeepingWhatWasNotTouched) {
  TfrmVoo& f = *form;
  const std::string flightKept =
      Stored("VOO", "SGPREFIXO, IDVOOSELE, DTINIVIGVOO, DTFIMVIGVOO, QTHRKDTDES, VRPEROCUPACAO");
  const std::string legKept = Stored("VOOTRECHO", "CDTRECHO, HRPOUSOVOO, IDTIPAJUSFAT, DTULTATUTREC, CDBASEORI");

  ChangeFlightKdt("02:15");
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdsVoo->State(), dsBrowse);
  EXPECT_EQ(Stored("VOO", "QTHRKDTCAR"), "'0215' \n");
  EXPECT_EQ(Stored("VOO", "SGPREFIXO, IDVOOSELE, DTINIVIGVOO, DTFIMVIGVOO, QTHRKDTDES, VRPEROCUPACAO"), flightKept);

  ChangeFirstLegTakeOff("06:40");
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(Stored("VOOTRECHO", "HRDECOLVOO", " AND CDTRECHO = '0001'"), "'0640' \n");
  EXPECT_EQ(Stored("VOOTRECHO", "CDTRECHO, HRPOUSOVOO, IDTIPAJUSFAT, DTULTATUTREC, CDBASEORI"), legKept);

  // The class of the first leg: a new multiplier, then deleted.
  f.cdstrechoo->First();
  ShowPage(f.tshConfigVoo);
  ASSERT_EQ(f.cdsClasseVoo->RecordCount(), 1);
  ASSERT_TRUE(f.sbtAlterar->UserClick());
  f.cdsClasseVooNRMULSERV->SetAsString("1,5");
  ui.ClearEvents();
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(Count("CLASSEVOO", " AND CDTRECHO = '0001' AND NRMULSERV = 1.5"), 1);
  EXPECT_EQ(Count("CLASSEVOO", " AND CDTRECHO = '0002' AND NRMULSERV = 0"), 1);
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(Count("CLASSEVOO"), 1);

  // The second leg, deleted from the leg grid.
  ShowPage(f.tshFormulario);
  ASSERT_TRUE(f.UserFocus(f.dbgVooTrecho));
  ASSERT_TRUE(f.cdstrechoo->Locate("CDTRECHO", Variant("0002")));
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(Count("VOOTRECHO"), 1);
  EXPECT_EQ(Count("CLASSEVOO"), 0);

  // And the flight, from the list, with its last leg.
  ShowPage(f.tshFolhaDados);
  ASSERT_TRUE(f.UserFocus(f.dbgPadrao));
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant(nr)));
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(Count("VOO"), 0);
  EXPECT_EQ(Count("VOOTRECHO"), 0);
}

TEST_P(StoredFormsTest, AColumnAnotherDeskReallyChangedStillRefusesTheSave) {
  Sql("UPDATE VOO SET " + Form().flightChangedElsewhere + " WHERE NRVOO = '" + nr + "'");
  Sql("UPDATE VOOTRECHO SET " + Form().legChangedElsewhere + " WHERE NRVOO = '" + nr + "'");
  const std::string flight = Stored("VOO", "*");
  const std::string legs = Stored("VOOTRECHO", "*");

  ChangeFlightKdt("02:15");
  EXPECT_EQ(LastMessage(), "O vôo " + nr + " foi alterado por outro usuário. Atualize os dados e tente novamente.");
  ChangeFirstLegTakeOff("06:40");
  EXPECT_EQ(LastMessage(),
            "O trecho 0001 do vôo " + nr + " foi alterado por outro usuário. Atualize os dados e tente novamente.");
  EXPECT_EQ(Stored("VOO", "*"), flight);
  EXPECT_EQ(Stored("VOOTRECHO", "*"), legs);
}

INSTANTIATE_TEST_SUITE_P(Forms, StoredFormsTest, ::testing::Range<size_t>(0, 4),
                         [](const ::testing::TestParamInfo<size_t>& info) { return Forms()[info.param].name; });

}  // namespace zor::Cli_zor12200
