// Flight validation, saving to the server, deletion, and the reload of its legs.
// Built so far: sending a deleted flight and reloading the legs of the
// current flight; validation and the saving of posted flights come next.
#include "data_access/server_methods.h"
#include "flight_screen/cli_zor12200.h"
#include "platform/forms/application.h"
#include "platform/library/consiste.h"
#include "platform/library/showavi.h"
#include "platform/library/vornia.h"

using namespace plat;

void TfrmVoo::vd_Voo(bool) {}
void TfrmVoo::dbeNrVooExit(TObject*) {}
void TfrmVoo::cdsVooAfterInsert(TDataSet*) {}
void TfrmVoo::cdsVooBeforePost(TDataSet*) {}
void TfrmVoo::cdsVooAfterPost(TDataSet*) {}
void TfrmVoo::cdsVooBeforeCancel(TDataSet*) {}
void TfrmVoo::cdsVooAfterCancel(TDataSet*) {}
// A deleted flight is sent at once: its legs were removed on the server
// just before, so a flight left undeleted there would stand without legs.
// On failure the deletion is undone locally and the error goes on.
void TfrmVoo::cdsVooAfterDelete(TDataSet*) {
  if (cdsVoo->ChangeCount() <= 0) return;
  Showavi::ActiveShowAvi(Application->MainForm(), 1);
  try {
    data_access::VooTrechoServer server(*netVooTrecho);
    Consiste::CheckResultServ(server.SetVoo(cdsVoo->Delta()), true, 0);
    Showavi::DeactiveShowAvi();
    if (cdsVoo->LogChanges()) cdsVoo->MergeChangeLog();
    Vornia::AtualizaLocalCache(VarArrayOf("VOO"));
  } catch (...) {
    Showavi::DeactiveShowAvi();
    cdsVoo->CancelUpdates();
    throw;
  }
}
// Every move to another flight shows that flight's legs as the server holds
// them. No busy animation and no catching: a failed load reaches whatever
// moved the flight.
void TfrmVoo::cdsVooAfterScroll(TDataSet*) {
  data_access::VooTrechoServer server(*netVooTrecho);
  cdstrechoo->SetData(Consiste::CheckResultServ(
      server.GetTrecho(cdsVooCDCIA->AsString(), cdsVooNRVOO->AsString(), medCdFilial->Text()), true, 0));
  // Loading legs loads the classes of the first one; a flight without legs
  // must not keep showing the classes of the flight left behind.
  if (cdstrechoo->IsEmpty()) cdstrechooAfterScroll(cdstrechoo);
  dtsPadraoStateChange(dtsPadrao);
  dtsClasseVooStateChange(dtsClasseVoo);
}
