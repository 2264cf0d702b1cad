// The dataset's records, cursor, state machine, events and notifications.
#include "platform/data/data_set.h"

#include <algorithm>

#include "platform/core/cleanup.h"
#include "platform/core/platform_texts.h"
#include "platform/core/sysutils.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"

namespace zor::plat {

namespace {

std::vector<std::string> SplitNames(std::string_view names) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= names.size()) {
    size_t semi = names.find(';', start);
    if (semi == std::string_view::npos) semi = names.size();
    std::string name = Trim(names.substr(start, semi - start));
    if (!name.empty()) out.push_back(name);
    start = semi + 1;
  }
  return out;
}
}  // namespace

TField* TFields::FindField(std::string_view name) const {
  for (TField* f : list_)
    if (SameText(f->FieldName(), name)) return f;
  return nullptr;
}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() {
  destroying_ = true;
  // No user event runs while the dataset goes away: the form that owns the
  // handlers may be half destroyed already.
  state_ = dsInactive;
  records_.clear();
  auto sources = sources_;
  sources_.clear();
  for (TDataSource* s : sources) s->DataSetDestroyed();
  for (TField* f : fields_.list_) {
    f->data_set_ = nullptr;
    f->slot_ = -1;
  }
  fields_.list_.clear();
  // Default fields are owned components: TComponent's destructor frees them.
}

std::string TDataSet::DisplayName() const { return Name().empty() ? PlatformText("data.unnamed") : Name(); }

// ---------------------------------------------------------------- fields

TField* TDataSet::FieldByName(std::string_view name) const {
  TField* f = fields_.FindField(name);
  if (!f) throw EDatabaseError(PlatformText("data.field_not_found", {name}));
  return f;
}

void TDataSet::AddField(TField* field) {
  if (Active())
    throw EDatabaseError(PlatformText("data.field_added_while_open", {field->FieldName(), DisplayName()}));
  if (default_fields_) DestroyDefaultFields();
  if (TField* other = fields_.FindField(field->FieldName()); other && other != field && !field->FieldName().empty())
    throw EDatabaseError(PlatformText("data.field_twice", {field->FieldName(), DisplayName()}));
  fields_.list_.push_back(field);
}

void TDataSet::RemoveField(TField* field) {
  // The records keep the field's column; the others keep their slots.
  std::erase(fields_.list_, field);
  field->data_set_ = nullptr;
  field->slot_ = -1;
}

void TDataSet::DestroyDefaultFields() {
  auto list = fields_.list_;
  fields_.list_.clear();
  default_fields_ = false;
  for (TField* f : list) {
    f->data_set_ = nullptr;
    if (f->Owner() == this) delete f;
  }
}

std::vector<FieldDef> TDataSet::FieldDefsOfFields() const {
  std::vector<FieldDef> defs;
  for (TField* f : fields_) defs.push_back(f->Def());
  return defs;
}

void TDataSet::BindFields(const std::vector<FieldDef>& defs, std::vector<int>& columnOfField) {
  columnOfField.clear();
  bool persistent = !fields_.list_.empty() && !default_fields_;
  if (!persistent) {
    bool same = default_fields_ && fields_.list_.size() == defs.size();
    for (size_t i = 0; same && i < defs.size(); ++i) same = fields_.list_[i]->Def() == defs[i];
    if (!same) {
      if (default_fields_) DestroyDefaultFields();
      for (const FieldDef& d : defs) {
        TField* f = CreateField(this, d);
        f->data_set_ = this;
        fields_.list_.push_back(f);
      }
      default_fields_ = true;
    }
  }
  for (TField* f : fields_) {
    int col = -1;
    for (size_t c = 0; c < defs.size(); ++c)
      if (SameText(defs[c].Name, f->FieldName())) {
        col = static_cast<int>(c);
        break;
      }
    if (col < 0)
      throw EDatabaseError(PlatformText("data.packet_field_missing", {f->FieldName(), DisplayName()}));
    columnOfField.push_back(col);
  }
  for (size_t i = 0; i < fields_.list_.size(); ++i) fields_.list_[i]->slot_ = static_cast<int>(i);
}

