// The dataset: an ordered set of records with a cursor, a state machine
// (inactive, browse, edit, insert), the fields that read and write the
// current record, the Before/After events of every operation and the
// notifications that keep data sources, data links and renderers in step.
//
// TDataSet keeps the records itself and leaves to subclasses where they come
// from (InternalOpen) and what happens to a posted or deleted record
// (RecordPosted, RecordDeleted): TClientDataSet adds the change log; a query
// component fills it from a database cursor.
//
// Order of events, which the screens rely on:
//   Open    BeforeOpen, (state browse), AfterOpen, AfterScroll when not empty
//   Close   BeforeClose, (state inactive), AfterClose
//   Insert  (post or cancel a pending edit), BeforeInsert, BeforeScroll,
//           (state insert), OnNewRecord, AfterInsert, AfterScroll
//   Edit    BeforeEdit, (state edit), AfterEdit; on an empty dataset Edit inserts
//   Post    UpdateRecord (links write their controls' text), BeforePost,
//           required check and the post itself (errors through OnPostError),
//           (state browse), AfterPost
//   Cancel  BeforeCancel, [BeforeScroll], (state browse), AfterCancel, [AfterScroll]
//           (the scroll events only when an insert is cancelled)
//   Delete  BeforeDelete, BeforeScroll, the delete (errors through
//           OnDeleteError), (state browse), AfterDelete, AfterScroll;
//           Delete while inserting cancels the insert
//   Moves   (post or cancel a pending edit), BeforeScroll, AfterScroll; a
//           move that cannot leave the record (Next on the last one) only
//           sets Eof/Bof and fires nothing; First, Last and a successful
//           Locate always fire
// A pending edit is posted by a move when a field was assigned since the
// edit began, and cancelled otherwise. An explicit Post always posts.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/exceptions.h"
#include "platform/core/observers.h"
#include "platform/core/variant.h"
#include "platform/data/data_packet.h"
#include "platform/data/field.h"

namespace zor::plat {

class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum TDataAction { daFail, daAbort, daRetry };

// What a dataset tells its data sources (and they their links).
enum TDataEvent {
  deFieldChange,      // one field of the current record changed (Info.Field)
  deRecordChange,     // the current record changed as a whole (edit began)
  deDataSetChange,    // records changed or the cursor jumped: show everything again
  deDataSetScroll,    // the cursor moved by Info.Distance records
  deLayoutChange,     // fields changed
  deUpdateRecord,     // write the controls' pending text into the fields
  deUpdateState,      // the state changed (Info.PriorState)
  deCheckBrowseMode,  // a post or cancel is about to run
  deFocusControl      // give the focus to the control of *Info.FocusField
};

struct TDataEventInfo {
  TField* Field = nullptr;
  int Distance = 0;
  TDataSetState PriorState = dsInactive;
  // deFocusControl: the link that takes the focus sets it to null, so only
  // one control answers.
  TField** FocusField = nullptr;
};

// What an observer hears (see TDataSet::Changes).
enum class TDataChangeKind {
  State,    // state changed; PriorState holds the old one
  Scroll,   // the cursor moved by some records (Next, Prior, MoveBy, RecNo);
            // jumps (First, Last, Locate) come as DataSet
  Record,   // the current record changed as a whole
  Field,    // one field of the current record changed
  DataSet,  // anything may have changed: redraw all (also after a load)
};

struct TDataChange {
  TDataChangeKind Kind;
  TField* Field = nullptr;
  TDataSetState PriorState = dsInactive;
};

enum TLocateOption { loCaseInsensitive, loPartialKey };

class TLocateOptions {
 public:
  TLocateOptions() = default;
  TLocateOptions(std::initializer_list<TLocateOption> options) {
    for (TLocateOption o : options) bits_ |= 1u << o;
  }
  bool Contains(TLocateOption o) const { return bits_ & (1u << o); }

