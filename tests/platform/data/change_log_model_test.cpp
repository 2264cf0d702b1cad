// The change log against a plain model of what it must hold: after every
// step of long random sequences of edits, inserts, deletes, merges and
// cancels, the delta, the old values and the records restored by a cancel
// are what a dataset keeping a whole copy of its loaded records would give.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/platform/data/data_fixture.h"

namespace zor::plat {
namespace {

using testing::FlightForm;

// A flight as the model keeps it: its number (unique) and its equipment.
struct Flight {
  std::string Nr, Equip;
  bool operator==(const Flight&) const = default;
};

struct Entry {
  std::string Nr;
  ChangeKind Kind;
};

// What the dataset must show: the records as loaded or last merged, the
// records now, and the log in the order the records were first changed.
struct Model {
  std::vector<Flight> base, now;
  std::vector<Entry> log;

  Entry* Find(const std::string& nr) {
    for (Entry& e : log)
      if (e.Nr == nr) return &e;
    return nullptr;
  }
  static const Flight& In(const std::vector<Flight>& rows, const std::string& nr) {
    return *std::find_if(rows.begin(), rows.end(), [&](const Flight& f) { return f.Nr == nr; });
  }
  void Modify(size_t i, const std::string& equip) {
    bool changed = now[i].Equip != equip;
    now[i].Equip = equip;
    if (!Find(now[i].Nr) && changed) log.push_back({now[i].Nr, ChangeKind::Modify});
  }
  void Insert(size_t at, const Flight& f) {
    now.insert(now.begin() + at, f);
    log.push_back({f.Nr, ChangeKind::Insert});
  }
  void Delete(size_t i) {
    std::string nr = now[i].Nr;
    now.erase(now.begin() + i);
    if (Entry* e = Find(nr)) {
      if (e->Kind == ChangeKind::Insert)
        std::erase_if(log, [&](const Entry& x) { return x.Nr == nr; });
      else
        e->Kind = ChangeKind::Delete;
    } else {
      log.push_back({nr, ChangeKind::Delete});
    }
  }
  // "kind:old nr/equip>new nr/equip" for every change.
  std::string Delta() const {
    std::string out;
    for (const Entry& e : log) {
      static const char* kinds[] = {"ins", "mod", "del"};
      out += std::string(kinds[static_cast<int>(e.Kind)]) + ":";
      if (e.Kind != ChangeKind::Insert) out += In(base, e.Nr).Nr + "/" + In(base, e.Nr).Equip;
      out += ">";
      if (e.Kind != ChangeKind::Delete) out += In(now, e.Nr).Nr + "/" + In(now, e.Nr).Equip;
      out += " ";
    }
    return out;
  }
};

std::string Describe(const DeltaPacket& d) {
  std::string out;
  for (const DeltaRow& c : d.Changes) {
    static const char* kinds[] = {"ins", "mod", "del"};
    out += std::string(kinds[static_cast<int>(c.Kind)]) + ":";
    if (!c.Old.empty()) out += c.Old[0].AsString() + "/" + c.Old[1].AsString();
    out += ">";
    if (!c.New.empty()) out += c.New[0].AsString() + "/" + c.New[1].AsString();
    out += " ";
  }
  return out;
}

std::vector<Flight> Shown(FlightForm& f) {
  std::vector<Flight> out;
  for (int i = 0; i < f.cds->RowCount(); ++i)
    out.push_back({f.cds->ValueAt(i, f.nrvoo).AsString(), f.cds->ValueAt(i, f.sgequip).AsString()});
  return out;
}

// Twelve loaded flights, 1 to 12, with the loaded days and order numbers
// that every restored record must carry again.
DataPacket TwelveFlights() {
  DataPacket p = testing::FlightPacket();
  p.Rows.clear();
  for (int i = 1; i <= 12; ++i)
    p.Rows.push_back({Variant(std::to_string(i)), Variant(i % 2 ? "B737" : "A320"), Variant(i + 0.5),
                      Variant(int64_t{i})});
  return p;
}

void ExpectLoadedValuesBack(FlightForm& f, const Model& m) {
  ASSERT_EQ(Shown(f), m.base);
  for (int i = 0; i < f.cds->RowCount(); ++i) {
    int nr = std::stoi(f.cds->ValueAt(i, f.nrvoo).AsString());
    if (nr > 12) continue;  // inserted, then merged
    EXPECT_EQ(f.cds->ValueAt(i, f.qtdias), Variant(nr + 0.5));
    EXPECT_EQ(f.cds->ValueAt(i, f.nrordem), Variant(int64_t{nr}));
  }
}

class ChangeLogModel : public ::testing::TestWithParam<unsigned> {};

TEST_P(ChangeLogModel, DeltaOldValuesAndCancelMatchAWholeCopyOfTheLoadedRecords) {
  std::mt19937 random(GetParam());
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* equips[] = {"B737", "A320", "E190", "ATR72"};
  FlightForm f;
  f.cds->SetData(TwelveFlights());
  Model m;
  m.base = m.now = Shown(f);
  int nextNr = 100;
  for (int step = 0; step < 300; ++step) {
    const int op = pick(20);
    const int rows = f.cds->RowCount();
    if (op < 7 && rows > 0) {  // change a record's equipment (sometimes to the same)
      int i = pick(rows);
      std::string equip = equips[pick(4)];
      f.cds->SetRecNo(i + 1);
      f.cds->Edit();
      // The loaded value; null for a record inserted since the last merge.
      const Entry* e = m.Find(m.now[i].Nr);
      EXPECT_EQ(f.sgequip->OldValue().AsString(),
                !e ? m.now[i].Equip : e->Kind == ChangeKind::Insert ? "" : Model::In(m.base, e->Nr).Equip);
      f.sgequip->SetAsString(equip);
      f.cds->Post();
      m.Modify(i, equip);
    } else if (op < 11) {  // insert before a record, or append
      bool append = op == 10 || rows == 0;
      int at = append ? rows : pick(rows);
      Flight nf{std::to_string(nextNr++), equips[pick(4)]};
      if (!append) f.cds->SetRecNo(at + 1);
      append ? f.cds->Append() : f.cds->Insert();
      f.nrvoo->SetAsString(nf.Nr);
      f.sgequip->SetAsString(nf.Equip);
      f.cds->Post();
      m.Insert(at, nf);
    } else if (op < 16 && rows > 0) {  // delete a record
      int i = pick(rows);
      f.cds->SetRecNo(i + 1);
      f.cds->Delete();
      m.Delete(i);
    } else if (op == 16) {  // an insert given up
      f.cds->Insert();
      f.nrvoo->SetAsString("999");
      f.cds->Cancel();
    } else if (op == 17) {
      f.cds->MergeChangeLog();
      m.base = m.now;
      m.log.clear();
    } else if (op == 18) {
      f.cds->CancelUpdates();
      m.now = m.base;
      m.log.clear();
      ExpectLoadedValuesBack(f, m);
    }
    ASSERT_EQ(Shown(f), m.now) << "step " << step;
    ASSERT_EQ(f.cds->ChangeCount(), static_cast<int>(m.log.size())) << "step " << step;
    ASSERT_EQ(Describe(f.cds->DeltaAsPacket()), m.Delta()) << "step " << step;
  }
  f.cds->CancelUpdates();
  m.now = m.base;
  ExpectLoadedValuesBack(f, m);
  EXPECT_EQ(f.cds->ChangeCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, ChangeLogModel, ::testing::Values(1u, 7u, 42u, 2026u, 31337u));

}  // namespace
}  // namespace zor::plat
