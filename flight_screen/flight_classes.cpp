// The service classes of the current leg.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::dbgConfVooEditButtonClick(TObject*) {}
void TfrmVoo::cdsClasseVooBeforePost(TDataSet*) {}
void TfrmVoo::cdsClasseVooAfterPost(TDataSet*) {}
void TfrmVoo::cdsClasseVooAfterDelete(TDataSet*) {}