namespace {
// A packet's value as the field's own type, moved when it already is one.
// Text fields hold no empty strings: empty is null (see TStringField).
// `own`: the field's own variant type, worked out once per load.
void TakeAsFieldType(Variant& value, VarType own, const TField* f) {
  const VarType type = value.Type();
  if (type == VarType::Null) return;
  if (type != own) value = ToFieldType(value, f->DataType(), f->FieldName());
  if (value.Type() == VarType::String && value.TextView().empty()) value = Variant();
}
}  // namespace

void TDataSet::LoadPacket(DataPacket packet) {
  std::vector<int> cols;
  BindFields(packet.Fields, cols);
  // Columns in the fields' order, none extra: every row becomes a record as it is.
  bool sameLayout = cols.size() == packet.Fields.size();
  for (size_t i = 0; sameLayout && i < cols.size(); ++i) sameLayout = cols[i] == static_cast<int>(i);
  // A column two fields read (unnamed fields) is copied, never moved twice.
  std::vector<int> readers(packet.Fields.size());
  for (int c : cols) ++readers[c];
  std::vector<VarType> own(cols.size());
  for (size_t i = 0; i < cols.size(); ++i) own[i] = NativeType(fields_.list_[i]->DataType());
  std::vector<Record> records;
  records.reserve(packet.Rows.size());
  for (auto& row : packet.Rows) {
    if (row.size() != packet.Fields.size())
      throw EDatabaseError(PlatformText("data.packet_row_width",
                                        {std::to_string(row.size()), std::to_string(packet.Fields.size())}));
    Record r{next_id_++, {}};
    if (sameLayout) {
      r.Values = std::move(row);
    } else {
      r.Values.reserve(cols.size());
      for (int c : cols) r.Values.push_back(readers[c] > 1 ? row[c] : std::move(row[c]));
    }
    for (size_t i = 0; i < cols.size(); ++i) TakeAsFieldType(r.Values[i], own[i], fields_.list_[i]);
    records.push_back(std::move(r));
  }
  records_ = std::move(records);
}

void TDataSet::LoadEmpty(const std::vector<FieldDef>& defs) {
  if (fields_.list_.empty() || default_fields_) {
    std::vector<int> cols;
    BindFields(defs, cols);
  } else {
    for (size_t i = 0; i < fields_.list_.size(); ++i) fields_.list_[i]->slot_ = static_cast<int>(i);
  }
  records_.clear();
}

DataPacket TDataSet::CurrentPacket() const {
  DataPacket p;
  p.Fields = FieldDefsOfFields();
  p.Rows.reserve(records_.size());
  for (int i = 0; i < static_cast<int>(records_.size()); ++i) {
    if (state_ == dsInsert && i == cur_) continue;  // not posted yet
    const Record& r = records_[i];
    std::vector<Variant> row;
    row.reserve(fields_.list_.size());
    for (TField* f : fields_) row.push_back(r.Values[f->slot_]);
    p.Rows.push_back(std::move(row));
  }
  return p;
}

// ---------------------------------------------------------------- values

Variant TDataSet::GetFieldValue(const TField* field) const {
  if (field->slot_ < 0 || state_ == dsInactive) return Variant();
  int row = peek_ >= 0 ? peek_ : cur_;
  if (row < 0 || row >= static_cast<int>(records_.size())) return Variant();
  if (row == cur_ && Editing()) return edit_[field->slot_];
  return records_[row].Values[field->slot_];
}

Variant TDataSet::GetOldFieldValue(const TField* field) const {
  if (state_ == dsInsert) return Variant();
  if (state_ == dsEdit && cur_ >= 0 && field->slot_ >= 0) return records_[cur_].Values[field->slot_];
  return GetFieldValue(field);
}

