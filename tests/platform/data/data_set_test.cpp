// The dataset's state machine, event order, navigation and Locate.
#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "platform/data/db_engine_error.h"
#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;

TEST(DataSetEvents, LoadFiresOpenEventsAndScrollOnTheFirstRecord) {
  FlightForm f;
  f.RecordEvents();
  f.Load();
  EXPECT_EQ(f.Events(), "BeforeOpen AfterOpen AfterScroll");
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.nrvoo->AsString(), "100");
  // A second load closes first.
  f.Load();
  EXPECT_EQ(f.Events(), "BeforeClose AfterClose BeforeOpen AfterOpen AfterScroll");
  // An empty packet opens without a scroll.
  DataPacket empty = testing::FlightPacket();
  empty.Rows.clear();
  f.cds->SetData(empty);
  EXPECT_EQ(f.Events(), "BeforeClose AfterClose BeforeOpen AfterOpen");
  EXPECT_TRUE(f.cds->IsEmpty());
}

TEST(DataSetEvents, InsertPostCancelEditDeleteRunInOrder) {
  FlightForm f;
  f.Load();
  f.RecordEvents();
  f.cds->Insert();
  EXPECT_EQ(f.Events(), "BeforeInsert BeforeScroll OnNewRecord AfterInsert AfterScroll");
  EXPECT_EQ(f.cds->State(), dsInsert);
  f.nrvoo->SetAsString("400");
  f.cds->Post();
  EXPECT_EQ(f.Events(), "BeforePost AfterPost");
  EXPECT_EQ(f.cds->State(), dsBrowse);
  f.cds->Edit();
  EXPECT_EQ(f.Events(), "BeforeEdit AfterEdit");
  f.cds->Cancel();
  EXPECT_EQ(f.Events(), "BeforeCancel AfterCancel");
  f.cds->Append();
  f.cds->Cancel();
  EXPECT_EQ(f.Events(),
            "BeforeInsert BeforeScroll OnNewRecord AfterInsert AfterScroll BeforeCancel BeforeScroll AfterCancel "
            "AfterScroll");
  f.cds->Delete();
  EXPECT_EQ(f.Events(), "BeforeDelete BeforeScroll AfterDelete AfterScroll");
}

TEST(DataSetEvents, InsertGoesBeforeTheCurrentRecordAppendAtTheEnd) {
  FlightForm f;
  f.Load();
  f.cds->Next();
  f.cds->Insert();
  EXPECT_EQ(f.cds->RecordCount(), 3);  // not counted until posted
  EXPECT_FALSE(f.cds->IsEmpty());
  f.nrvoo->SetAsString("150");
  f.cds->Post();
  f.cds->Append();
  f.nrvoo->SetAsString("999");
  f.cds->Post();
  EXPECT_EQ(f.Flights(), "100,150,200,300,999");
  EXPECT_EQ(f.cds->RecNo(), 5);
  // Cancelling an insert returns to the record that was current.
  f.cds->First();
  f.cds->Next();
  f.cds->Insert();
  f.cds->Cancel();
  EXPECT_EQ(f.nrvoo->AsString(), "150");
}

TEST(DataSetEvents, EmptyDataSetCountsAsNotEmptyWhileInserting) {
  FlightForm f;
  f.cds->CreateDataSet();
  EXPECT_TRUE(f.cds->IsEmpty());
  f.cds->Edit();  // on an empty dataset Edit starts an insert
  EXPECT_EQ(f.cds->State(), dsInsert);
  EXPECT_FALSE(f.cds->IsEmpty());
  EXPECT_EQ(f.cds->RecordCount(), 0);
}

TEST(DataSetEvents, NewRecordFailureLeavesNoRecord) {
  FlightForm f;
  f.Load();
  f.cds->OnNewRecord = [](TDataSet*) { throw EDatabaseError("falhou"); };
  EXPECT_THROW(f.cds->Insert(), EDatabaseError);
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.Flights(), "100,200,300");
  EXPECT_EQ(f.nrvoo->AsString(), "100");
}

