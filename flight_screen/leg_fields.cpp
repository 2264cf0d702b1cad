// The leg record's times, coded texts and base checks.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::cdstrechooHRDECOLVOOGetText(TField*, std::string&, bool) {}
void TfrmVoo::cdstrechooHRDECOLVOOSetText(TField*, const std::string&) {}
void TfrmVoo::cdstrechooHRDECOLVOOValidate(TField*) {}
void TfrmVoo::cdstrechooHRPOUSOVOOGetText(TField*, std::string&, bool) {}
void TfrmVoo::cdstrechooHRPOUSOVOOSetText(TField*, const std::string&) {}
void TfrmVoo::cdstrechooHRPOUSOVOOValidate(TField*) {}
void TfrmVoo::cdstrechooIDTIPAJUSFATGetText(TField*, std::string&, bool) {}
void TfrmVoo::cdstrechooIDTIPAJUSFATSetText(TField*, const std::string&) {}
void TfrmVoo::cdstrechooIDSITVOOTREGetText(TField*, std::string&, bool) {}
void TfrmVoo::cdstrechooIDSITVOOTRESetText(TField*, const std::string&) {}
void TfrmVoo::cdstrechooSGBASEORIValidate(TField*) {}
void TfrmVoo::cdstrechooSGBASEDESValidate(TField*) {}
void TfrmVoo::cdstrechooCDBASEORIValidate(TField*) {}
void TfrmVoo::cdstrechooCDBASEDESValidate(TField*) {}
