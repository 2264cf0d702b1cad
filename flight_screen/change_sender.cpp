// Sending pending changes to the application server.
#include "flight_screen/change_sender.h"

#include "platform/data/client_data_set.h"
#include "platform/forms/application.h"
#include "platform/library/consiste.h"
#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

using namespace plat;

namespace {
constexpr int kSaveAnimation = 1;
}

void SendPendingChanges(TNetConnection& connection, TClientDataSet& changes, SaveMethod method,
                        const std::string& table) {
  if (changes.ChangeCount() <= 0) return;
  try {
    Showavi::BusyScope busy(Application->MainForm(), kSaveAnimation);
    data_access::VooTrechoServer server(connection);
    Consiste::CheckResultServ((server.*method)(changes.Delta()), true, 0);
    busy.Hide();
    if (changes.LogChanges()) changes.MergeChangeLog();
    Vornia::AtualizaLocalCache(VarArrayOf(table));
  } catch (...) {
    // What the server refused or never received stays unsent: the edits are undone.
    changes.CancelUpdates();
    throw;
  }
}
