// The navigator's buttons: enabled as the dataset stands, and their actions.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "platform/dbcontrols/db_navigator.h"

namespace zor::plat::testing {
namespace {

class DbNavigatorTest : public DbFixture {
 protected:
  void SetUp() override {
    DbFixture::SetUp();
    nav = Make<TDBNavigator>("dbnPadrao");
    nav->SetDataSource(dts);
    nav->Changes.Subscribe([this](TComponent*, Prop p) {
      if (p == Prop::Other) ++repaints;
    });
  }
  std::string Enabled() {
    std::string out;
    for (int b = nbFirst; b <= nbRefresh; ++b) out += nav->ButtonEnabled(static_cast<TNavigateBtn>(b)) ? '1' : '0';
    return out;
  }
  TDBNavigator* nav = nullptr;
  int repaints = 0;
};

//                     first prior next last insert delete edit post cancel refresh
TEST_F(DbNavigatorTest, ButtonsFollowTheCursorAndTheState) {
  EXPECT_EQ(Enabled(), "0000000000") << "closed dataset";
  Load();
  EXPECT_EQ(Enabled(), "0011111001");
  cds->Next();
  EXPECT_EQ(Enabled(), "1111111001");
  cds->Last();
  EXPECT_EQ(Enabled(), "1100111001");
  cds->Edit();
  EXPECT_EQ(Enabled(), "1100110111");
  cds->Cancel();
  nav->SetEnabled(false);
  EXPECT_EQ(Enabled(), "0000000000");
  nav->SetEnabled(true);
  cds->SetReadOnly(true);
  cds->First();
  EXPECT_EQ(Enabled(), "0011000000");
  EXPECT_GT(repaints, 0);
}

TEST_F(DbNavigatorTest, EmptyDatasetOffersNoMoveAndNoDelete) {
  cds->CreateDataSet();
  EXPECT_EQ(Enabled(), "0000101001");
}

TEST_F(DbNavigatorTest, VisibleButtonsLimitWhatCanBeClicked) {
  Load();
  nav->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast});
  EXPECT_FALSE(nav->ButtonEnabled(nbInsert));
  EXPECT_FALSE(nav->UserClickButton(nbInsert));
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_TRUE(nav->UserClickButton(nbLast));
  EXPECT_EQ(nrvoo->AsString(), "300");
  EXPECT_FALSE(nav->UserClickButton(nbNext));
}

TEST_F(DbNavigatorTest, DeleteAsksFirst) {
  Load();
  nav->UserClickButton(nbDelete);  // answered No
  EXPECT_EQ(cds->RecordCount(), 3);
  EXPECT_EQ(ui.LastQuestion(), "Confirma a exclusão do registro?");
  ui.Answers.push_back(true);
  nav->UserClickButton(nbDelete);
  EXPECT_EQ(cds->RecordCount(), 2);
}

TEST_F(DbNavigatorTest, EditPostAndCancelActOnTheDataset) {
  Load();
  std::vector<TNavigateBtn> clicked;
  nav->OnNavClick = [&](TObject*, TNavigateBtn b) { clicked.push_back(b); };
  nav->UserClickButton(nbEdit);
  EXPECT_EQ(cds->State(), dsEdit);
  nrvoo->SetAsString("101");
  nav->UserClickButton(nbPost);
  EXPECT_EQ(cds->State(), dsBrowse);
  EXPECT_EQ(nrvoo->AsString(), "101");
  nav->UserClickButton(nbInsert);
  nav->UserClickButton(nbCancel);
  EXPECT_EQ(cds->RecordCount(), 3);
  EXPECT_EQ(clicked, (std::vector<TNavigateBtn>{nbEdit, nbPost, nbInsert, nbCancel}));
}

}  // namespace
}  // namespace zor::plat::testing
