// The in-memory client dataset: filled whole from a data packet (Data),
// keeping a change log of the posts and deletes since the last load or
// merge, which it hands out as a delta for the server to apply.
//
// The change log holds one entry per changed record, in the order the
// records were first changed: a record inserted and then modified stays one
// insert with its latest values; inserted and then deleted leaves no entry;
// modified twice is one modify whose old values are the ones loaded;
// modified and then deleted is one delete with the loaded values. An edit
// posted without any value changed adds nothing to the log.
//
// Only changed records keep their loaded values (in their log entry), so
// the records are held once, a delta reads only the changed records and a
// merge only drops the log: both cost the changes, not the records loaded.
#pragma once

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/data/data_set.h"

namespace zor::plat {

class TClientDataSet : public TDataSet {
 public:
  explicit TClientDataSet(TComponent* owner = nullptr);

  // The posted records as a packet (a variant holding its JSON text); the
  // record being inserted and an edit not yet posted are left out.
  Variant Data() const;
  DataPacket DataAsPacket() const;
  // Replaces all records with the packet's rows and empties the change log:
  // the dataset closes (BeforeClose/AfterClose when open) and opens again
  // (BeforeOpen, AfterOpen, and AfterScroll on the first record when there
  // is one). A null variant leaves the dataset open and empty when it has
  // fields. A malformed packet raises EDatabaseError and leaves the dataset closed.
  // A variant no one else holds (a server call's result) gives its rows up
  // instead of having them copied.
  void SetData(const Variant& data);
  void SetData(Variant&& data);
  void SetData(DataPacket packet);

  // On by default. Off: posts and deletes become the base state at once.
  bool LogChanges() const { return log_changes_; }
  void SetLogChanges(bool v) { log_changes_ = v; }
  // Number of changed records in the log.
  int ChangeCount() const { return static_cast<int>(log_.size()); }
  // The change log as a delta (a variant holding its JSON text).
  Variant Delta() const;
  DeltaPacket DeltaAsPacket() const;
  // The current records become the base state; the log empties. A pending
  // edit or insert stays pending.
  void MergeChangeLog();
  // Cancels a pending edit or insert, then restores the records as they
  // were at the last load or merge and empties the log. The cursor stays on
  // the same record when it still exists.
  void CancelUpdates();

  // ---- sending the change log (client_data_set_apply.cpp) ----
  // What sends a delta to whoever stores it; it raises when the delta is not
  // accepted (a refusal, a lost connection).
  using DeltaSender = std::function<void(const Variant& delta)>;
  // Sends the pending changes through `send` and merges them once accepted,
  // so the dataset never keeps changes the receiver has accepted as pending;
  // when `send` raises, the pending changes are cancelled (CancelUpdates),
  // so it never keeps changes the receiver refused, and the error goes on.
  // Nothing is sent without pending changes. True when something was sent.
  bool ApplyUpdates(const DeltaSender& send);

  // Columns for CreateDataSet when no persistent fields are attached.
  std::vector<FieldDef>& FieldDefs() { return field_defs_; }
  // Opens empty over the persistent fields or FieldDefs (closing first).
  void CreateDataSet();
  // Removes every record and empties the log (not a change to send).
  void EmptyDataSet();

  Variant GetOldFieldValue(const TField* field) const override;

 protected:
  void InternalOpen() override;
  void InternalClose() override;
  void DataLoaded() override;
  void RecordPosted(const Record& record, bool inserted, const std::vector<Variant>& before) override;
  void RecordDeleted(const Record& record, int row) override;

 private:
  struct LogEntry {
    LogEntry(uint64_t id, ChangeKind kind, int row, std::vector<Variant> original = {})
        : Id(id), Kind(kind), Row(row), Original(std::move(original)) {}
    uint64_t Id;
    ChangeKind Kind;
    // Where the record was last seen (a hint: inserts and deletes move it).
    mutable int Row = 0;
    // Modify and delete: the record's values as loaded or last merged.
    std::vector<Variant> Original;
    // Delete: the record that followed it among the loaded ones (0: none),
    // before which CancelUpdates puts it back, and when it was deleted.
    uint64_t NextLoaded = 0;
    uint64_t DeletedAt = 0;
  };
  LogEntry* FindEntry(uint64_t id);
  const LogEntry* FindEntry(uint64_t id) const;
  std::vector<Variant> RowOf(const std::vector<Variant>& values) const;
  // The id of the first record from `row` on that was not inserted since
  // the last load or merge; 0 when none.
  uint64_t LoadedRecordFrom(int row) const;
  // A record leaves for good: deleted ones that were to go back before it
  // go back before the one that follows it.
  void ForgetRecord(uint64_t id, int row);
  // Undoes the logged changes on the records (CancelUpdates).
  static void RestoreLoadedRecords(std::vector<Record>& records, std::vector<LogEntry>& log);

  bool log_changes_ = true;
  std::vector<FieldDef> field_defs_;
  std::optional<DataPacket> loading_;
  bool create_empty_ = false;
  std::vector<LogEntry> log_;
  uint64_t deletions_ = 0;
};

}  // namespace zor::plat
