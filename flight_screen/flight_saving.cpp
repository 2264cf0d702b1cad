// Flight validation, saving to the server, deletion, and the reload of its legs.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::vd_Voo(bool) {}
void TfrmVoo::dbeNrVooExit(TObject*) {}
void TfrmVoo::cdsVooAfterInsert(TDataSet*) {}
void TfrmVoo::cdsVooBeforePost(TDataSet*) {}
void TfrmVoo::cdsVooAfterPost(TDataSet*) {}
void TfrmVoo::cdsVooBeforeCancel(TDataSet*) {}
void TfrmVoo::cdsVooAfterCancel(TDataSet*) {}
void TfrmVoo::cdsVooAfterDelete(TDataSet*) {}
void TfrmVoo::cdsVooAfterScroll(TDataSet*) {}
