// Leg validation, saving to the server, deletion, and the reload of its classes.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "data_access/server_methods.h"
#include "flight_screen/cli_zor12200.h"
#include "platform/library/consiste.h"

using namespace plat;

void TfrmVoo::cdstrechooNewRecord(TDataSet*) {}
void TfrmVoo::cdstrechooAfterInsert(TDataSet*) {}
void TfrmVoo::cdstrechooBeforePost(TDataSet*) {}
void TfrmVoo::cdstrechooAfterPost(TDataSet*) {}
void TfrmVoo::cdstrechooAfterCancel(TDataSet*) {}
void TfrmVoo::cdstrechooAfterDelete(TDataSet*) {}
// Every move to another leg (a new leg being inserted included, whose code
// is still empty) shows that leg's classes. No busy animation.
void TfrmVoo::cdstrechooAfterScroll(TDataSet*) {
  data_access::VooTrechoServer server(*netVooTrecho);
  cdsClasseVoo->SetData(Consiste::CheckResultServ(
      server.GetClasseVoo(medCdFilial->Text(), cdsVooCDCIA->AsString(), cdstrechooCDTRECHO->AsString(),
                          cdsVooNRVOO->AsString()),
      true, 0));
}
void TfrmVoo::cdstrechooPostError(TDataSet*, plat::EDatabaseError&, plat::TDataAction&) {}
void TfrmVoo::sbtExluTrechoClick(TObject*) {}
