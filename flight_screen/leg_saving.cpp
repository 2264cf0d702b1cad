// Leg validation, saving to the server, deletion, and the reload of its classes.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::cdstrechooNewRecord(TDataSet*) {}
void TfrmVoo::cdstrechooAfterInsert(TDataSet*) {}
void TfrmVoo::cdstrechooBeforePost(TDataSet*) {}
void TfrmVoo::cdstrechooAfterPost(TDataSet*) {}
void TfrmVoo::cdstrechooAfterCancel(TDataSet*) {}
void TfrmVoo::cdstrechooAfterDelete(TDataSet*) {}
void TfrmVoo::cdstrechooAfterScroll(TDataSet*) {}
void TfrmVoo::cdstrechooPostError(TDataSet*, plat::EDatabaseError&, plat::TDataAction&) {}
void TfrmVoo::sbtExluTrechoClick(TObject*) {}