 private:
  unsigned bits_ = 0;
};

using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;
// Runs when the post (or delete, or edit) itself fails with a database
// error. Action starts as daFail (raise the error, whose message the handler
// may reword with SetMessage); daAbort raises the silent abort instead;
// daRetry runs the operation again.
using TDataSetErrorEvent = std::function<void(TDataSet* dataSet, EDatabaseError& error, TDataAction& action)>;

// The field list of a dataset, in order.
class TFields {
 public:
  int Count() const { return static_cast<int>(list_.size()); }
  TField* operator[](int i) const { return list_.at(i); }
  TField* Fields(int i) const { return list_.at(i); }
  // By name without regard to case; null when absent.
  TField* FindField(std::string_view name) const;
  std::vector<TField*>::const_iterator begin() const { return list_.begin(); }
  std::vector<TField*>::const_iterator end() const { return list_.end(); }

 private:
  friend class TDataSet;
  std::vector<TField*> list_;
};

class TDataSet : public TComponent {
 public:
  explicit TDataSet(TComponent* owner = nullptr);
  ~TDataSet() override;

  // --- state
  TDataSetState State() const { return state_; }
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool active) { active ? Open() : Close(); }
  void Open();
  void Close();
  // Edit or insert.
  bool Editing() const { return state_ == dsEdit || state_ == dsInsert; }
  // A field was assigned since the edit or insert began.
  bool Modified() const { return modified_; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v; }
  virtual bool CanModify() const { return !read_only_; }

  // --- fields
  TFields& Fields() { return fields_; }
  const TFields& Fields() const { return fields_; }
  int FieldCount() const { return fields_.Count(); }
  TField* FindField(std::string_view name) const { return fields_.FindField(name); }
  // Raises EDatabaseError "Campo 'X' não encontrado." when absent.
  TField* FieldByName(std::string_view name) const;
  // True when the fields were made by the dataset from a packet.
  bool DefaultFields() const { return default_fields_; }

  // --- navigation
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Returns the number of records actually moved (negative backwards).
  int MoveBy(int distance);
  // 1-based position of the current record; 0 when there is none.
  int RecNo() const { return cur_ + 1; }
  void SetRecNo(int recNo);
  // Posted records (a record being inserted is not counted yet).
  int RecordCount() const;
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  // No record and none being inserted.
  bool IsEmpty() const { return RecordCount() == 0 && state_ != dsInsert; }
  // Moves to the first record whose fields (names separated by ';') hold the
  // values (one value, or an array with one per field). loCaseInsensitive and
  // loPartialKey (prefix) act on text; other types compare by value after
  // converting the key to the field's type. False, and no move, when none matches.
  bool Locate(std::string_view keyFields, const Variant& keyValues, TLocateOptions options = {});

  // --- editing
  void Insert();
  void Append();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  // Asks every data link to write its control's pending text into the fields.
  void UpdateRecord();
  // Posts a pending edit when modified, cancels it otherwise.
  void CheckBrowseMode();

  // --- notifications
  // While disabled, data sources and observers hear nothing; enabling again
  // sends one deDataSetChange (and the state change if any). Nested.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disable_count_ > 0; }

  // Every change a renderer needs to follow the dataset without polling, in
  // step with what the data sources hear.
  Observers<TDataSet*, const TDataChange&> Changes;

  // --- record access for renderers (grids)
  // Records held, the one being inserted included.
  int RowCount() const { return static_cast<int>(records_.size()); }
  // 0-based index of the current record in RowCount terms; -1 when none.
  int CurrentRow() const { return cur_; }
  // A field's value and display text in another record (0-based row);
  // OnGetText runs as if that record were current.
  Variant ValueAt(int row, const TField* field) const;
  std::string DisplayTextAt(int row, TField* field);
  // While a grid draws another record, every read (values, texts, the
  // get-text events) goes to that 0-based row; -1 reads the current record
  // again. Writes are refused meanwhile. The grid restores it before it
  // returns, also when a draw handler raises.
  int PeekRow() const { return peek_; }
  void SetPeekRow(int row) { peek_ = row; }

  // --- events
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord;
  TDataSetErrorEvent OnPostError, OnDeleteError, OnEditError;