Variant TDataSet::ValueAt(int row, const TField* field) const {
  if (field->slot_ < 0 || row < 0 || row >= static_cast<int>(records_.size())) return Variant();
  if (row == cur_ && Editing()) return edit_[field->slot_];
  return records_[row].Values[field->slot_];
}

std::string TDataSet::DisplayTextAt(int row, TField* field) {
  if (row == cur_ || row < 0 || row >= static_cast<int>(records_.size())) return field->DisplayText();
  Restore<int> peek(peek_, row);
  return field->DisplayText();
}

void TDataSet::SetFieldValue(TField* field, const Variant& native) {
  if (peek_ >= 0 && peek_ != cur_)
    throw EDatabaseError(PlatformText("data.field_current_record_only", {field->FieldName()}));
  if (!Editing())
    throw EDatabaseError(PlatformText("data.not_editing"));
  if (field->ReadOnly()) throw EDatabaseError(PlatformText("data.field_read_only", {field->DisplayLabel()}));
  if (field->slot_ < 0) throw EDatabaseError(PlatformText("data.field_unbound", {field->FieldName()}));
  size_t slot = static_cast<size_t>(field->slot_);
  Variant old = edit_[slot];
  edit_[slot] = native;
  if (field->OnValidate) {
    try {
      field->OnValidate(field);
    } catch (...) {
      // The handler may have left the dataset; put the value back only where it still lives.
      if (Editing() && slot < edit_.size()) edit_[slot] = old;
      throw;
    }
  }
  modified_ = true;
  if (field->OnChange) field->OnChange(field);
  TDataEventInfo info;
  info.Field = field;
  DataEvent(deFieldChange, info);
}

// ---------------------------------------------------------------- notifications

void TDataSet::AddDataSource(TDataSource* source) {
  if (std::find(sources_.begin(), sources_.end(), source) != sources_.end()) return;
  // Notified in creation order, whatever the order they were attached in.
  auto at = std::find_if(sources_.begin(), sources_.end(),
                         [&](TDataSource* s) { return s->Serial() > source->Serial(); });
  sources_.insert(at, source);
}

void TDataSet::RemoveDataSource(TDataSource* source) { std::erase(sources_, source); }

void TDataSet::DataEvent(TDataEvent event, const TDataEventInfo& info) {
  if (destroying_) return;
  if (disable_count_ > 0) {
    if ((event == deUpdateState && state_ == dsInactive) || event == deLayoutChange) enable_event_ = deLayoutChange;
    return;
  }
  auto sources = sources_;
  for (TDataSource* s : sources)
    if (std::find(sources_.begin(), sources_.end(), s) != sources_.end()) s->DataEvent(event, info);
  switch (event) {
    case deUpdateState: Changes.Notify(this, TDataChange{TDataChangeKind::State, nullptr, info.PriorState}); break;
    case deDataSetScroll: Changes.Notify(this, TDataChange{TDataChangeKind::Scroll}); break;
    case deRecordChange: Changes.Notify(this, TDataChange{TDataChangeKind::Record}); break;
    case deFieldChange: Changes.Notify(this, TDataChange{TDataChangeKind::Field, info.Field}); break;
    case deDataSetChange:
    case deLayoutChange: Changes.Notify(this, TDataChange{TDataChangeKind::DataSet}); break;
    default: break;
  }
}

void TDataSet::DisableControls() {
  if (disable_count_ == 0) {
    disable_state_ = state_;
    enable_event_ = deDataSetChange;
  }
  ++disable_count_;
}

void TDataSet::EnableControls() {
  if (disable_count_ == 0) return;
  if (--disable_count_ > 0) return;
  if (disable_state_ != state_) {
    TDataEventInfo info;
    info.PriorState = disable_state_;
    DataEvent(deUpdateState, info);
  }
  if (disable_state_ != dsInactive && state_ != dsInactive) DataEvent(enable_event_);
}

void TDataSet::SetState(TDataSetState state) {
  if (state == state_) return;
  TDataEventInfo info;
  info.PriorState = state_;
  state_ = state;
  modified_ = false;
  DataEvent(deUpdateState, info);
}