TEST(DataSetEvents, FailingBeforePostKeepsTheEditWithItsValues) {
  FlightForm f;
  f.Load();
  f.cds->BeforePost = [](TDataSet*) { Abort(); };
  f.cds->Edit();
  f.sgequip->SetAsString("X");
  EXPECT_THROW(f.cds->Post(), EAbort);
  EXPECT_EQ(f.cds->State(), dsEdit);
  EXPECT_EQ(f.sgequip->AsString(), "X");
}

TEST(DataSetEvents, MovingPostsAModifiedEditAndCancelsAnUnmodifiedOne) {
  FlightForm f;
  f.Load();
  f.RecordEvents();
  f.cds->Edit();
  f.cds->Next();
  EXPECT_EQ(f.Events(), "BeforeEdit AfterEdit BeforeCancel AfterCancel BeforeScroll AfterScroll");
  f.cds->Edit();
  f.sgequip->SetAsString("E190");
  f.cds->Prior();
  EXPECT_EQ(f.Events(), "BeforeEdit AfterEdit BeforePost AfterPost BeforeScroll AfterScroll");
  EXPECT_EQ(f.cds->ValueAt(1, f.sgequip).AsString(), "E190");
  // An explicit Post posts even without a change.
  f.cds->Edit();
  f.cds->Post();
  EXPECT_EQ(f.Events(), "BeforeEdit AfterEdit BeforePost AfterPost");
}

TEST(DataSetEvents, RequiredFieldFailsThePostThroughPostError) {
  FlightForm f;
  f.Load();
  f.sgequip->SetRequired(true);
  f.sgequip->SetDisplayLabel("Equipamento");
  std::string seen;
  f.cds->OnPostError = [&](TDataSet*, EDatabaseError& e, TDataAction&) { seen = e.Message(); };
  f.cds->Insert();
  f.nrvoo->SetAsString("1");
  EXPECT_THROW(f.cds->Post(), EDatabaseError);
  EXPECT_EQ(seen, "Campo 'Equipamento' deve ser informado.");
  EXPECT_EQ(f.cds->State(), dsInsert);
}

TEST(DataSetEvents, PostErrorMayRewordAbortOrRetry) {
  FlightForm f;
  f.Load();
  f.sgequip->SetRequired(true);
  f.cds->Insert();
  // Reworded: the same exception travels on with the new text.
  f.cds->OnPostError = [](TDataSet*, EDatabaseError& e, TDataAction&) { e.SetMessage("curto"); };
  try {
    f.cds->Post();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "curto");
    EXPECT_STREQ(e.what(), "curto");
  }
  f.cds->OnPostError = [](TDataSet*, EDatabaseError&, TDataAction& a) { a = daAbort; };
  EXPECT_THROW(f.cds->Post(), EAbort);
  // Retry after the handler fixed the record.
  f.cds->OnPostError = [&](TDataSet*, EDatabaseError&, TDataAction& a) {
    f.sgequip->SetAsString("OK");
    a = daRetry;
  };
  f.cds->Post();
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.sgequip->AsString(), "OK");
}

TEST(DataSetEvents, DeleteWhileInsertingCancelsAndEmptyDeleteFails) {
  FlightForm f;
  f.Load();
  f.cds->Insert();
  f.cds->Delete();
  EXPECT_EQ(f.cds->State(), dsBrowse);
  EXPECT_EQ(f.cds->RecordCount(), 3);
  f.cds->Last();
  f.cds->Delete();
  EXPECT_EQ(f.nrvoo->AsString(), "200");  // the previous record becomes current
  f.cds->EmptyDataSet();
  EXPECT_THROW(f.cds->Delete(), EDatabaseError);
}

