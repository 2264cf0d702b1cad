// The data source: state tracking and fan-out of data events to its links.
#include "platform/data/data_source.h"

#include <algorithm>
#include <atomic>

#include "platform/data/data_link.h"

namespace zor::plat {

namespace {
std::atomic<uint64_t> g_next_serial{1};
}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner), serial_(g_next_serial++) {}

TDataSource::~TDataSource() {
  if (data_set_) data_set_->RemoveDataSource(this);
  data_set_ = nullptr;
  auto links = links_;
  links_.clear();
  for (TDataLink* l : links) {
    l->data_source_ = nullptr;
    l->UpdateState();
  }
}

void TDataSource::SetDataSet(TDataSet* ds) {
  if (ds == data_set_) return;
  if (data_set_) data_set_->RemoveDataSource(this);
  data_set_ = ds;
  if (data_set_) data_set_->AddDataSource(this);
  UpdateState();
}

void TDataSource::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  UpdateState();
}

void TDataSource::Edit() {
  if (auto_edit_ && state_ == dsBrowse && data_set_) data_set_->Edit();
}

void TDataSource::DataSetDestroyed() {
  data_set_ = nullptr;
  UpdateState(false);
}

void TDataSource::AddDataLink(TDataLink* link) {
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TDataSource::RemoveDataLink(TDataLink* link) { std::erase(links_, link); }

void TDataSource::UpdateState(bool fireEvent) {
  TDataSetState s = (enabled_ && data_set_) ? data_set_->State() : dsInactive;
  if (s == state_) return;
  TDataEventInfo info;
  info.PriorState = state_;
  state_ = s;
  NotifyLinks(deUpdateState, info);
  if (fireEvent) Fire(OnStateChange, this);
}

void TDataSource::NotifyLinks(TDataEvent event, const TDataEventInfo& info) {
  auto links = links_;
  for (TDataLink* l : links) {
    if (std::find(links_.begin(), links_.end(), l) == links_.end()) continue;  // removed meanwhile
    if (event == deFocusControl && info.FocusField && !*info.FocusField) break;  // focus already taken
    l->DataEvent(event, info);
  }
}

void TDataSource::DataEvent(TDataEvent event, const TDataEventInfo& info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive) return;
  NotifyLinks(event, info);
  switch (event) {
    case deFieldChange:
    case deRecordChange:
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange) OnDataChange(this, event == deFieldChange ? info.Field : nullptr);
      break;
    case deUpdateRecord: Fire(OnUpdateData, this); break;
    default: break;
  }
}

}  // namespace zor::plat
