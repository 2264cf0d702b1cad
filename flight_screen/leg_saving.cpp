// The life of one leg of the current flight: the defaults of a new leg, the
// checks before a leg is accepted, the sending of every accepted insert,
// change or deletion to the server at once (then the leg list is shown again
// as the server holds it), the leg delete button, and the reload of the
// current leg's classes whenever the leg cursor moves.
#include <string>

#include "flight_screen/cli_zor12200.h"
#include "flight_screen/server_exchange.h"
#include "platform/data/db_engine_error.h"
#include "platform/library/consiste.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// Native code of the database error raised by the legs' own integrity
// rules; its entry carries the sentence meant for the user on its first line.
constexpr int kLegRuleError = 20002;

// The base code of an abbreviation as the base list holds it now; empty when
// no base has it (the field checks normally refused such an abbreviation).
std::string BaseCode(TfrmVoo& f, const std::string& abbreviation) {
  f.qryBase->Close();
  f.qryBase->ParamByName("P_SGBASE").SetAsString(abbreviation);
  f.qryBase->Open();
  return f.qryBase->IsEmpty() ? std::string() : f.qryBaseCDBASE->AsString();
}

}  // namespace

// A new leg belongs to the current flight; CDFILIAL is written at post time.
// Without a flight there is nothing a leg could belong to, so the insert is
// given up quietly (the dataset then stays as it was).
void TfrmVoo::cdstrechooNewRecord(TDataSet*) {
  if (!cdsVoo->Active() || cdsVoo->IsEmpty()) Abort();
  cdstrechooCDCIA->SetAsString(cdsVooCDCIA->AsString());
  cdstrechooNRVOO->SetAsString(cdsVooNRVOO->AsString());
  cdstrechooIDTIPAJUSFAT->SetAsString("1");  // current flight plan
  cdstrechooIDSITVOOTRE->SetAsString("1");   // active
}

// The flight goes into edit so that the leg's post posts the flight ahead of
// it: a new leg always belongs to a flight the server already has. Then the
// person starts with the origin. In this order the focus lands in the leg
// grid of the record tab, which the flight's edit brings to front; focused
// before, a grid of the page being left would give up the untouched new leg
// as it loses the focus.
void TfrmVoo::cdstrechooAfterInsert(TDataSet*) {
  if (cdsVoo->State() == dsBrowse) cdsVoo->Edit();
  cdstrechooSGBASEORI->FocusControl();
}

void TfrmVoo::cdstrechooBeforePost(TDataSet*) {
  cdstrechooCDFILIAL->SetAsString(medCdFilial->Text());
  cdstrechooCDCIA->SetAsString(cdsVooCDCIA->AsString());
  cdstrechooNRVOO->SetAsString(cdsVooNRVOO->AsString());

  if (Consiste::EmptyString(cdstrechooSGBASEORI->AsString())) {
    cdstrechooSGBASEORI->FocusControl();
    Consiste::MensErroAbort(msgPadrao->Msg("BaseOri_Null"));
  }
  if (Consiste::EmptyString(cdstrechooSGBASEDES->AsString())) {
    cdstrechooSGBASEDES->FocusControl();
    Consiste::MensErroAbort(msgPadrao->Msg("BaseDes_Null"));
  }
  // The landing time may stay empty; the take-off time may not.
  if (Consiste::EmptyString(cdstrechooHRDECOLVOO->AsString())) {
    cdstrechooHRDECOLVOO->FocusControl();
    Consiste::MensErroAbort(msgPadrao->Msg("HrDecol_Null"));
  }

  // A flight flies each origin-destination pair once. Only a new leg is
  // held to it: an existing leg keeps its stored pair as the server does.
  const std::string origin = BaseCode(*this, cdstrechooSGBASEORI->AsString());
  const std::string destination = BaseCode(*this, cdstrechooSGBASEDES->AsString());
  qryValidBase->Close();
  qryValidBase->ParamByName("P_CDFILIAL").SetAsString(cdstrechooCDFILIAL->AsString());
  qryValidBase->ParamByName("P_CDCIA").SetAsString(cdstrechooCDCIA->AsString());
  qryValidBase->ParamByName("P_NRVOO").SetAsString(cdstrechooNRVOO->AsString());
  qryValidBase->ParamByName("P_BASES").SetAsString(origin + destination);
  qryValidBase->Open();
  if (!qryValidBase->IsEmpty() && cdstrechoo->State() == dsInsert)
    Consiste::MensErroAbort(msgPadrao->Msg("Trecho_J_Cad"));

  // The flight goes first (its own checks and saving); its failure keeps
  // the leg unposted.
  if (dtsVoo->State() == dsEdit || dtsVoo->State() == dsInsert) cdsVoo->Post();
}

// Every accepted post is sent at once, then the legs are shown as the server
// holds them (a new leg gets its code there). A refused send undoes the
// local change and skips the reload.
void TfrmVoo::cdstrechooAfterPost(TDataSet*) { SaveLegsAndReload(*this); }

void TfrmVoo::cdstrechooAfterDelete(TDataSet*) { SaveChanges(*this, SavedData::Legs); }

// Nothing unsent may outlive a cancel, a deletion the server refused included.
void TfrmVoo::cdstrechooAfterCancel(TDataSet*) { cdstrechoo->CancelUpdates(); }

// Every move to another leg (a new leg being inserted included, whose code
// is still empty) shows that leg's classes.
void TfrmVoo::cdstrechooAfterScroll(TDataSet*) { FollowLeg(*this); }

// A leg rule broken in the database reports a technical message; its second
// entry holds the sentence for the person on its first line, which replaces
// it. The error itself still stops the post.
void TfrmVoo::cdstrechooPostError(TDataSet*, EDatabaseError& E, TDataAction&) {
  auto* engine = dynamic_cast<EDBEngineError*>(&E);
  if (!engine || engine->ErrorCount() < 2 || engine->Errors(1).NativeError != kLegRuleError) return;
  const std::string& text = engine->Errors(1).Message;
  const size_t lineFeed = text.find('\n');
  // A one-line entry is shown whole.
  E.SetMessage(lineFeed == std::string::npos ? text : text.substr(0, lineFeed));
}

// A flight must keep at least one leg. The legs are shown again as the
// server holds them afterwards, whether or not the deletion went through.
void TfrmVoo::sbtExluTrechoClick(TObject*) {
  // The reload that follows a deletion would throw away a flight or leg
  // still being typed.
  if (cdsVoo->Editing() || cdstrechoo->Editing())
    Consiste::MensErroAbort(msgPadrao->Msg("Trecho_Em_Edicao"));
  if (!cdstrechoo->Active() || cdstrechoo->IsEmpty()) Consiste::MensErroAbort(msgPadrao->Msg("Nao_Existe_Dados"));
  if (cdstrechoo->RecordCount() == 1) Consiste::MensErroAbort(msgPadrao->Msg("Trecho_Unico"));
  if (msgPadrao->ShowMsg("Excl_Trecho", MessageType::Confirmation, MessageButtons::YesNo, 0) != TMessages::kResultYes)
    return;
  DeleteLeg(*this);
}

}  // namespace zor::Cli_zor12200
