// Grid colours, the base lookup of the leg grid and its key filters.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::dbgPadraoDrawColumnCell(TObject*, const plat::TRect&, int, plat::TColumn*, plat::TGridDrawState) {}
void TfrmVoo::dbgVooTrechoDrawColumnCell(TObject*, const plat::TRect&, int, plat::TColumn*, plat::TGridDrawState) {}
void TfrmVoo::dbgVooTrechoDblClick(TObject*) {}
void TfrmVoo::dbgVooTrechoKeyDown(TObject*, Word&, TShiftState) {}
void TfrmVoo::dbgVooTrechoKeyPress(TObject*, char&) {}
void TfrmVoo::dbgPadraoKeyDown(TObject* Sender, Word& Key, TShiftState Shift) { TfrmPadrao::dbgPadraoKeyDown(Sender, Key, Shift); }
