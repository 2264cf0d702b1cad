// TfrmPadrao: the base maintenance form. It carries the toolbar with the
// command buttons and their menu twins, the page control with the grid tab
// and the record tab, the navigator strip, the screen-code label and the
// two message tables; a screen derives from it, appends its own form
// definition and replaces handlers by binding the same names (calling the
// base handlers below explicitly when it wants their behaviour).
//
// Data-aware parts are extension points: the data source dtsPadrao, the
// grid dbgPadrao (inside scbFolhaDados) and the navigator dbnPadrao/dbtNome
// (inside panNavigator) are added by the layer that provides them through
// AddBaseDefinition, and the dataset operations of the Change and Find
// commands go through EditDataSet / SearchDataSet.
#pragma once

#include <functional>
#include <vector>

#include "platform/controls/containers.h"
#include "platform/controls/label.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/speed_button.h"
#include "platform/forms/form.h"
#include "platform/library/messages.h"

namespace plat {

class TfrmPadrao : public TForm {
 public:
  explicit TfrmPadrao(TComponent* owner = nullptr);

  std::vector<FormDefinitionSource> Definitions() const override;
  // A definition applied to every base maintenance form right after the
  // base's own (data sources, grid and navigator from the data-aware layer).
  static void AddBaseDefinition(FormDefinitionSource source);

  // ---- inherited components ----
  TLabel* lblCodTela = nullptr;
  TPanel* panMenu = nullptr;
  TSpeedButton* sbtIncluir = nullptr;
  TSpeedButton* sbtAlterar = nullptr;
  TSpeedButton* sbtExcluir = nullptr;
  TSpeedButton* sbtProcurar = nullptr;
  TSpeedButton* sbtVerificar = nullptr;
  TSpeedButton* sbtCancelar = nullptr;
  TSpeedButton* sbtConfirmar = nullptr;
  TSpeedButton* sbtImprimir = nullptr;
  TSpeedButton* sbtAjuda = nullptr;
  TSpeedButton* sbtFechar = nullptr;
  TMainMenu* mnuMenu = nullptr;
  TMenuItem* mnuOperacao = nullptr;
  TMenuItem* mnuFolhaDados = nullptr;
  TMenuItem* mnuFormulario = nullptr;
  TMenuItem* mnuEdicao = nullptr;
  TMenuItem* mnuIncluir = nullptr;
  TMenuItem* mnuAlterar = nullptr;
  TMenuItem* mnuExcluir = nullptr;
  TMenuItem* mnuProcurar = nullptr;
  TMenuItem* mnuVerificar = nullptr;
  TMenuItem* mnuCancelar = nullptr;
  TMenuItem* mnuConfirmar = nullptr;
  TPageControl* pgcPadrao = nullptr;
  TTabSheet* tshFolhaDados = nullptr;
  TPanel* panDbgPadrao = nullptr;
  TScrollBox* scbFolhaDados = nullptr;
  TTabSheet* tshFormulario = nullptr;
  TPanel* panFormulario = nullptr;
  TScrollBox* scbFormulario = nullptr;
  TPanel* panNavigator = nullptr;
  TMessages* msgPadrao = nullptr;
  TMessages* msgMensagensPadroes = nullptr;
  TPopupMenu* pmnNavegar = nullptr;

  // ---- base handlers (bound under these names) ----
  // Shows the grid tab with its menu item checked.
  void FormCreate(TObject* Sender);
  // Frees the form.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // No key handling of its own; present so screens can chain to it.
  void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  // Show their tab and check their menu item (radio items).
  void mnuFolhaDadosClick(TObject* Sender);
  void mnuFormularioClick(TObject* Sender);
  // Keeps the tab menu items checked like the active page.
  void pgcPadraoChange(TObject* Sender);
  // Reaction to a state change of dtsPadrao's dataset: none until the
  // data-aware layer gives the base one.
  void dtsPadraoStateChange(TObject* Sender);
  // Puts the dataset of dtsPadrao into edit (through EditDataSet).
  void sbtAlterarClick(TObject* Sender);
  // Searches the dataset of dtsPadrao (through SearchDataSet).
  void sbtProcurarClick(TObject* Sender);
  void sbtFecharClick(TObject* Sender);
  void dbgPadraoKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

  // Dataset operations of the base commands, wired by the data layer or the screen.
  std::function<void()> EditDataSet;
  std::function<void()> SearchDataSet;
};

}  // namespace plat
