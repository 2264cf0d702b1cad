// Writing a delta of flights, legs or classes: the whole delta in one
// transaction, modified and deleted rows found by their key and compared,
// column by column in the form the server reads values in, with the values
// the desk loaded, so that a row another desk changed or removed meanwhile
// refuses the whole delta and nothing is written. A deleted flight takes
// its legs and classes with it, a deleted leg its classes.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "server/audit_trail.h"
#include "server/dataset_catalog.h"
#include "server/db_connection.h"
#include "server/packet.h"

namespace zor::server {

// A save refused for a reason the user should read (conflict, duplicate,
// value too long, missing parent). The message is shown unchanged.
class SaveRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// d is VooDataset(), TrechoDataset() or ClasseVooDataset(). Each row
// written is recorded on `audit` (when given) in the same transaction.
void ApplyDelta(Connection& c, const DatasetDef& d, const std::vector<Change>& changes,
                AuditRecorder* audit = nullptr);

// The same checks and writes as ApplyDelta, inside a transaction the
// caller holds (several deltas that must succeed or fail together).
void ApplyChangesInTransaction(Connection& c, const DatasetDef& d, const std::vector<Change>& changes,
                               AuditRecorder* audit = nullptr);

// Deletes every leg of one flight and the legs' classes, in one transaction.
void DeleteAllLegs(Connection& c, const std::string& filial, const std::string& cia, const std::string& voo,
                   AuditRecorder* audit = nullptr);

}  // namespace zor::server
