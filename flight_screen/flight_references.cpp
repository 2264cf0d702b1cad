// Equipment, prefix, production shift and occupancy checks and lookups.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::Vd_Equipamento(bool) {}
void TfrmVoo::Vd_Prefixo() {}
void TfrmVoo::vd_Turno(bool) {}
void TfrmVoo::vd_Ocupacao() {}
void TfrmVoo::btnPesqEquipBeforePesq(TObject*, bool&) {}
void TfrmVoo::btnPesqEquipAfterPesq(TObject*) {}
void TfrmVoo::dbeSgEquipChange(TObject*) {}
void TfrmVoo::dbeSgEquipExit(TObject*) {}
void TfrmVoo::btnPesqPrefixoBeforePesq(TObject*, bool&) {}
void TfrmVoo::btnPesqPrefixoAfterPesq(TObject*) {}
void TfrmVoo::dbeSgPrefixoExit(TObject*) {}
void TfrmVoo::btpTurnoProdBeforePesq(TObject*, bool&) {}
void TfrmVoo::btpTurnoProdAfterPesq(TObject*) {}
void TfrmVoo::dbeTurnoProdChange(TObject*) {}
void TfrmVoo::dbeTurnoProdExit(TObject*) {}
void TfrmVoo::dbeDiasProducaoKeyPress(TObject*, char&) {}
void TfrmVoo::dbePercentOcupacaoKeyPress(TObject*, char&) {}
void TfrmVoo::dbePercentOcupacaoExit(TObject*) {}
