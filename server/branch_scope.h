// Branch scoping of the data module's calls: a user reads and writes only
// the branches they may work in. A Get or SetDelTdsTrechos names its branch
// in an argument; a delta names it in every row, on the side as loaded and
// on the side as written, so a key-changing modify cannot move a row to a
// branch outside the user's. Any branch outside refuses the whole call.
#pragma once

#include <stdexcept>
#include <vector>

#include "server/caller.h"
#include "server/dataset_catalog.h"
#include "server/packet.h"

namespace zor::server {

class BranchRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void CheckBranch(const Caller& caller, const std::string& branch);
void CheckDeltaBranches(const Caller& caller, const DatasetDef& d, const std::vector<Change>& changes);

}  // namespace zor::server
