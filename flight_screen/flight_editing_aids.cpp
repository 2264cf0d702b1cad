// Defaults of a new flight and the record tab's linked boxes and dates.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::cdsVooNewRecord(TDataSet*) {}
void TfrmVoo::ccbDiarioClick(TObject*) {}
void TfrmVoo::dcbSegClick(TObject*) {}
void TfrmVoo::ccbAbastClick(TObject*) {}
void TfrmVoo::ccbAtendClick(TObject*) {}
void TfrmVoo::dcbTipoChange(TObject*) {}
void TfrmVoo::depDtIniVigVooExit(TObject*) {}
void TfrmVoo::depDtFimVigVooExit(TObject*) {}
