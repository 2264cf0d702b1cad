// The classes of a leg against the real server: chosen from the company's
// classes at the branch, once per leg, each insert, change and deletion
// saved at once and read back from the server. Demo data of ABR at
// Guarulhos: the company offers F, J, W and Y there; the first leg of
// flight 1000 has F, J and Y.
#include <map>
#include <string>

#include "data_access/server_methods.h"
#include "platform/data/client_data_set.h"
#include "platform/library/consiste.h"
#include "platform/library/vornia.h"
#include "server/dataset_catalog.h"
#include "tests/flight_screen/screen_fixture.h"

namespace zor::Cli_zor12200 {

using namespace plat;

class FlightClassesTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Open();
    LoadCompany("0001", "ABR");
    ASSERT_TRUE(form->cdsVoo->Locate("NRVOO", Variant("1000")));
    ASSERT_EQ(form->cdstrechooCDTRECHO->AsString(), "0001");
    ASSERT_TRUE(form->pgcPadrao->SelectPage(form->tshConfigVoo));
  }

  // Class abbreviation -> multiplier, as the server holds them for the first
  // leg of flight 1000.
  std::map<std::string, double> ServerClasses() {
    data_access::VooTrechoServer server(*form->netVooTrecho);
    TClientDataSet classes;
    classes.SetData(Consiste::CheckResultServ(server.GetClasseVoo("0001", "0001", "0001", "1000"), true, 0));
    std::map<std::string, double> out;
    for (classes.First(); !classes.Eof(); classes.Next())
      out[classes.FieldByName("SGCLASSE")->AsString()] = classes.FieldByName("NRMULSERV")->AsFloat();
    return out;
  }

  // Queues the pick of a class in the look-up, by its abbreviation.
  void PickClass(const std::string& abbreviation) {
    TADOIBQuery& q = *form->qryPesqClasse;
    q.Close();
    q.ParamByName("CDCIA").SetAsString("0001");
    q.ParamByName("CDFILIAL").SetAsString("0001");
    q.Open();
    int row = 0;
    for (q.Query()->First(); !q.Query()->Eof(); q.Query()->Next(), ++row)
      if (q.FieldByName("SGCLASSE")->AsString() == abbreviation) {
        ui.Picks.push_back(row);
        return;
      }
    FAIL() << "the company has no class " << abbreviation;
  }

  // The ellipsis of the class column, as the person clicks it.
  void ClickClassButton() {
    form->dbgConfVoo->SetSelectedField(form->cdsClasseVooSGCLASSE);
    form->dbgConfVoo->UserEditButtonClick();
  }
};

class ClassRefusalTest : public FlightClassesTest {};
class ClassWithoutLegTest : public FlightClassesTest {};

TEST_F(FlightClassesTest, AClassPickedForANewRowIsSavedWithMultiplierZero) {
  TfrmVoo& f = *form;
  ASSERT_EQ(ServerClasses().count("W"), 0u);
  f.sbtIncluir->UserClick();
  ASSERT_EQ(f.cdsClasseVoo->State(), dsInsert);
  PickClass("W");
  ClickClassButton();
  ASSERT_FALSE(ui.PickLists().empty());
  EXPECT_EQ(ui.PickLists().back().Title, "Classe");
  EXPECT_EQ(f.cdsClasseVooSGCLASSE->AsString(), "W");
  EXPECT_EQ(f.cdsClasseVooCDCLASSE->AsString(), "0003");

  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(f.cdsClasseVoo->State(), dsBrowse);
  EXPECT_EQ(ui.BusyDepth(), 0);
  const auto classes = ServerClasses();
  ASSERT_EQ(classes.count("W"), 1u);
  EXPECT_EQ(classes.at("W"), 0.0);
  EXPECT_EQ(classes.size(), 4u);
  EXPECT_EQ(f.cdsClasseVoo->RecordCount(), 4);
}

TEST_F(FlightClassesTest, ARowWithoutAClassOrWithAClassTheLegHasIsRefused) {
  TfrmVoo& f = *form;
  const auto before = ServerClasses();
  f.sbtIncluir->UserClick();
  f.cdsClasseVooNRMULSERV->SetAsString("2");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Classe deve ser informada.");
  EXPECT_EQ(f.cdsClasseVoo->State(), dsInsert);

  PickClass("J");
  ClickClassButton();
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Classe já cadastrada.");
  EXPECT_EQ(f.cdsClasseVoo->State(), dsInsert);
  EXPECT_EQ(f.dbgConfVoo->SelectedField(), f.cdsClasseVooSGCLASSE);
  EXPECT_EQ(ServerClasses(), before);
}

