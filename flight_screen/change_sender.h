// Sending a dataset's pending changes to the application server, the one way
// flights, legs and classes are saved: the change log goes out as a delta
// under the busy indicator; on success it is merged (the dataset never keeps
// changes the server has accepted) and the local cache hears that the table
// changed; on failure the indicator goes away, the unsent changes are
// undone (so the dataset never keeps changes the server refused: a new row
// vanishes, a change is reverted, a deleted row comes back) and the error
// goes on to whatever posted or deleted.
#pragma once

#include <string>

#include "data_access/server_methods.h"

namespace plat {
class TClientDataSet;
class TNetConnection;
}  // namespace plat

using SaveMethod = plat::Variant (data_access::VooTrechoServer::*)(const plat::Variant& delta);

// Nothing is sent when `changes` has no pending change.
void SendPendingChanges(plat::TNetConnection& connection, plat::TClientDataSet& changes, SaveMethod method,
                        const std::string& table);