TEST(DataSetEvents, OperationsOnAClosedDataSetFail) {
  FlightForm f;
  EXPECT_THROW(f.cds->Insert(), EDatabaseError);
  EXPECT_THROW(f.cds->Next(), EDatabaseError);
  EXPECT_TRUE(f.nrvoo->IsNull());
  f.cds->Open();  // no packet yet: persistent fields open it empty
  EXPECT_TRUE(f.cds->IsEmpty());
  TClientDataSet bare;
  EXPECT_THROW(bare.Open(), EDatabaseError);
  EXPECT_FALSE(bare.Active());
}

TEST(DataSetNavigation, BofEofRecNoAndMoveBy) {
  FlightForm f;
  f.Load();
  EXPECT_TRUE(f.cds->Bof());
  EXPECT_FALSE(f.cds->Eof());
  EXPECT_EQ(f.cds->RecNo(), 1);
  EXPECT_EQ(f.cds->MoveBy(5), 2);
  EXPECT_TRUE(f.cds->Eof());
  EXPECT_EQ(f.cds->RecNo(), 3);
  f.RecordEvents();
  f.cds->Next();  // cannot move: no events
  EXPECT_EQ(f.Events(), "");
  EXPECT_EQ(f.cds->MoveBy(-1), -1);
  EXPECT_FALSE(f.cds->Eof());
  f.cds->Prior();
  f.cds->Prior();
  EXPECT_TRUE(f.cds->Bof());
  EXPECT_EQ(f.cds->RecNo(), 1);
  f.cds->SetRecNo(3);
  EXPECT_EQ(f.nrvoo->AsString(), "300");
  // The usual loop visits every record once.
  std::string seen;
  for (f.cds->First(); !f.cds->Eof(); f.cds->Next()) seen += f.nrvoo->AsString() + ";";
  EXPECT_EQ(seen, "100;200;300;");
}

TEST(DataSetNavigation, EmptyDataSetIsBofAndEof) {
  FlightForm f;
  f.cds->CreateDataSet();
  EXPECT_TRUE(f.cds->Bof());
  EXPECT_TRUE(f.cds->Eof());
  EXPECT_EQ(f.cds->RecNo(), 0);
  f.cds->First();
  EXPECT_EQ(f.cds->MoveBy(1), 0);
}

TEST(DataSetLocate, MatchesCaseInsensitiveAndPartialText) {
  FlightForm f;
  f.Load();
  EXPECT_FALSE(f.cds->Locate("SGEQUIP", "a320"));
  EXPECT_EQ(f.cds->RecNo(), 1);  // no match, no move
  EXPECT_TRUE(f.cds->Locate("sgequip", "a320", {loCaseInsensitive}));
  EXPECT_EQ(f.nrvoo->AsString(), "200");
  EXPECT_TRUE(f.cds->Locate("SGEQUIP", "émb", {loCaseInsensitive, loPartialKey}));  // accented letters too
  EXPECT_EQ(f.nrvoo->AsString(), "300");
  EXPECT_FALSE(f.cds->Locate("SGEQUIP", "emb", {loCaseInsensitive, loPartialKey}));
}

TEST(DataSetLocate, SeveralFieldsNumbersAndNulls) {
  FlightForm f;
  f.Load();
  EXPECT_TRUE(f.cds->Locate("NRVOO;NRORDEM", VarArrayOf("300", 3)));
  EXPECT_EQ(f.cds->RecNo(), 3);
  EXPECT_FALSE(f.cds->Locate("NRVOO;NRORDEM", VarArrayOf("300", 2)));
  EXPECT_TRUE(f.cds->Locate("NRORDEM", "2"));  // key converted to the field's type
  EXPECT_EQ(f.cds->RecNo(), 2);
  f.cds->First();
  EXPECT_TRUE(f.cds->Locate("QTDIAS", Variant()));
  EXPECT_EQ(f.cds->RecNo(), 2);
  EXPECT_FALSE(f.cds->Locate("NRORDEM", "abc"));
  EXPECT_THROW(f.cds->Locate("NADA", "1"), EDatabaseError);
  EXPECT_THROW(f.cds->Locate("NRVOO;NRORDEM", "1"), EDatabaseError);
}

