// The audit trail: every accepted change to a flight, leg or class is
// written in the transaction that makes it, naming when, who, from which
// address, through which method, the table, the row's key, the kind of
// change and, for each changed column, its old and new value. Rows removed
// along with their parent (a flight's legs and classes) are recorded too.
// Read back by `zor12200-server audit` and by the session endpoint.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "server/caller.h"
#include "server/db_connection.h"

namespace zor::server {

enum class AuditKind { Insert, Modify, Remove };

// Writes the audit rows of one call; create one per call, inside or
// before its transaction (rows are written on the connection at once).
class AuditRecorder {
 public:
  AuditRecorder(Connection& c, const Caller& caller, std::string method);
  // The recorder keeps a reference to the caller: a temporary would dangle.
  AuditRecorder(Connection& c, const Caller&& caller, std::string method) = delete;

  // `columns`, `oldValues` and `newValues` run in parallel; a missing side
  // is null. Only columns whose values differ are recorded.
  void Record(const std::string& table, AuditKind kind, const std::vector<std::string>& columns,
              const std::vector<SqlValue>* oldValues, const std::vector<SqlValue>* newValues);
  // Records as deleted every row of `table` matching `where` (called just
  // before those rows are deleted).
  void RecordDeletion(const std::string& table, const std::string& where, const std::vector<SqlValue>& params);

 private:
  Connection& c_;
  const Caller& caller_;
  std::string method_, callId_, when_;
  std::int64_t micros_;
  int sequence_ = 0;
};

struct AuditFilter {
  std::optional<std::vector<std::string>> branches;  // set: only these branches
  std::string branch, company, flight;               // empty: any
  std::string since;                                 // "AAAA-MM-DD[THH:MM:SS]", UTC; empty: any
  int limit = 2000;                                  // the most recent entries
};

struct AuditColumn {
  std::string name;
  std::optional<std::string> oldValue, newValue;
};

struct AuditEntry {
  std::string when, user, address, method, table, key, kind;  // kind: "I", "A" or "E"
  std::string branch, company, flight;
  std::vector<AuditColumn> columns;
};

// Oldest first.
std::vector<AuditEntry> ReadAudit(Connection& c, const AuditFilter& filter);
// "inclusão", "alteração", "exclusão".
std::string AuditKindName(const std::string& kind);

}  // namespace zor::server
