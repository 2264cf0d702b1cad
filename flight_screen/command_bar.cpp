// The command bar, the tabs and menus, and the mode rules that enable them.
// Not built yet: the handlers are bound by the form definition and do
// nothing beyond the base form's behaviour until this part is written.
#include "flight_screen/cli_zor12200.h"

using namespace plat;

void TfrmVoo::sbtIncluirClick(TObject*) {}
void TfrmVoo::sbtAlterarClick(TObject* Sender) { TfrmPadrao::sbtAlterarClick(Sender); }
void TfrmVoo::sbtExcluirClick(TObject*) {}
void TfrmVoo::sbtProcurarClick(TObject* Sender) { TfrmPadrao::sbtProcurarClick(Sender); }
void TfrmVoo::sbtVerificarClick(TObject*) {}
void TfrmVoo::sbtCancelarClick(TObject*) {}
void TfrmVoo::sbtConfirmarClick(TObject*) {}
void TfrmVoo::dtsPadraoStateChange(TObject* Sender) { TfrmPadrao::dtsPadraoStateChange(Sender); }
void TfrmVoo::dtsVooStateChange(TObject*) {}
void TfrmVoo::dtsVooDataChange(TObject*, TField*) {}
void TfrmVoo::dtsTrechoStateChange(TObject*) {}
void TfrmVoo::dtsTrechoDataChange(TObject*, TField*) {}
void TfrmVoo::dtsClasseVooStateChange(TObject*) {}
void TfrmVoo::pgcPadraoChange(TObject* Sender) { TfrmPadrao::pgcPadraoChange(Sender); }
void TfrmVoo::mnuFolhaDadosClick(TObject* Sender) { TfrmPadrao::mnuFolhaDadosClick(Sender); }
void TfrmVoo::mnuFormularioClick(TObject* Sender) { TfrmPadrao::mnuFormularioClick(Sender); }
void TfrmVoo::mnuConfigVooClick(TObject*) {}
void TfrmVoo::ControlaBotoes() {}
