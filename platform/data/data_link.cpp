// Data links: the dispatch of data events to the virtual methods, and the
// single-field link with its events.
#include "platform/data/data_link.h"

#include "platform/core/cleanup.h"
#include "platform/data/data_source.h"

namespace zor::plat {

TDataLink::~TDataLink() {
  if (data_source_) data_source_->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == data_source_) return;
  if (data_source_) data_source_->RemoveDataLink(this);
  data_source_ = source;
  if (data_source_) data_source_->AddDataLink(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return data_source_ ? data_source_->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool v) {
  if (v == read_only_) return;
  read_only_ = v;
  UpdateState();
}

bool TDataLink::Edit() {
  if (!read_only_ && data_source_) data_source_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  Restore<bool> updating(updating_, true);
  UpdateData();
}

void TDataLink::UpdateState() {
  TDataSetState s = data_source_ ? data_source_->State() : dsInactive;
  bool active = s != dsInactive;
  if (active != active_) {
    active_ = active;
    ActiveChanged();
  }
  bool editing = (s == dsEdit || s == dsInsert) && !read_only_;
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

void TDataLink::DataEvent(TDataEvent event, const TDataEventInfo& info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!active_) return;
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (!updating_) RecordChanged(event == deFieldChange ? info.Field : nullptr);
      break;
    case deDataSetChange: DataSetChanged(); break;
    case deDataSetScroll: DataSetScrolled(info.Distance); break;
    case deLayoutChange: LayoutChanged(); break;
    case deUpdateRecord: UpdateRecord(); break;
    case deCheckBrowseMode: CheckBrowseMode(); break;
    case deFocusControl:
      if (info.FocusField) FocusControl(*info.FocusField);
      break;
    default: break;
  }
}

// ---------------------------------------------------------------- TFieldDataLink

void TFieldDataLink::SetFieldName(std::string_view name) {
  if (name == field_name_) return;
  field_name_ = std::string(name);
  UpdateField();
}

void TFieldDataLink::UpdateField() {
  TField* f = nullptr;
  if (Active() && !field_name_.empty() && DataSet()) f = DataSet()->FindField(field_name_);
  if (f != field_) {
    field_ = f;
    RecordChanged(nullptr);
  }
}

bool TFieldDataLink::CanModify() const { return !ReadOnly() && field_ && field_->CanModify(); }

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return Editing();
}

void TFieldDataLink::WriteChoice() {
  Modified();
  try {
    UpdateRecord();
  } catch (...) {
    Reset();
    throw;
  }
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  Fire(OnActiveChange, this);
}

void TFieldDataLink::EditingChanged() {
  // Typing pending in the control belongs to the edit that just began or
  // ended: a cancelled or posted record must not take it afterwards (a
  // control left while the state change is being handled would write it
  // into a record no longer being edited).
  modified_ = false;
  Fire(OnEditingChange, this);
}

void TFieldDataLink::RecordChanged(TField* field) {
  if (field == nullptr || field == field_) {
    modified_ = false;
    Fire(OnDataChange, this);
  }
}

void TFieldDataLink::LayoutChanged() {
  UpdateField();
  RecordChanged(nullptr);
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_) Fire(OnUpdateData, this);
  modified_ = false;
}

void TFieldDataLink::FocusControl(TField*& field) {
  if (field && field == field_ && OnFocusControl) {
    field = nullptr;
    OnFocusControl(this);
  }
}

}  // namespace zor::plat