TEST(DataSetFields, FieldByNameRaisesTheUsersMessage) {
  FlightForm f;
  f.Load();
  EXPECT_EQ(f.cds->FieldByName("nrvoo"), f.nrvoo);
  EXPECT_EQ(f.cds->FindField("XX"), nullptr);
  try {
    f.cds->FieldByName("CDXX");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Campo 'CDXX' não encontrado.");
  }
  EXPECT_EQ(f.qtdias->Index(), 2);
  EXPECT_EQ(f.cds->Fields().Count(), 4);
}

TEST(DataSetFields, FieldsCannotBeAddedToAnOpenDataSetAndNamesAreUnique) {
  FlightForm f;
  TStringField extra(nullptr);
  extra.SetFieldName("nrvoo");
  EXPECT_THROW(extra.SetDataSet(f.cds), EDatabaseError);
  f.Load();
  extra.SetFieldName("OUTRO");
  EXPECT_THROW(extra.SetDataSet(f.cds), EDatabaseError);
  EXPECT_EQ(extra.DataSet(), nullptr);
}

TEST(DataSetLifetime, FieldsAndDataSetMayBeDestroyedInEitherOrder) {
  {
    FlightForm f;
    f.Load();
    delete f.sgequip;  // a persistent field goes first
    EXPECT_EQ(f.cds->FieldCount(), 3);
    EXPECT_EQ(f.nrordem->AsInteger(), 1);
    EXPECT_EQ(f.cds->DataAsPacket().Fields.size(), 3u);
  }
  {
    auto ds = std::make_unique<TClientDataSet>();
    TStringField field(nullptr);
    field.SetFieldName("A");
    field.SetDataSet(ds.get());
    ds.reset();
    EXPECT_EQ(field.DataSet(), nullptr);
  }
}

TEST(DataSetControls, DisableControlsHoldsNotificationsUntilEnabled) {
  FlightForm f;
  f.Load();
  std::vector<TDataChangeKind> seen;
  f.cds->Changes.Subscribe([&](TDataSet*, const TDataChange& c) { seen.push_back(c.Kind); });
  int scrolls = 0;
  f.cds->AfterScroll = [&](TDataSet*) { ++scrolls; };
  f.cds->DisableControls();
  f.cds->DisableControls();
  f.cds->Next();
  f.cds->Next();
  f.cds->EnableControls();
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(scrolls, 2);  // dataset events still run
  f.cds->EnableControls();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], TDataChangeKind::DataSet);
}

TEST(DataSetObservers, HearStateScrollFieldAndReload) {
  FlightForm f;
  std::vector<std::string> seen;
  f.cds->Changes.Subscribe([&](TDataSet* ds, const TDataChange& c) {
    EXPECT_EQ(ds, f.cds);
    switch (c.Kind) {
      case TDataChangeKind::State: seen.push_back("state:" + std::to_string(c.PriorState) + ">" +
                                                  std::to_string(ds->State())); break;
      case TDataChangeKind::Scroll: seen.push_back("scroll"); break;
      case TDataChangeKind::Record: seen.push_back("record"); break;
      case TDataChangeKind::Field: seen.push_back("field:" + c.Field->FieldName()); break;
      case TDataChangeKind::DataSet: seen.push_back("dataset"); break;
    }
  });
  f.Load();
  f.cds->Next();
  f.cds->Edit();
  f.nrvoo->SetAsString("201");
  f.cds->Post();
  std::string all;
  for (const auto& s : seen) all += s + " ";
  EXPECT_EQ(all, "state:0>1 dataset scroll state:1>2 record field:NRVOO state:2>1 dataset ");
}

