// The demo data set: branches, companies, equipment, prefixes, Brazilian
// bases, classes, flight types, production shifts and, for the first
// company at the first branch, a few hundred flights with their legs and
// classes. The same data on every run (fixed pseudo-random sequence), so
// the protocol examples and the tests can rely on it.
#pragma once

#include "server/db_connection.h"

namespace zor::server {

struct DemoOptions {
  int flights = 300;  // flights of company 0001 at branch 0001 (at most 98999)
};

// Fills an empty database and returns true; leaves a database that already
// holds branches untouched and returns false. Needs the current schema.
bool LoadDemoData(Connection& c, const DemoOptions& options = {});

}  // namespace zor::server
