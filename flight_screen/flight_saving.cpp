// Flight validation, saving to the server, deletion, and the reload of its legs.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "data_access/server_methods.h"
#include "flight_screen/cli_zor12200.h"
#include "platform/library/consiste.h"

using namespace plat;

void TfrmVoo::vd_Voo(bool) {}
void TfrmVoo::dbeNrVooExit(TObject*) {}
void TfrmVoo::cdsVooAfterInsert(TDataSet*) {}
void TfrmVoo::cdsVooBeforePost(TDataSet*) {}
void TfrmVoo::cdsVooAfterPost(TDataSet*) {}
void TfrmVoo::cdsVooBeforeCancel(TDataSet*) {}
void TfrmVoo::cdsVooAfterCancel(TDataSet*) {}
void TfrmVoo::cdsVooAfterDelete(TDataSet*) {}
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