// ---------------------------------------------------------------- open / close

void TDataSet::CheckActive() const {
  if (!Active())
    throw EDatabaseError(PlatformText("data.closed", {DisplayName()}));
}

void TDataSet::CheckEditing() const {
  CheckActive();
  if (!Editing())
    throw EDatabaseError(PlatformText("data.not_editing"));
}

void TDataSet::CheckCanModify() const {
  if (!CanModify())
    throw EDatabaseError(PlatformText("data.read_only", {DisplayName()}));
}

void TDataSet::Open() {
  if (Active()) return;
  Fire(BeforeOpen);
  try {
    InternalOpen();
  } catch (...) {
    records_.clear();
    throw;
  }
  DataLoaded();
  cur_ = records_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = records_.empty();
  edit_.clear();
  SetState(dsBrowse);
  // Links heard the state change; observers are told plainly that all data is new.
  if (disable_count_ == 0) Changes.Notify(this, TDataChange{TDataChangeKind::DataSet});
  Fire(AfterOpen);
  if (!IsEmpty()) Fire(AfterScroll);
}

void TDataSet::Close() {
  if (!Active()) return;
  Fire(BeforeClose);
  // A pending edit or insert is dropped without its cancel events.
  edit_.clear();
  records_.clear();
  cur_ = -1;
  bof_ = eof_ = true;
  InternalClose();
  SetState(dsInactive);
  Fire(AfterClose);
}

// ---------------------------------------------------------------- navigation

int TDataSet::RecordCount() const {
  int n = static_cast<int>(records_.size());
  return state_ == dsInsert ? n - 1 : n;
}

void TDataSet::Scrolled(int oldRow) {
  TDataEventInfo info;
  info.Distance = cur_ - oldRow;
  DataEvent(deDataSetScroll, info);
  Fire(AfterScroll);
}

void TDataSet::First() { JumpToEnd(false); }

void TDataSet::Last() { JumpToEnd(true); }

void TDataSet::JumpToEnd(bool last) {
  CheckActive();
  CheckBrowseMode();
  if (records_.empty()) {
    bof_ = eof_ = true;
    return;
  }
  Fire(BeforeScroll);
  cur_ = last ? static_cast<int>(records_.size()) - 1 : 0;
  bof_ = !last;
  eof_ = last;
  DataEvent(deDataSetChange);
  Fire(AfterScroll);
}

int TDataSet::MoveBy(int distance) {
  CheckActive();
  CheckBrowseMode();
  if (distance == 0 || records_.empty()) return 0;
  if ((distance > 0 && eof_) || (distance < 0 && bof_)) return 0;
  int last = static_cast<int>(records_.size()) - 1;
  int target = std::clamp(cur_ + distance, 0, last);
  bool hitEnd = cur_ + distance > last, hitStart = cur_ + distance < 0;
  if (target == cur_) {
    eof_ = hitEnd;
    bof_ = hitStart;
    return 0;
  }
  Fire(BeforeScroll);
  int old = cur_;
  cur_ = target;
  eof_ = hitEnd;
  bof_ = hitStart;
  Scrolled(old);
  return cur_ - old;
}

void TDataSet::SetRecNo(int recNo) {
  CheckActive();
  CheckBrowseMode();
  if (records_.empty()) return;
  int target = std::clamp(recNo, 1, static_cast<int>(records_.size())) - 1;
  if (target == cur_) return;
  Fire(BeforeScroll);
  int old = cur_;
  cur_ = target;
  bof_ = eof_ = false;
  Scrolled(old);
}

