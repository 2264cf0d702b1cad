// Data links: how a data-aware control (an edit, a grid, a navigator, the
// desktop renderer) hears its data source. A control owns a link, points it
// at a data source and overrides the virtual methods (or, for one field,
// uses TFieldDataLink and its events).
//
// What a link hears, and when:
//   ActiveChanged        the dataset opened or closed (or the link moved to
//                        another data source)
//   EditingChanged       edit or insert began or ended
//   RecordChanged(f)     field f of the current record changed; null: the
//                        whole record (edit began, a cancel, a post)
//   DataSetChanged       anything may have changed (records, position)
//   DataSetScrolled(n)   the cursor moved n records
//   LayoutChanged        the field list changed
//   UpdateData           write the control's pending text into the field now
//                        (before a post or when the control is left)
//   CheckBrowseMode      a post or cancel is about to run
//   FocusControl(f)      the control showing f should take the focus; set f
//                        to null once taken
// By default DataSetScrolled and LayoutChanged call DataSetChanged, which calls
// RecordChanged(nullptr). While a link writes its own control's text
// (UpdateData), it does not hear the field change it causes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/data/data_set.h"

namespace zor::plat {

class TDataSource;

class TDataLink : public TObject {
 public:
  TDataLink() = default;
  ~TDataLink() override;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return data_source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  // The data source has an open dataset.
  bool Active() const { return active_; }
  // The dataset is in edit or insert and the link is not read-only.
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  // Puts a browsing dataset into edit (when the data source's AutoEdit
  // allows); returns whether the link is editing now.
  bool Edit();
  // Asks this link (only) to write its control's text now.
  void UpdateRecord();

  // --- for data sources (the platform's own use)
  void DataEvent(TDataEvent event, const TDataEventInfo& info);
  void UpdateState();

 protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void RecordChanged(TField*) {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int) { DataSetChanged(); }
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void UpdateData() {}
  virtual void CheckBrowseMode() {}
  virtual void FocusControl(TField*&) {}

 private:
  friend class TDataSource;
  TDataSource* data_source_ = nullptr;
  bool active_ = false;
  bool editing_ = false;
  bool read_only_ = false;
  bool updating_ = false;
};

// The link of a control that shows and edits one field.
//
// The control: sets FieldName; shows Field()->DisplayText() (or Text() while
// it has the focus) when OnDataChange fires; on a keystroke calls Edit() and,
// when that returns true, Modified(); writes Field()->SetText(its text) in
// OnUpdateData, which runs before a post and whenever UpdateRecord is called
// (the control calls it when it is left) but only after Modified(); answers
// OnFocusControl by taking the focus.
class TFieldDataLink : public TDataLink {
 public:
  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(std::string_view name);
  // The field of that name in the open dataset; null when closed or absent.
  TField* Field() const { return field_; }
  // The control this link serves, for the control's own use.
  TComponent* Control() const { return control_; }
  void SetControl(TComponent* c) { control_ = c; }
  // Field present, writable, and the link not read-only.
  bool CanModify() const;
  bool Edit();
  // The control's text differs from the field's: write it at the next UpdateData.
  void Modified() { modified_ = true; }
  bool IsModified() const { return modified_; }
  // Drops the control's pending text and shows the field again.
  void Reset() { RecordChanged(nullptr); }
  // A choice made in the control (a click, a selection) goes into the field
  // at once. A value the field refuses is dropped, the control shows again
  // what the field keeps, and the refusal goes on.
  void WriteChoice();

  TNotifyEvent OnDataChange;     // show the field again
  TNotifyEvent OnEditingChange;  // editing began or ended
  TNotifyEvent OnUpdateData;     // write the text into the field
  TNotifyEvent OnActiveChange;   // dataset opened or closed
  // Take the focus (the field asked for it).
  TNotifyEvent OnFocusControl;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* field) override;
  void LayoutChanged() override;
  void UpdateData() override;
  void FocusControl(TField*& field) override;

 private:
  void UpdateField();
  std::string field_name_;
  TField* field_ = nullptr;
  TComponent* control_ = nullptr;
  bool modified_ = false;
};

}  // namespace zor::plat
