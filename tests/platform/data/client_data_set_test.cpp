// The client dataset: loading, the change log and its delta, merge and cancel.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;
using testing::FlightPacket;

// "kind:old NRVOO/SGEQUIP>new NRVOO/SGEQUIP" for every change.
std::string Describe(const DeltaPacket& d) {
  std::string out;
  for (const DeltaRow& c : d.Changes) {
    static const char* kinds[] = {"ins", "mod", "del"};
    out += kinds[static_cast<int>(c.Kind)];
    out += ":";
    if (!c.Old.empty()) out += c.Old[0].AsString() + "/" + c.Old[1].AsString();
    out += ">";
    if (!c.New.empty()) out += c.New[0].AsString() + "/" + c.New[1].AsString();
    out += " ";
  }
  return out;
}

TEST(ChangeLog, InsertModifyDeleteEachLogOnce) {
  FlightForm f;
  f.Load();
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  f.cds->Edit();
  f.sgequip->SetAsString("E190");
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  f.cds->Locate("NRVOO", "300");
  f.cds->Delete();
  EXPECT_EQ(f.cds->ChangeCount(), 3);
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "mod:100/B737>100/E190 ins:>400/ del:300/Émbraer> ");
}

TEST(ChangeLog, InsertThenModifyIsOneInsertWithTheLatestValues) {
  FlightForm f;
  f.Load();
  f.cds->Insert();
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  f.cds->Edit();
  f.sgequip->SetAsString("A321");
  f.cds->Post();
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "ins:>400/A321 ");
}

TEST(ChangeLog, InsertThenDeleteLeavesNothing) {
  FlightForm f;
  f.Load();
  f.cds->Insert();
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  f.cds->Delete();
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  EXPECT_TRUE(f.cds->DeltaAsPacket().Changes.empty());
}

TEST(ChangeLog, ModifyTwiceKeepsTheLoadedOldValues) {
  FlightForm f;
  f.Load();
  for (const char* v : {"X1", "X2"}) {
    f.cds->Edit();
    f.sgequip->SetAsString(v);
    f.cds->Post();
  }
  EXPECT_EQ(f.cds->ChangeCount(), 1);
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "mod:100/B737>100/X2 ");
  // Modified, then deleted: one delete with the loaded values.
  f.cds->Delete();
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "del:100/B737> ");
}

TEST(ChangeLog, AnEditWithoutChangePostsButLogsNothing) {
  FlightForm f;
  f.Load();
  bool posted = false;
  f.cds->AfterPost = [&](TDataSet*) { posted = true; };
  f.cds->Edit();
  f.sgequip->SetAsString("B737");  // same value
  f.cds->Post();
  EXPECT_TRUE(posted);
  EXPECT_EQ(f.cds->ChangeCount(), 0);
}

TEST(ChangeLog, DeltaCarriesEveryFieldAndTravelsAsJson) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.qtdias->SetAsFloat(9.25);
  f.cds->Post();
  DeltaPacket d = DeltaFromVariant(f.cds->Delta());
  ASSERT_EQ(d.Changes.size(), 1u);
  EXPECT_EQ(d.Fields, FlightPacket().Fields);
  EXPECT_EQ(d.Changes[0].Old, FlightPacket().Rows[0]);
  EXPECT_EQ(d.Changes[0].New[2], Variant(9.25));
  EXPECT_EQ(d, f.cds->DeltaAsPacket());
}

TEST(ChangeLog, MergeEmptiesTheLogAndMakesTheDataTheBase) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->MergeChangeLog();
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  f.cds->CancelUpdates();
  EXPECT_EQ(f.sgequip->AsString(), "X");
}

TEST(ChangeLog, CancelUpdatesRestoresTheLastLoadOrMerge) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  f.cds->First();
  f.cds->Next();
  f.cds->Delete();
  EXPECT_EQ(f.Flights(), "100,300,400");
  f.cds->CancelUpdates();
  EXPECT_EQ(f.Flights(), "100,200,300");
  EXPECT_EQ(f.cds->ValueAt(0, f.sgequip).AsString(), "B737");
  EXPECT_EQ(f.cds->ChangeCount(), 0);
}

TEST(ChangeLog, CancelUpdatesCancelsAPendingInsertAndKeepsTheCursor) {
  FlightForm f;
  f.Load();
  f.cds->Last();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Insert();
  f.cds->CancelUpdates();
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.nrvoo->AsString(), "300");
  EXPECT_EQ(f.sgequip->AsString(), "Émbraer");
}

TEST(ChangeLog, MergeWhileInsertingKeepsThePendingRecord) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("500");
  f.cds->MergeChangeLog();  // another dataset's after-post may merge us mid-insert
  EXPECT_EQ(f.cds->State(), dsInsert);
  f.cds->Post();
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "ins:>500/ ");
}

TEST(ChangeLog, LogChangesOffAppliesAtOnce) {
  FlightForm f;
  f.Load();
  f.cds->SetLogChanges(false);
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Delete();
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  f.cds->CancelUpdates();
  EXPECT_EQ(f.Flights(), "200,300");
}