TEST(DataSetRendering, DisplayTextAtRunsGetTextForAnotherRecord) {
  FlightForm f;
  f.Load();
  f.sgequip->OnGetText = [](TField* s, std::string& t, bool) { t = "<" + s->AsString() + ">"; };
  EXPECT_EQ(f.cds->DisplayTextAt(1, f.sgequip), "<A320>");
  EXPECT_EQ(f.cds->RecNo(), 1);
  EXPECT_EQ(f.sgequip->DisplayText(), "<B737>");
  // A get-text handler cannot write into a record that is not current.
  f.cds->Edit();
  f.sgequip->OnGetText = [](TField* s, std::string&, bool) { s->SetAsString("X"); };
  EXPECT_THROW(f.cds->DisplayTextAt(2, f.sgequip), EDatabaseError);
  EXPECT_EQ(f.cds->ValueAt(2, f.sgequip).AsString(), "Émbraer");
}

}  // namespace
}  // namespace zor::plat

namespace zor::plat {
namespace {

// A dataset that writes through to a store and may be refused, as a query
// component or a database-backed dataset would be.
class WriteThroughDataSet : public TClientDataSet {
 public:
  using TClientDataSet::TClientDataSet;
  bool refuse = false;
  int opens = 0;

 protected:
  void InternalOpen() override {
    ++opens;
    LoadPacket(testing::FlightPacket());
  }
  void RecordPosted(const Record& r, bool inserted, const std::vector<Variant>& before) override {
    if (refuse)
      throw EDBEngineError("Falha ao gravar.", {{1, "geral"}, {20002, "Registro bloqueado.\nDetalhes técnicos"}});
    TClientDataSet::RecordPosted(r, inserted, before);
  }
  void RecordDeleted(const Record& r, int row) override {
    if (refuse) throw EDatabaseError("Falha ao excluir.");
    TClientDataSet::RecordDeleted(r, row);
  }
};

TEST(DataSetSubclass, OwnOpenStillStartsWithAnEmptyLog) {
  WriteThroughDataSet ds;
  ds.Open();
  EXPECT_EQ(ds.opens, 1);
  EXPECT_EQ(ds.FieldByName("SGEQUIP")->AsString(), "B737");
  ds.Edit();
  ds.FieldByName("SGEQUIP")->SetAsString("X");
  ds.Post();
  ds.CancelUpdates();
  EXPECT_EQ(ds.FieldByName("SGEQUIP")->AsString(), "B737");
}

TEST(DataSetSubclass, RefusedPostOrDeleteLeavesTheRecordAsItWas) {
  WriteThroughDataSet ds;
  ds.Open();
  ds.refuse = true;
  // The post-error handler shortens an engine error to its second entry's first line.
  ds.OnPostError = [](TDataSet*, EDatabaseError& e, TDataAction&) {
    auto* engine = dynamic_cast<EDBEngineError*>(&e);
    if (engine && engine->ErrorCount() > 1 && engine->Errors(1).NativeError == 20002) {
      const std::string& m = engine->Errors(1).Message;
      e.SetMessage(m.substr(0, m.find('\n')));
    }
  };
  ds.Edit();
  ds.FieldByName("SGEQUIP")->SetAsString("X");
  try {
    ds.Post();
    FAIL();
  } catch (const EDBEngineError& e) {
    EXPECT_EQ(e.Message(), "Registro bloqueado.");
  }
  EXPECT_EQ(ds.State(), dsEdit);
  EXPECT_EQ(ds.ValueAt(0, ds.FieldByName("SGEQUIP")).AsString(), "X");  // the edit buffer
  ds.Cancel();
  EXPECT_EQ(ds.FieldByName("SGEQUIP")->AsString(), "B737");
  EXPECT_THROW(ds.Delete(), EDatabaseError);
  EXPECT_EQ(ds.RecordCount(), 3);
  EXPECT_EQ(ds.FieldByName("NRVOO")->AsString(), "100");
}

}  // namespace
}  // namespace zor::plat