  // --- for fields and data sources (the platform's own use)
  Variant GetFieldValue(const TField* field) const;
  void SetFieldValue(TField* field, const Variant& native);
  virtual Variant GetOldFieldValue(const TField* field) const;
  void DataEvent(TDataEvent event, const TDataEventInfo& info = {});
  void AddField(TField* field);
  void RemoveField(TField* field);
  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);

 protected:
  struct Record {
    uint64_t Id;
    std::vector<Variant> Values;  // one per field slot
  };

  // Fills the dataset: calls LoadPacket or LoadEmpty. Raising leaves it closed.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() {}
  // Runs after every successful InternalOpen, whoever overrides it.
  virtual void DataLoaded() {}
  // A record was posted (inserted: it is new; before: its values before the
  // edit, empty for an insert) or deleted; a cancelled insert is neither.
  // Raising refuses the operation: the record stays as it was and the error
  // goes through OnPostError or OnDeleteError.
  // The record is in Records() when posted; a deleted one was at `row`,
  // where the record that followed it now is.
  virtual void RecordPosted(const Record&, bool /*inserted*/, const std::vector<Variant>& /*before*/) {}
  virtual void RecordDeleted(const Record&, int /*row*/) {}

  // Binds the packet's columns to the fields and takes its rows, moving the
  // values out of it. With persistent fields each field takes the column of
  // its name (a field without one raises EDatabaseError naming it; extra
  // columns are ignored); without, default fields are made from the packet's columns.
  void LoadPacket(DataPacket packet);
  // Opens with no records over the persistent fields, or default fields made from defs.
  void LoadEmpty(const std::vector<FieldDef>& defs);
  // The posted records (the one being inserted left out), as a packet.
  DataPacket CurrentPacket() const;
  std::vector<FieldDef> FieldDefsOfFields() const;
  const std::vector<Record>& Records() const { return records_; }
  // The row of the record with this id, searched outwards from `hint`
  // (where it was last seen), so that a record that moved by a few inserts
  // or deletes is found in as many steps; -1 when it is not there.
  int RowOfRecord(uint64_t id, int hint) const;
  // Replaces all records (e.g. restoring a saved copy), keeping the cursor
  // on the same record when it is still there; tells everyone.
  void ReplaceRecords(std::vector<Record> records);
  // Changes the records in place (no edit or insert pending), then does
  // what ReplaceRecords does after the replacement.
  void ChangeRecords(const std::function<void(std::vector<Record>&)>& change);
  void CheckActive() const;
  // The dataset's name for messages ("sem nome" when it has none).
  std::string DisplayName() const;
  static size_t SlotOf(const TField* f) { return static_cast<size_t>(f->slot_); }

 private:
  void CheckEditing() const;
  void CheckCanModify() const;
  void BeginInsert(bool append);
  void InternalPost();
  void InternalDelete();
  void RunOperation(const std::function<void()>& op, const TDataSetErrorEvent& onError);
  void SetState(TDataSetState state);
  void Fire(const TDataSetNotifyEvent& event) { if (event) event(this); }
  void Scrolled(int oldRow);
  // First (false) or Last (true).
  void JumpToEnd(bool last);
  void BindFields(const std::vector<FieldDef>& defs, std::vector<int>& columnOfField);
  void DestroyDefaultFields();
  bool MatchesAt(int row, const std::vector<TField*>& fields, const std::vector<Variant>& keys,
                 TLocateOptions options) const;

  TFields fields_;
  bool default_fields_ = false;
  std::vector<TDataSource*> sources_;
  std::vector<Record> records_;
  std::vector<Variant> edit_;  // the current record's values while editing
  uint64_t next_id_ = 1;
  TDataSetState state_ = dsInactive;
  int cur_ = -1;
  int insert_prior_ = -1;  // current row before an insert, for its cancel
  int peek_ = -1;          // row read instead of the current one (DisplayTextAt)
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
  bool read_only_ = false;
  int disable_count_ = 0;
  TDataSetState disable_state_ = dsInactive;
  TDataEvent enable_event_ = deDataSetChange;
  bool destroying_ = false;
};

}  // namespace zor::plat