TEST_F(FlightClassesTest, AnExistingRowChecksForRepeatsOnlyWhenItsClassIsReplaced) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsClasseVoo->Locate("SGCLASSE", Variant("J")));
  // The same class picked again and a new multiplier: no repeat to find.
  PickClass("J");
  ClickClassButton();
  ASSERT_EQ(f.cdsClasseVoo->State(), dsEdit);
  f.cdsClasseVooNRMULSERV->SetAsString("2,5");
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(ServerClasses().at("J"), 2.5);

  // Another class the leg already has is a repeat.
  ASSERT_TRUE(f.cdsClasseVoo->Locate("SGCLASSE", Variant("J")));
  PickClass("Y");
  ClickClassButton();
  f.sbtConfirmar->UserClick();
  EXPECT_EQ(LastMessage(), "Classe já cadastrada.");
  EXPECT_EQ(f.cdsClasseVoo->State(), dsEdit);
}

TEST_F(FlightClassesTest, ADeletedClassIsGoneFromTheServer) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsClasseVoo->Locate("SGCLASSE", Variant("F")));
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_EQ(LastMessage(), "");
  EXPECT_EQ(ServerClasses().count("F"), 0u);
  EXPECT_EQ(f.cdsClasseVoo->ChangeCount(), 0);
  EXPECT_EQ(Vornia::LastRefreshedTables(), std::vector<std::string>{"CLASSEVOO"});
}

TEST_F(ClassRefusalTest, ARefusedDeletionBringsTheRowBack) {
  TfrmVoo& f = *form;
  ASSERT_TRUE(f.cdsClasseVoo->Locate("SGCLASSE", Variant("Y")));
  const int rows = f.cdsClasseVoo->RecordCount();
  {  // someone else changes the multiplier meanwhile
    data_access::VooTrechoServer server(*f.netVooTrecho);
    TClientDataSet other;
    other.SetData(Consiste::CheckResultServ(server.GetClasseVoo("0001", "0001", "0001", "1000"), true, 0));
    ASSERT_TRUE(other.Locate("SGCLASSE", Variant("Y")));
    other.Edit();
    other.FieldByName("NRMULSERV")->SetAsFloat(3.0);
    other.Post();
    Consiste::CheckResultServ(server.SetClasseVoo(other.Delta()), true, 0);
  }
  ui.Answers.push_back(true);
  f.sbtExcluir->UserClick();
  EXPECT_NE(LastMessage().find("por outro usuário"), std::string::npos) << LastMessage();
  EXPECT_EQ(ui.BusyDepth(), 0);
  EXPECT_EQ(f.cdsClasseVoo->RecordCount(), rows);
  EXPECT_EQ(f.cdsClasseVoo->ChangeCount(), 0);
  EXPECT_TRUE(f.cdsClasseVoo->Locate("SGCLASSE", Variant("Y")));
  EXPECT_EQ(ServerClasses().at("Y"), 3.0);
}

// A flight stored without legs (by another program) has no leg to hang a
// class on: said in the person's terms, nothing sent.
TEST_F(ClassWithoutLegTest, AClassOnAFlightWithoutLegsIsRefusedInThePersonsTerms) {
  TfrmVoo& f = *form;
  namespace zt = zor::server::testing;
  zt::RpcClient other(server->Port());
  zt::json flight =
      zt::WithValues(zor::server::VooDataset(), zt::NewFlight("7060"), {{"CDCIA", "0001"}, {"SGPREFIXO", nullptr}});
  zt::json r = other.Call("SetVoo", zt::json::array({zt::Delta(zor::server::VooDataset(), {zt::InsertChange(flight)})}));
  ASSERT_EQ(r["result"]["ok"], true) << r.dump();
  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshFolhaDados));
  ASSERT_TRUE(f.sbtVerificar->UserClick());
  ASSERT_TRUE(f.cdsVoo->Locate("NRVOO", Variant("7060")));
  ASSERT_TRUE(f.cdstrechoo->IsEmpty());

  ASSERT_TRUE(f.pgcPadrao->SelectPage(f.tshConfigVoo));
  ASSERT_TRUE(f.sbtIncluir->UserClick());
  PickClass("Y");
  ClickClassButton();
  ui.ClearEvents();
  EXPECT_FALSE(f.sbtConfirmar->UserClick());
  EXPECT_EQ(LastMessage(), "Inclua um trecho no vôo antes de configurar suas classes.");
  EXPECT_EQ(f.cdsClasseVoo->State(), dsInsert);
  EXPECT_EQ(f.cdsClasseVoo->ChangeCount(), 0);
}

}  // namespace zor::Cli_zor12200
