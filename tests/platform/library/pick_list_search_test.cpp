// The pick list and the search dialog over a client dataset.
#include <gtest/gtest.h>

#include "library_fixture.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/library/pesquisa.h"
#include "platform/library/procurar.h"


namespace zor::plat {

namespace {

struct Branches : LibraryTest {
  TClientDataSet cds;
  TDataSource dts;
  int scrolls = 0;

  void SetUp() override {
    LibraryTest::SetUp();
    DataPacket p;
    p.Fields = {{"CDFILIAL", FieldType::String, 4},
                {"IDCNTRRESC", FieldType::String, 1},
                {"NMFILIAL", FieldType::String, 30},
                {"NRORDEM", FieldType::Integer}};
    p.Rows = {{Variant("0001"), Variant("N"), Variant("Guarulhos"), Variant(1)},
              {Variant("0002"), Variant("S"), Variant("Galeão"), Variant(2)},
              {Variant("0003"), Variant("N"), Variant("Confins"), Variant(3)}};
    cds.SetData(p);
    cds.FieldByName("CDFILIAL")->SetDisplayLabel("Código");
    cds.FieldByName("NMFILIAL")->SetDisplayLabel("Nome");
    cds.FieldByName("IDCNTRRESC")->SetVisible(false);
    dts.SetDataSet(&cds);
    cds.AfterScroll = [this](TDataSet*) { ++scrolls; };
  }
};

}  // namespace

TEST_F(Branches, PickListShowsTheVisibleFieldsUnderTheirLabels) {
  cds.Next();
  ui.Picks = {2};
  EXPECT_TRUE(Pesquisa::Pesquisar(&dts, "Filial", false, true));
  ASSERT_EQ(ui.PickLists().size(), 1u);
  const PickListRequest& list = ui.PickLists()[0];
  EXPECT_EQ(list.Title, "Filial");
  EXPECT_EQ(list.ColumnLabels, (std::vector<std::string>{"Código", "Nome", "NRORDEM"}));
  ASSERT_EQ(list.Rows.size(), 3u);
  EXPECT_EQ(list.Rows[1], (std::vector<std::string>{"0002", "Galeão", "2"}));
  EXPECT_EQ(list.CurrentRow, 1);  // opens on the current record
  EXPECT_EQ(cds.FieldByName("NMFILIAL")->AsString(), "Confins");
  EXPECT_EQ(scrolls, 2);  // the Next, then the choice
}

TEST_F(Branches, PickListOptions) {
  cds.Last();
  ui.Picks = {0};
  EXPECT_TRUE(Pesquisa::Pesquisar(&dts, "Filial", true, false));
  EXPECT_EQ(ui.PickLists()[0].ColumnLabels.size(), 4u);  // hidden field shown too
  EXPECT_EQ(ui.PickLists()[0].CurrentRow, 0);
  EXPECT_EQ(cds.RecNo(), 1);
}

TEST_F(Branches, CancelledOrEmptyPickListChoosesNothing) {
  cds.Next();
  EXPECT_FALSE(Pesquisa::Pesquisar(&dts, "Filial"));  // no queued pick: cancelled
  EXPECT_EQ(cds.RecNo(), 2);

  cds.EmptyDataSet();
  EXPECT_FALSE(Pesquisa::Pesquisar(&dts, "Filial"));
  cds.Close();
  EXPECT_FALSE(Pesquisa::Pesquisar(&dts, "Filial"));
  EXPECT_FALSE(Pesquisa::Pesquisar(nullptr, "Filial"));
  EXPECT_EQ(ui.PickLists().size(), 1u);  // only the first one was shown
}

TEST_F(Branches, SearchFindsTheStartOfTheTextWhateverTheCase) {
  ui.Searches = {SearchAnswer{"NMFILIAL", "conf"}};
  EXPECT_TRUE(Procurar::Procura(&cds));
  EXPECT_EQ(cds.RecNo(), 3);
  EXPECT_FALSE(ui.LastMessage());
}

TEST_F(Branches, SearchNotFoundTellsAndStaysPut) {
  cds.Next();
  ui.Searches = {SearchAnswer{"NMFILIAL", "uarulhos"}, SearchAnswer{"NRORDEM", "abc"}};
  EXPECT_FALSE(Procurar::Procura(&cds));
  EXPECT_EQ(ui.LastMessage(), "Registro não encontrado.");
  EXPECT_FALSE(Procurar::Procura(&cds));  // not a number: matches no record
  EXPECT_EQ(cds.RecNo(), 2);
  EXPECT_EQ(ui.Events().size(), 4u);  // two dialogs, two messages
}

TEST_F(Branches, SearchOffersOnlyVisibleFieldsAndMayBeCancelled) {
  ui.Searches = {std::nullopt, SearchAnswer{"IDCNTRRESC", "S"}};
  EXPECT_FALSE(Procurar::Procura(&cds));
  EXPECT_FALSE(Procurar::Procura(&cds));  // a hidden field is not searched
  EXPECT_EQ(cds.RecNo(), 1);
  EXPECT_FALSE(ui.LastMessage());
}

}  // namespace zor::plat
