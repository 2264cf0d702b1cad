// The data source: the one point where data-aware controls meet a dataset.
// It follows the dataset's state (inactive while disabled), passes every
// data event on to its data links in the order they were attached, and
// offers the screen's handlers the state-change, data-change and
// update-data events.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/data/data_set.h"

namespace zor::plat {

class TDataLink;

// field: the field that changed, null when the record or the dataset as a whole did.
using TDataChangeEvent = std::function<void(TObject* sender, TField* field)>;

class TDataSource : public TComponent {
 public:
  explicit TDataSource(TComponent* owner = nullptr);
  ~TDataSource() override;

  TDataSet* DataSet() const { return data_set_; }
  void SetDataSet(TDataSet* ds);
  // The dataset's state, or dsInactive with no dataset or while disabled.
  TDataSetState State() const { return state_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  // When set (the default), typing into a control of a browsing dataset puts it into edit.
  bool AutoEdit() const { return auto_edit_; }
  void SetAutoEdit(bool v) { auto_edit_ = v; }
  // Edit when AutoEdit and browsing.
  void Edit();
  bool IsLinkedTo(const TDataSet* ds) const { return data_set_ && data_set_ == ds; }

  int DataLinkCount() const { return static_cast<int>(links_.size()); }

  // Fired after the links heard the new state.
  TNotifyEvent OnStateChange;
  // A field, the record or the dataset changed, or the cursor moved.
  TDataChangeEvent OnDataChange;
  // The dataset asks for the controls' pending text (before a post).
  TNotifyEvent OnUpdateData;

  // --- for datasets and links (the platform's own use)
  uint64_t Serial() const { return serial_; }
  void DataEvent(TDataEvent event, const TDataEventInfo& info);
  void DataSetDestroyed();
  void AddDataLink(TDataLink* link);
  void RemoveDataLink(TDataLink* link);

 private:
  void UpdateState(bool fireEvent = true);
  void NotifyLinks(TDataEvent event, const TDataEventInfo& info);

  TDataSet* data_set_ = nullptr;
  TDataSetState state_ = dsInactive;
  bool enabled_ = true;
  bool auto_edit_ = true;
  uint64_t serial_;
  std::vector<TDataLink*> links_;
};

}  // namespace zor::plat
