// The server's own checks of what it stores: every inserted row and every
// changed column must hold what the screen itself would accept (code
// domains, times of day, existing equipment, prefix, shift and bases,
// distinct bases, occupancy between 0 and 100, validity start not after its
// end), refused with the screen's own message texts. A value already stored
// and left unchanged is never refused, so rows written by other programs
// stay editable.
#pragma once

#include <functional>

#include "server/dataset_catalog.h"
#include "server/db_connection.h"
#include "server/packet.h"

namespace zor::server {

// Throws SaveRefused. Runs inside the delta's transaction (it reads the
// reference tables).
void CheckStoredValues(Connection& c, const DatasetDef& d, const Change& ch);

// CheckStoredValues in two steps: the checks that come before the lookups
// of stored rows run at once, and the lookups are asked (Connection::
// ReadAhead); the rest is judged when the verdict is called, in the same
// order, so that the lookups may travel with the caller's next read.
using StoredValuesVerdict = std::function<void()>;
StoredValuesVerdict AskStoredValues(Connection& c, const DatasetDef& d, const Change& ch);

}  // namespace zor::server
