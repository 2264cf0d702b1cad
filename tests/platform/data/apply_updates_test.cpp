// The client dataset's ApplyUpdates: the change log goes out as one delta,
// is merged once accepted and cancelled when refused.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;

TEST(ApplyUpdates, AnAcceptedDeltaIsSentOnceAndMerged) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("E190");
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("400");
  f.cds->Post();

  int calls = 0;
  size_t rows = 0;
  EXPECT_TRUE(f.cds->ApplyUpdates([&](const Variant& delta) {
    ++calls;
    rows = DeltaFromVariant(delta).Changes.size();
  }));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(rows, 2u);
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  EXPECT_EQ(f.cds->RecordCount(), 4);
  // Merged: cancelling now has nothing left to undo.
  f.cds->CancelUpdates();
  EXPECT_EQ(f.cds->RecordCount(), 4);
  ASSERT_TRUE(f.cds->Locate("NRVOO", Variant("100")));
  EXPECT_EQ(f.sgequip->AsString(), "E190");
}

TEST(ApplyUpdates, ARefusedDeltaUndoesEveryPendingChangeAndTheErrorGoesOn) {
  FlightForm f;
  f.Load();
  f.cds->Append();
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  ASSERT_TRUE(f.cds->Locate("NRVOO", Variant("300")));
  f.cds->Delete();

  EXPECT_THROW(f.cds->ApplyUpdates([](const Variant&) { throw std::runtime_error("recusado"); }),
               std::runtime_error);
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  EXPECT_EQ(f.cds->RecordCount(), 3);
  EXPECT_FALSE(f.cds->Locate("NRVOO", Variant("400")));
  EXPECT_TRUE(f.cds->Locate("NRVOO", Variant("300")));
}

TEST(ApplyUpdates, NothingIsSentWithoutPendingChanges) {
  FlightForm f;
  f.Load();
  bool sent = false;
  EXPECT_FALSE(f.cds->ApplyUpdates([&](const Variant&) { sent = true; }));
  EXPECT_FALSE(sent);
}

}  // namespace
}  // namespace zor::plat