TEST(ChangeLog, CancelPutsDeletedRecordsBackWhereTheyWereWithTheirLoadedValues) {
  FlightForm f;
  f.Load();
  f.cds->Edit();  // 100 changed, then deleted: back with its loaded values
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Locate("NRVOO", "200");
  f.cds->Insert();  // 150 inserted before 200, which is deleted after it
  f.nrvoo->SetAsString("150");
  f.cds->Post();
  f.cds->Locate("NRVOO", "200");
  f.cds->Delete();
  f.cds->First();
  f.cds->Delete();
  f.cds->Last();
  f.cds->Delete();
  EXPECT_EQ(f.Flights(), "150");
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "del:100/B737> ins:>150/ del:200/A320> del:300/Émbraer> ");
  f.cds->CancelUpdates();
  EXPECT_EQ(f.cds->DataAsPacket(), FlightPacket());
}

TEST(ChangeLog, ADeletedRecordFollowedByAnInsertedOneGoesBackInItsPlace) {
  FlightForm f;
  f.Load();
  f.cds->Locate("NRVOO", "300");
  f.cds->Insert();
  f.nrvoo->SetAsString("250");
  f.cds->Post();
  f.cds->Locate("NRVOO", "200");
  f.cds->Delete();
  EXPECT_EQ(f.Flights(), "100,250,300");
  f.cds->CancelUpdates();
  EXPECT_EQ(f.Flights(), "100,200,300");
}

TEST(ChangeLog, AfterAMergeTheMergedRecordsAreTheBaseForDeltaOldValuesAndCancel) {
  FlightForm f;
  f.Load();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  f.cds->Locate("NRVOO", "300");
  f.cds->Insert();
  f.nrvoo->SetAsString("250");
  f.sgequip->SetAsString("Y");
  f.cds->Post();
  f.cds->Locate("NRVOO", "200");
  f.cds->Delete();
  f.cds->MergeChangeLog();
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  EXPECT_TRUE(f.cds->DeltaAsPacket().Changes.empty());
  // Changed again: the delta starts from the merged values.
  f.cds->Locate("NRVOO", "250");
  f.cds->Edit();
  f.sgequip->SetAsString("Z");
  EXPECT_EQ(f.sgequip->OldValue(), Variant("Y"));
  f.cds->Post();
  f.cds->First();
  f.cds->Delete();
  EXPECT_EQ(Describe(f.cds->DeltaAsPacket()), "mod:250/Y>250/Z del:100/X> ");
  f.cds->CancelUpdates();
  EXPECT_EQ(f.Flights(), "100,250,300");
  EXPECT_EQ(f.cds->ValueAt(0, f.sgequip), Variant("X"));
  EXPECT_EQ(f.cds->ValueAt(1, f.sgequip), Variant("Y"));
}

TEST(ChangeLog, DeltaSendsEveryFieldOfTheChangedRecordsOnly) {
  FlightForm f;
  f.Load();
  f.cds->Locate("NRVOO", "200");
  f.cds->Edit();
  f.nrordem->SetAsInteger(20);
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("400");
  f.qtdias->SetAsFloat(4.5);
  f.cds->Post();
  DeltaPacket d = f.cds->DeltaAsPacket();
  ASSERT_EQ(d.Changes.size(), 2u);
  EXPECT_EQ(d.Changes[0].Old, FlightPacket().Rows[1]);
  EXPECT_EQ(d.Changes[0].New, (std::vector<Variant>{Variant("200"), Variant("A320"), Variant(), Variant(int64_t{20})}));
  EXPECT_TRUE(d.Changes[1].Old.empty());
  EXPECT_EQ(d.Changes[1].New, (std::vector<Variant>{Variant("400"), Variant(), Variant(4.5), Variant()}));
}

TEST(LoadData, AssigningDataReplacesRowsEmptiesTheLogAndScrolls) {
  FlightForm f;
  f.Load();
  f.cds->Last();
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  f.cds->Post();
  int scrolls = 0;
  std::string firstSeen;
  f.cds->AfterScroll = [&](TDataSet*) {
    ++scrolls;
    firstSeen = f.nrvoo->AsString();
  };
  DataPacket p = FlightPacket();
  p.Rows.erase(p.Rows.begin());
  f.cds->SetData(PacketToVariant(p));
  EXPECT_EQ(f.cds->ChangeCount(), 0);
  EXPECT_EQ(f.Flights(), "200,300");
  EXPECT_EQ(scrolls, 1);
  EXPECT_EQ(firstSeen, "200");
  EXPECT_EQ(f.cds->RecNo(), 1);
}

