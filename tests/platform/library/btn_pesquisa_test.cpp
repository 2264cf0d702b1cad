// The lookup button: before-lookup, empty list error, pick list, after-lookup.
#include "platform/library/btn_pesquisa.h"

#include <gtest/gtest.h>

#include "library_fixture.h"
#include "platform/controls/edit.h"
#include "platform/core/exceptions.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"


namespace zor::plat {

namespace {

struct LookupButton : LibraryTest {
  TComponent form;
  TClientDataSet* cds = new TClientDataSet(&form);
  TDataSource* dts = new TDataSource(&form);
  TEdit* edit = new TEdit(&form);
  TBtnPesquisa* btn = new TBtnPesquisa(&form);
  std::vector<std::string> log;
  DataPacket companies;

  void SetUp() override {
    LibraryTest::SetUp();
    companies.Fields = {{"CDCIA", FieldType::String, 4}, {"SGCIA", FieldType::String, 5}};
    companies.Rows = {{Variant("0001"), Variant("TAM")}, {Variant("0002"), Variant("GOL")}};
    dts->SetDataSet(cds);
    btn->SetAssociate(edit);
    btn->SetDataSource(dts);
    btn->SetTitle("Companhia");
    btn->SetEmptyError("Não há companhia cadastrada para a filial informada.");
    btn->OnBeforePesq = [this](TObject* sender, bool& proceed) {
      EXPECT_EQ(sender, btn);
      EXPECT_TRUE(proceed);
      log.push_back("before");
      cds->SetData(companies);
    };
    btn->OnAfterPesq = [this](TObject*) {
      log.push_back("after");
      edit->SetText(cds->FieldByName("SGCIA")->AsString());
    };
  }
};

}  // namespace

TEST_F(LookupButton, ChoiceRunsAfterPesqOnTheChosenRecord) {
  ui.Picks = {1};
  EXPECT_TRUE(btn->UserClick());
  EXPECT_EQ(log, (std::vector<std::string>{"before", "after"}));
  EXPECT_EQ(edit->Text(), "GOL");
  ASSERT_EQ(ui.PickLists().size(), 1u);
  EXPECT_EQ(ui.PickLists()[0].Title, "Companhia");
}

TEST_F(LookupButton, EmptyListShowsTheEmptyErrorOnly) {
  companies.Rows.clear();
  btn->Click();  // no abort: the click just ends
  EXPECT_EQ(log, (std::vector<std::string>{"before"}));
  EXPECT_EQ(ui.LastMessage(), "Não há companhia cadastrada para a filial informada.");
  EXPECT_EQ(ui.Events().back().kind, ScriptedUi::Kind::Error);
  EXPECT_TRUE(ui.PickLists().empty());
}

TEST_F(LookupButton, CancelRefusalAndDisabledButtonDoNothingMore) {
  btn->Click();  // the person cancels the list
  EXPECT_EQ(log, (std::vector<std::string>{"before"}));
  EXPECT_EQ(edit->Text(), "");

  auto before = btn->OnBeforePesq;
  btn->OnBeforePesq = [&](TObject* s, bool& proceed) {
    before(s, proceed);
    proceed = false;
  };
  ui.Picks = {0};
  EXPECT_FALSE(btn->Execute());
  EXPECT_EQ(ui.PickLists().size(), 1u);

  btn->SetEnabled(false);
  btn->Click();
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(LookupButton, ALookupEndingWithoutAChoiceRunsCancelPesqInstead) {
  btn->OnCancelPesq = [this](TObject* sender) {
    EXPECT_EQ(sender, btn);
    log.push_back("cancel");
  };
  btn->Click();  // the person cancels the list
  companies.Rows.clear();
  btn->Click();  // nothing to choose
  ui.Picks = {0};
  companies.Rows = {{Variant("0001"), Variant("TAM")}};
  btn->Click();
  EXPECT_EQ(log, (std::vector<std::string>{"before", "cancel", "before", "cancel", "before", "after"}));
}

TEST_F(LookupButton, FailingBeforePesqEndsTheGestureSilently) {
  btn->OnBeforePesq = [](TObject*, bool&) { Abort(); };
  EXPECT_FALSE(btn->UserClick());
  EXPECT_TRUE(ui.Events().empty());
}

TEST_F(LookupButton, ForgetsDestroyedEditAndDataSource) {
  delete edit;
  delete dts;
  EXPECT_EQ(btn->Associate(), nullptr);
  EXPECT_EQ(btn->DataSource(), nullptr);
  btn->Click();  // no data source: the empty-list error, no crash
  EXPECT_EQ(ui.LastMessage(), "Não há companhia cadastrada para a filial informada.");
}

}  // namespace zor::plat
