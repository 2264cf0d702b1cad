// The client dataset: packet load, change log, delta, merge and cancel.
#include "platform/data/client_data_set.h"

#include <unordered_map>

namespace plat {

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

DataPacket TClientDataSet::DataAsPacket() const { return CurrentPacket(); }

Variant TClientDataSet::Data() const { return PacketToVariant(CurrentPacket()); }

void TClientDataSet::SetData(const Variant& data) {
  if (data.IsNull()) {
    if (FieldCount() == 0 && field_defs_.empty())
      throw EDatabaseError("Pacote de dados vazio para o conjunto de dados '" + DisplayName() + "', que não tem campos.");
    CreateDataSet();
    return;
  }
  SetData(PacketFromVariant(data));  // decoded before anything is closed
}

void TClientDataSet::SetData(Variant&& data) {
  if (data.IsNull()) return SetData(static_cast<const Variant&>(data));
  SetData(PacketFromVariant(std::move(data)));
}

void TClientDataSet::SetData(DataPacket packet) {
  Close();
  loading_ = std::move(packet);
  try {
    Open();
  } catch (...) {
    loading_.reset();
    throw;
  }
  loading_.reset();
}

void TClientDataSet::CreateDataSet() {
  if (FieldCount() == 0 && field_defs_.empty())
    throw EDatabaseError("O conjunto de dados '" + DisplayName() + "' não tem campos definidos.");
  Close();
  create_empty_ = true;
  try {
    Open();
  } catch (...) {
    create_empty_ = false;
    throw;
  }
  create_empty_ = false;
}

void TClientDataSet::InternalOpen() {
  if (loading_) {
    LoadPacket(std::move(*loading_));
  } else if (create_empty_ || FieldCount() > 0 || !field_defs_.empty()) {
    LoadEmpty(field_defs_);
  } else {
    throw EDatabaseError("O conjunto de dados '" + DisplayName() + "' não tem dados nem campos para ser aberto.");
  }
}

void TClientDataSet::DataLoaded() {
  SetBase(Records());
  log_.clear();
}

void TClientDataSet::SetBase(std::vector<Record> records) {
  base_ = std::move(records);
  base_index_.clear();
  for (size_t i = 0; i < base_.size(); ++i) base_index_[base_[i].Id] = i;
}

void TClientDataSet::InternalClose() {
  SetBase({});
  log_.clear();
}

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  SetBase({});
  log_.clear();
  ReplaceRecords({});
}

const TDataSet::Record* TClientDataSet::BaseRecord(uint64_t id) const {
  auto it = base_index_.find(id);
  return it == base_index_.end() ? nullptr : &base_[it->second];
}

TClientDataSet::LogEntry* TClientDataSet::FindEntry(uint64_t id) {
  for (LogEntry& e : log_)
    if (e.Id == id) return &e;
  return nullptr;
}

void TClientDataSet::RecordPosted(const Record& record, bool inserted, const std::vector<Variant>& before) {
  if (!log_changes_) {
    SetBase(PostedRecords());
    return;
  }
  if (inserted) {
    log_.push_back({record.Id, ChangeKind::Insert});
    return;
  }
  if (FindEntry(record.Id)) return;  // an insert stays an insert, a modify keeps its loaded values
  if (record.Values == before) return;  // nothing changed: nothing to send
  log_.push_back({record.Id, ChangeKind::Modify});
}

void TClientDataSet::RecordDeleted(const Record& record) {
  if (!log_changes_) {
    SetBase(PostedRecords());
    return;
  }
  if (LogEntry* e = FindEntry(record.Id)) {
    if (e->Kind == ChangeKind::Insert)
      std::erase_if(log_, [&](const LogEntry& x) { return x.Id == record.Id; });
    else
      e->Kind = ChangeKind::Delete;
    return;
  }
  log_.push_back({record.Id, ChangeKind::Delete});
}

std::vector<Variant> TClientDataSet::RowOf(const Record& r) const {
  std::vector<Variant> row;
  row.reserve(FieldCount());
  for (TField* f : Fields()) row.push_back(r.Values[SlotOf(f)]);
  return row;
}

DeltaPacket TClientDataSet::DeltaAsPacket() const {
  DeltaPacket delta;
  delta.Fields = FieldDefsOfFields();
  std::unordered_map<uint64_t, const Record*> current;
  for (const Record& r : Records()) current[r.Id] = &r;
  for (const LogEntry& e : log_) {
    DeltaRow row;
    row.Kind = e.Kind;
    if (e.Kind != ChangeKind::Insert) {
      const Record* old = BaseRecord(e.Id);
      if (!old) continue;  // cannot happen: only loaded records are modified or deleted
      row.Old = RowOf(*old);
    }
    if (e.Kind != ChangeKind::Delete) {
      auto it = current.find(e.Id);
      if (it == current.end()) continue;
      row.New = RowOf(*it->second);
    }
    delta.Changes.push_back(std::move(row));
  }
  return delta;
}

Variant TClientDataSet::Delta() const { return DeltaToVariant(DeltaAsPacket()); }

void TClientDataSet::MergeChangeLog() {
  SetBase(PostedRecords());
  log_.clear();
}

void TClientDataSet::CancelUpdates() {
  Cancel();
  if (!Active()) return;
  log_.clear();
  ReplaceRecords(base_);
}

Variant TClientDataSet::GetOldFieldValue(const TField* field) const {
  if (State() == dsInsert || CurrentRow() < 0) return Variant();
  const Record* old = BaseRecord(Records()[CurrentRow()].Id);
  if (!old) return Variant();  // inserted since the last merge
  return old->Values[SlotOf(field)];
}

}  // namespace plat
