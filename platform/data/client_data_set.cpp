// The client dataset: packet load, change log, delta, merge and cancel.
#include "platform/data/client_data_set.h"

#include <algorithm>
#include <unordered_map>

#include "platform/core/exceptions.h"
#include "platform/core/platform_texts.h"

namespace zor::plat {

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

DataPacket TClientDataSet::DataAsPacket() const { return CurrentPacket(); }

Variant TClientDataSet::Data() const { return PacketToVariant(CurrentPacket()); }

void TClientDataSet::SetData(const Variant& data) {
  if (data.IsNull()) {
    if (FieldCount() == 0 && field_defs_.empty())
      throw EDatabaseError(PlatformText("data.empty_packet_without_fields", {DisplayName()}));
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
    throw EDatabaseError(PlatformText("data.no_fields_defined", {DisplayName()}));
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
    throw EDatabaseError(PlatformText("data.nothing_to_open", {DisplayName()}));
  }
}

void TClientDataSet::DataLoaded() { log_.clear(); }

void TClientDataSet::InternalClose() { log_.clear(); }

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  Cancel();
  log_.clear();
  ReplaceRecords({});
}

TClientDataSet::LogEntry* TClientDataSet::FindEntry(uint64_t id) {
  for (LogEntry& e : log_)
    if (e.Id == id) return &e;
  return nullptr;
}

const TClientDataSet::LogEntry* TClientDataSet::FindEntry(uint64_t id) const {
  return const_cast<TClientDataSet*>(this)->FindEntry(id);
}

uint64_t TClientDataSet::LoadedRecordFrom(int row) const {
  for (; row < RowCount(); ++row) {
    if (State() == dsInsert && row == CurrentRow()) continue;  // not posted
    const LogEntry* e = FindEntry(Records()[row].Id);
    if (!e || e->Kind != ChangeKind::Insert) return Records()[row].Id;
  }
  return 0;
}

void TClientDataSet::ForgetRecord(uint64_t id, int row) {
  uint64_t next = 0;
  bool found = false;
  for (LogEntry& e : log_) {
    if (e.Kind != ChangeKind::Delete || e.NextLoaded != id) continue;
    if (!found) next = LoadedRecordFrom(row), found = true;
    e.NextLoaded = next;
  }
}

void TClientDataSet::RecordPosted(const Record& record, bool inserted, const std::vector<Variant>& before) {
  // Unlogged, a post is the record's new base state: there is nothing to keep.
  if (!log_changes_) return;
  const int row = static_cast<int>(&record - Records().data());
  if (inserted) {
    log_.emplace_back(record.Id, ChangeKind::Insert, row);
    return;
  }
  if (LogEntry* e = FindEntry(record.Id)) {  // an insert stays an insert, a modify keeps its loaded values
    e->Row = row;
    return;
  }
  if (record.Values == before) return;  // nothing changed: nothing to send
  log_.emplace_back(record.Id, ChangeKind::Modify, row, before);
}

void TClientDataSet::RecordDeleted(const Record& record, int row) {
  LogEntry* e = FindEntry(record.Id);
  if (!log_changes_ || (e && e->Kind == ChangeKind::Insert)) {
    // Gone for good: unlogged, or inserted since the last load or merge.
    if (e) std::erase_if(log_, [&](const LogEntry& x) { return x.Id == record.Id; });
    ForgetRecord(record.Id, row);
    return;
  }
  if (!e) {
    log_.emplace_back(record.Id, ChangeKind::Delete, row, record.Values);
    e = &log_.back();
  }
  e->Kind = ChangeKind::Delete;
  e->Row = row;
  e->NextLoaded = LoadedRecordFrom(row);
  e->DeletedAt = ++deletions_;
}

std::vector<Variant> TClientDataSet::RowOf(const std::vector<Variant>& values) const {
  std::vector<Variant> row;
  row.reserve(FieldCount());
  for (TField* f : Fields()) row.push_back(values[SlotOf(f)]);
  return row;
}

DeltaPacket TClientDataSet::DeltaAsPacket() const {
  DeltaPacket delta;
  delta.Fields = FieldDefsOfFields();
  delta.Changes.reserve(log_.size());
  for (const LogEntry& e : log_) {
    DeltaRow row;
    row.Kind = e.Kind;
    if (e.Kind != ChangeKind::Insert) row.Old = RowOf(e.Original);
    if (e.Kind != ChangeKind::Delete) {
      int at = RowOfRecord(e.Id, e.Row);
      if (at < 0) continue;  // cannot happen: inserted and modified records are there
      e.Row = at;
      row.New = RowOf(Records()[at].Values);
    }
    delta.Changes.push_back(std::move(row));
  }
  return delta;
}

Variant TClientDataSet::Delta() const { return DeltaToVariant(DeltaAsPacket()); }

void TClientDataSet::MergeChangeLog() { log_.clear(); }

void TClientDataSet::RestoreLoadedRecords(std::vector<Record>& records, std::vector<LogEntry>& log) {
  std::unordered_map<uint64_t, LogEntry*> entries;
  std::vector<LogEntry*> deleted;
  for (LogEntry& e : log) {
    entries[e.Id] = &e;
    if (e.Kind == ChangeKind::Delete) deleted.push_back(&e);
  }
  // Inserted records go; modified ones take their loaded values back.
  std::erase_if(records, [&](Record& r) {
    auto it = entries.find(r.Id);
    if (it == entries.end()) return false;
    if (it->second->Kind == ChangeKind::Insert) return true;
    r.Values = std::move(it->second->Original);
    return false;
  });
  // Deleted ones come back, the last deleted first, each before the loaded
  // record that followed it (which is back by then, if it was deleted later).
  std::sort(deleted.begin(), deleted.end(), [](const LogEntry* a, const LogEntry* b) { return a->DeletedAt > b->DeletedAt; });
  for (LogEntry* d : deleted) {
    auto at = d->NextLoaded == 0 ? records.end()
                                 : std::find_if(records.begin(), records.end(),
                                                [&](const Record& r) { return r.Id == d->NextLoaded; });
    records.insert(at, Record{d->Id, std::move(d->Original)});
  }
}

void TClientDataSet::CancelUpdates() {
  Cancel();
  if (!Active()) return;
  std::vector<LogEntry> log = std::move(log_);
  log_.clear();
  ChangeRecords([&](std::vector<Record>& records) { RestoreLoadedRecords(records, log); });
}

Variant TClientDataSet::GetOldFieldValue(const TField* field) const {
  if (State() == dsInsert || CurrentRow() < 0 || field->Index() < 0) return Variant();
  const Record& current = Records()[CurrentRow()];
  if (const LogEntry* e = FindEntry(current.Id))
    return e->Kind == ChangeKind::Insert ? Variant() : e->Original[SlotOf(field)];  // null: inserted since the last merge
  return current.Values[SlotOf(field)];  // unchanged since the last load or merge
}

}  // namespace zor::plat