bool TDataSet::MatchesAt(int row, const std::vector<TField*>& fields, const std::vector<Variant>& keys,
                         TLocateOptions options) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    const Variant& value = records_[row].Values[fields[i]->slot_];
    const Variant& key = keys[i];
    if (key.IsNull() || (key.Type() == VarType::String && key.AsString().empty() &&
                         fields[i]->DataType() == FieldType::String)) {
      if (!value.IsNull()) return false;
      continue;
    }
    if (value.IsNull()) return false;
    if (fields[i]->DataType() == FieldType::String) {
      std::string v = value.AsString(), k = key.AsString();
      if (options.Contains(loCaseInsensitive)) {
        v = AnsiUpperCase(v);
        k = AnsiUpperCase(k);
      }
      if (options.Contains(loPartialKey) ? v.compare(0, k.size(), k) != 0 : v != k) return false;
    } else {
      Variant native;
      try {
        native = ToFieldType(key, fields[i]->DataType(), fields[i]->FieldName());
      } catch (const EDatabaseError&) {
        return false;
      }
      if (!(native == value)) return false;
    }
  }
  return true;
}

bool TDataSet::Locate(std::string_view keyFields, const Variant& keyValues, TLocateOptions options) {
  CheckActive();
  CheckBrowseMode();
  std::vector<TField*> fields;
  for (const std::string& n : SplitNames(keyFields)) fields.push_back(FieldByName(n));
  if (fields.empty()) throw EDatabaseError(PlatformText("data.locate_without_fields"));
  std::vector<Variant> keys;
  if (fields.size() == 1 && !keyValues.IsArray()) {
    keys.push_back(keyValues);
  } else {
    if (!keyValues.IsArray() || keyValues.Length() != fields.size())
      throw EDatabaseError(PlatformText("data.locate_values"));
    keys = keyValues.AsArray();
  }
  for (int row = 0; row < static_cast<int>(records_.size()); ++row) {
    if (!MatchesAt(row, fields, keys, options)) continue;
    Fire(BeforeScroll);
    cur_ = row;
    bof_ = eof_ = false;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- editing

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (!Editing()) return;
  UpdateRecord();
  if (modified_)
    Post();
  else
    Cancel();
}

void TDataSet::UpdateRecord() {
  CheckEditing();
  DataEvent(deUpdateRecord);
}

void TDataSet::BeginInsert(bool append) {
  CheckActive();
  CheckBrowseMode();
  CheckCanModify();
  Fire(BeforeInsert);
  Fire(BeforeScroll);
  insert_prior_ = cur_;
  int pos = append || cur_ < 0 ? static_cast<int>(records_.size()) : cur_;
  std::vector<Variant> empty(fields_.list_.size());
  records_.insert(records_.begin() + pos, Record{next_id_++, empty});
  cur_ = pos;
  edit_ = std::move(empty);
  bof_ = eof_ = false;
  SetState(dsInsert);
  try {
    Fire(OnNewRecord);
  } catch (...) {
    // The record never existed: leave as if Insert had not been called.
    if (state_ == dsInsert) {
      records_.erase(records_.begin() + cur_);
      cur_ = records_.empty() ? -1 : std::clamp(insert_prior_, 0, static_cast<int>(records_.size()) - 1);
      edit_.clear();
      SetState(dsBrowse);
      DataEvent(deDataSetChange);
    }
    throw;
  }
  modified_ = false;
  DataEvent(deDataSetChange);
  Fire(AfterInsert);
  Fire(AfterScroll);
}

void TDataSet::Insert() { BeginInsert(false); }

void TDataSet::Append() { BeginInsert(true); }

void TDataSet::Edit() {
  if (Editing()) return;
  CheckActive();
  if (records_.empty()) {
    Insert();
    return;
  }
  CheckCanModify();
  Fire(BeforeEdit);
  RunOperation([this] { edit_ = records_[cur_].Values; }, OnEditError);
  SetState(dsEdit);
  DataEvent(deRecordChange);
  Fire(AfterEdit);
}

void TDataSet::RunOperation(const std::function<void()>& op, const TDataSetErrorEvent& onError) {
  for (;;) {
    try {
      op();
      return;
    } catch (EDatabaseError& e) {
      if (!onError) throw;
      TDataAction action = daFail;
      onError(this, e, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

void TDataSet::InternalPost() {
  for (TField* f : fields_)
    if (f->Required() && !f->ReadOnly() && edit_[f->slot_].IsNull()) {
      f->FocusControl();
      throw EDatabaseError(PlatformText("data.field_required", {f->DisplayLabel()}));
    }
  bool inserted = state_ == dsInsert;
  std::vector<Variant> previous = records_[cur_].Values;
  records_[cur_].Values = edit_;
  try {
    RecordPosted(records_[cur_], inserted, inserted ? std::vector<Variant>() : previous);
  } catch (...) {
    // A subclass refused the post (a write-through dataset): the record stays as it was.
    records_[cur_].Values = std::move(previous);
    throw;
  }
}

void TDataSet::Post() {
  CheckEditing();
  UpdateRecord();
  if (!Editing()) return;  // a control's handler ended the edit
  DataEvent(deCheckBrowseMode);
  Fire(BeforePost);
  // A handler may have posted or cancelled already.
  if (!Editing()) return;
  RunOperation([this] { InternalPost(); }, OnPostError);
  edit_.clear();
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterPost);
}

void TDataSet::Cancel() {
  if (!Editing()) return;
  DataEvent(deCheckBrowseMode);
  Fire(BeforeCancel);
  if (!Editing()) return;
  bool wasInsert = state_ == dsInsert;
  if (wasInsert) {
    Fire(BeforeScroll);
    if (state_ != dsInsert) return;
    records_.erase(records_.begin() + cur_);
    cur_ = records_.empty() ? -1 : std::clamp(insert_prior_, 0, static_cast<int>(records_.size()) - 1);
    bof_ = cur_ <= 0;
    eof_ = records_.empty();
  }
  edit_.clear();
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterCancel);
  if (wasInsert) Fire(AfterScroll);
}

void TDataSet::InternalDelete() {
  Record r = std::move(records_[cur_]);
  int at = cur_;
  records_.erase(records_.begin() + at);
  if (cur_ >= static_cast<int>(records_.size())) cur_ = static_cast<int>(records_.size()) - 1;
  try {
    RecordDeleted(r, at);
  } catch (...) {
    records_.insert(records_.begin() + at, std::move(r));
    cur_ = at;
    throw;
  }
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert) {
    Cancel();
    return;
  }
  if (records_.empty())
    throw EDatabaseError(PlatformText("data.delete_empty", {DisplayName()}));
  CheckCanModify();
  DataEvent(deCheckBrowseMode);
  Fire(BeforeDelete);
  Fire(BeforeScroll);
  if (records_.empty() || state_ == dsInsert) return;
  RunOperation([this] { InternalDelete(); }, OnDeleteError);
  edit_.clear();
  bof_ = cur_ <= 0;
  eof_ = records_.empty();
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterDelete);
  Fire(AfterScroll);
}

int TDataSet::RowOfRecord(uint64_t id, int hint) const {
  const int n = static_cast<int>(records_.size());
  hint = std::clamp(hint, 0, std::max(n - 1, 0));
  for (int d = 0; hint - d >= 0 || hint + d < n; ++d) {
    if (hint + d < n && records_[hint + d].Id == id) return hint + d;
    if (d > 0 && hint - d >= 0 && records_[hint - d].Id == id) return hint - d;
  }
  return -1;
}

void TDataSet::ReplaceRecords(std::vector<Record> records) {
  ChangeRecords([&](std::vector<Record>& r) { r = std::move(records); });
}

void TDataSet::ChangeRecords(const std::function<void(std::vector<Record>&)>& change) {
  uint64_t id = cur_ >= 0 && cur_ < static_cast<int>(records_.size()) ? records_[cur_].Id : 0;
  int old = cur_;
  change(records_);
  cur_ = -1;
  for (size_t i = 0; i < records_.size(); ++i)
    if (records_[i].Id == id) cur_ = static_cast<int>(i);
  if (cur_ < 0 && !records_.empty()) cur_ = std::clamp(old, 0, static_cast<int>(records_.size()) - 1);
  bof_ = cur_ <= 0;
  eof_ = records_.empty();
  DataEvent(deDataSetChange);
}

}  // namespace zor::plat
