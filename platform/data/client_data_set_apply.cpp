// The client dataset's send-then-merge-or-cancel of its change log.
#include "platform/data/client_data_set.h"

namespace zor::plat {

bool TClientDataSet::ApplyUpdates(const DeltaSender& send) {
  if (ChangeCount() <= 0) return false;
  try {
    send(Delta());
    if (LogChanges()) MergeChangeLog();
  } catch (...) {
    // What was refused or never arrived stays unsent: the edits are undone.
    CancelUpdates();
    throw;
  }
  return true;
}

}  // namespace zor::plat
