// Grid colours by situation, the base lookup of the leg grid and the keys
// the grids keep from the person.
#include "flight_screen/cli_zor12200.h"
#include "platform/core/sysutils.h"
#include "platform/library/consiste.h"
#include "platform/library/pesquisa.h"

namespace zor::Cli_zor12200 {

using namespace plat;

namespace {

// Active rows in black, inactive in red, on the information background;
// a selected cell in the selection colours whatever the situation.
void PaintBySituation(TDBGrid& grid, const TRect& rect, TColumn* column, TGridDrawState state,
                      const char* situationField, bool clipped) {
  TCanvas& canvas = *grid.Canvas();
  TDataSet* data = grid.DataSet();
  TField* situation = data ? data->FindField(situationField) : nullptr;
  switch (situation ? StrToIntDef(situation->AsString(), 0) : 0) {
    case 1: canvas.Font.Color = clBlack; break;
    case 2: canvas.Font.Color = clRed; break;
    default: break;
  }
  canvas.Brush.Color = clInfoBk;
  canvas.FillRect(rect);
  if (state.Contains(gdSelected)) {
    canvas.Brush.Color = clHighlight;
    canvas.FillRect(rect);
    canvas.Font.Color = clCaptionText;
  }
  TField* field = column ? column->Field() : nullptr;
  const std::string text = field ? field->DisplayText() : std::string();
  if (clipped)
    canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, text);
  else
    canvas.TextOut(rect.Left + 2, rect.Top + 2, text);
  if (state.Contains(gdFocused)) canvas.DrawFocusRect(rect);
}

// The two coded columns change only through their pick lists.
bool IsCodedLegColumn(const TfrmVoo& form) {
  const TField* field = form.dbgVooTrecho->SelectedField();
  return field && (field == form.cdstrechooIDSITVOOTRE || field == form.cdstrechooIDTIPAJUSFAT);
}

}  // namespace

void TfrmVoo::dbgPadraoDrawColumnCell(TObject*, const plat::TRect& Rect, int, plat::TColumn* Column,
                                      plat::TGridDrawState State) {
  PaintBySituation(*dbgPadrao, Rect, Column, State, "IDSITVOO", false);
}

void TfrmVoo::dbgVooTrechoDrawColumnCell(TObject*, const plat::TRect& Rect, int, plat::TColumn* Column,
                                         plat::TGridDrawState State) {
  PaintBySituation(*dbgVooTrecho, Rect, Column, State, "IDSITVOOTRE", true);
}

// A double click anywhere, or the ellipsis of a base column, starts editing
// the leg; on a base column it offers every base and takes the one picked
// through the same checks as a typed abbreviation.
void TfrmVoo::dbgVooTrechoDblClick(TObject*) {
  TDataSource* source = dbgVooTrecho->DataSource();
  if (source && source->State() == dsBrowse) source->DataSet()->Edit();

  TField* selected = dbgVooTrecho->SelectedField();
  const bool origin = selected == cdstrechooSGBASEORI;
  if (!origin && selected != cdstrechooSGBASEDES) return;

  qryBase->Close();
  qryBase->ParamByName("P_SGBASE").Clear();
  qryBase->Open();
  if (!Pesquisa::Pesquisar(dtsBase, msgPadrao->Msg("BASE"), false, true)) return;
  const std::string code = qryBaseCDBASE->AsString();
  const std::string abbreviation = qryBase->FieldByName("SGBASE")->AsString();
  if (origin) {
    cdstrechooCDBASEORI->SetAsString(code);
    cdstrechooSGBASEORI->SetAsString(abbreviation);
    dbgVooTrecho->SetSelectedField(cdstrechooSGBASEORI);
    dbgVooTrecho->SetEditorMode(true);
  } else {
    cdstrechooCDBASEDES->SetAsString(code);
    cdstrechooSGBASEDES->SetAsString(abbreviation);
  }
}

// Legs are deleted with the delete button or command, never by the grid's
// own Ctrl+Delete; the coded columns cannot be emptied with Delete.
void TfrmVoo::dbgVooTrechoKeyDown(TObject*, Word& Key, TShiftState Shift) {
  if (Key == VK_DELETE && (Shift.Contains(ssCtrl) || IsCodedLegColumn(*this))) Key = 0;
}

void TfrmVoo::dbgVooTrechoKeyPress(TObject*, char& Key) {
  if (IsCodedLegColumn(*this)) Key = 0;
}

// Down and Tab in the flight list (or the class grid) must not append a
// flight: the flight list loses its editing option for them and whenever
// there is no flight, and gets it back with any other key.
void TfrmVoo::dbgPadraoKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  TfrmPadrao::dbgPadraoKeyDown(Sender, Key, Shift);
  if (Sender == dbgPadrao && Key == VK_DELETE && !Shift.Contains(ssCtrl) && FlightNumberLocked()) {
    Key = 0;
    Consiste::MensErroAbort(msgPadrao->Msg("NrVoo_Nao_Altera"));
  }
  TDBGridOptions options = dbgPadrao->Options();
  if (cdsVoo->IsEmpty() || Key == VK_DOWN || Key == VK_TAB)
    options.Exclude(dgEditing);
  else
    options.Include(dgEditing);
  dbgPadrao->SetOptions(options);
}

// A flight keeps its number: the number column takes keys only while a
// flight is being inserted. Anything else is refused at the first key, so
// no other number ever reaches the server as a change of this flight.
void TfrmVoo::dbgPadraoKeyPress(TObject*, char& Key) {
  if (Key != '\b' && static_cast<unsigned char>(Key) < 0x20) return;
  if (!FlightNumberLocked()) return;
  Key = 0;
  Consiste::MensErroAbort(msgPadrao->Msg("NrVoo_Nao_Altera"));
}

bool TfrmVoo::FlightNumberLocked() const {
  return dbgPadrao->SelectedField() == cdsVooNRVOO && cdsVoo->Active() && cdsVoo->State() != dsInsert;
}

}  // namespace zor::Cli_zor12200