TEST(LoadData, PersistentFieldsTakeColumnsByNameAndMissingOnesFail) {
  FlightForm f;
  DataPacket p = FlightPacket();
  // Columns in another order, one extra: matched by name.
  std::swap(p.Fields[0], p.Fields[3]);
  for (auto& r : p.Rows) std::swap(r[0], r[3]);
  p.Fields.push_back({"EXTRA", FieldType::String, 1, 0});
  for (auto& r : p.Rows) r.push_back(Variant("x"));
  f.cds->SetData(p);
  EXPECT_EQ(f.nrvoo->AsString(), "100");
  EXPECT_EQ(f.nrordem->AsInteger(), 1);
  EXPECT_EQ(f.cds->FindField("EXTRA"), nullptr);
  // Data hands out the fields' own layout.
  EXPECT_EQ(f.cds->DataAsPacket(), FlightPacket());
  p.Fields.erase(p.Fields.begin() + 1);  // SGEQUIP gone
  for (auto& r : p.Rows) r.erase(r.begin() + 1);
  try {
    f.cds->SetData(p);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Campo 'SGEQUIP' não encontrado no pacote de dados de 'cdsVoo'.");
  }
  EXPECT_FALSE(f.cds->Active());
}

TEST(LoadData, APacketHandedOverByMoveLoadsAsACopyDoes) {
  FlightForm moved, copied;
  DataPacket p = FlightPacket();
  std::swap(p.Fields[0], p.Fields[2]);  // another column order
  for (auto& r : p.Rows) std::swap(r[0], r[2]);
  p.Rows[1][1] = Variant("");  // empty text is null
  copied.cds->SetData(p);
  moved.cds->SetData(std::move(p));
  EXPECT_EQ(moved.cds->DataAsPacket(), copied.cds->DataAsPacket());
  EXPECT_EQ(moved.Flights(), "100,200,300");
  EXPECT_TRUE(moved.cds->ValueAt(1, moved.sgequip).IsNull());
  EXPECT_EQ(moved.cds->ValueAt(2, moved.sgequip), Variant("Émbraer"));
}

TEST(LoadData, ValuesAreConvertedToThePersistentFieldsTypes) {
  FlightForm f;
  DataPacket p = FlightPacket();
  p.Fields[3].Type = FieldType::String;  // integer column sent as text
  for (auto& r : p.Rows) r[3] = Variant(r[3].AsString());
  f.cds->SetData(p);
  EXPECT_EQ(f.nrordem->Value(), Variant(int64_t{1}));
  p.Rows[1][3] = Variant("dois");
  EXPECT_THROW(f.cds->SetData(p), EDatabaseError);
}

TEST(LoadData, DefaultFieldsAreMadeFromThePacketAndKeptWhileTheLayoutHolds) {
  TClientDataSet cds;
  cds.SetData(PacketToVariant(FlightPacket()));
  ASSERT_TRUE(cds.DefaultFields());
  ASSERT_EQ(cds.FieldCount(), 4);
  TField* nr = cds.FieldByName("NRVOO");
  EXPECT_EQ(nr->Size(), 5);
  EXPECT_NE(dynamic_cast<TFloatField*>(cds.FieldByName("QTDIAS")), nullptr);
  EXPECT_EQ(cds.FieldByName("SGEQUIP")->AsString(), "B737");
  cds.SetData(FlightPacket());
  EXPECT_EQ(cds.FieldByName("NRVOO"), nr);  // same layout: same fields
  DataPacket other;
  other.Fields = {{"CDX", FieldType::Integer, 0, 0}};
  other.Rows = {{Variant(1)}};
  cds.SetData(other);
  EXPECT_EQ(cds.FieldCount(), 1);
  EXPECT_EQ(cds.FieldByName("CDX")->AsInteger(), 1);
}

TEST(LoadData, MalformedDataLeavesTheDataSetUntouched) {
  FlightForm f;
  f.Load();
  EXPECT_THROW(f.cds->SetData(Variant(JsonText{"{oops"})), EDatabaseError);
  EXPECT_TRUE(f.cds->Active());
  EXPECT_EQ(f.Flights(), "100,200,300");
}

TEST(LocalDataSets, CreateDataSetAndEmptyDataSet) {
  TClientDataSet cds;
  EXPECT_THROW(cds.CreateDataSet(), EDatabaseError);
  cds.FieldDefs().push_back({"CODE", FieldType::String, 2, 0});
  cds.CreateDataSet();
  EXPECT_TRUE(cds.Active());
  EXPECT_TRUE(cds.IsEmpty());
  cds.Append();
  cds.FieldByName("CODE")->SetAsString("AB");
  cds.Post();
  EXPECT_EQ(cds.ChangeCount(), 1);
  cds.EmptyDataSet();
  EXPECT_TRUE(cds.IsEmpty());
  EXPECT_EQ(cds.ChangeCount(), 0);
  // Null data empties a dataset that has fields.
  cds.Append();
  cds.FieldByName("CODE")->SetAsString("CD");
  cds.Post();
  cds.SetData(Variant());
  EXPECT_TRUE(cds.IsEmpty());
}

}  // namespace
}  // namespace zor::plat
