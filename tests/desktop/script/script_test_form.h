// A small form the interpreter tests drive instead of the flight screen:
// a strip whose code refuses "XXXX" when left, a check box, a list-only
// combo box, a radio group, two pages (the change is refused while the
// code reads "TRAV"), speed buttons that ask, pick, search, show the busy
// indicator, fail, or end a modal run, a menu item, and a dataset of items
// shown in a data-aware edit and a grid with a pick-list column. The host
// opens it through Enter as the package's IniProc would.
#pragma once

#include <string>

#include "desktop/script/script_interpreter.h"
#include "platform/controls/check_box.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/containers.h"
#include "platform/controls/edit.h"
#include "platform/controls/mask_edit.h"
#include "platform/controls/menus.h"
#include "platform/controls/page_control.h"
#include "platform/controls/radio_group.h"
#include "platform/controls/speed_button.h"
#include "platform/data/client_data_set.h"
#include "platform/data/data_source.h"
#include "platform/data/field_types.h"
#include "platform/dbcontrols/db_edit.h"
#include "platform/dbcontrols/db_grid.h"
#include "platform/forms/form.h"

namespace zor::script::testing {

class TestForm : public plat::TForm {
 public:
  explicit TestForm(plat::TComponent* owner);

  plat::TPanel* panTop;
  plat::TMaskEdit* medCodigo;
  plat::TEdit* edtNome;
  plat::TCheckBox* ccbAtivo;
  plat::TComboBox* cbbTipo;
  plat::TRadioGroup* rdgSit;
  plat::TPageControl* pgcPaginas;
  plat::TTabSheet* tshUm;
  plat::TTabSheet* tshDois;
  plat::TSpeedButton* sbtPergunta;
  plat::TSpeedButton* sbtLista;
  plat::TSpeedButton* sbtBusca;
  plat::TSpeedButton* sbtOcupado;
  plat::TSpeedButton* sbtFalha;
  plat::TSpeedButton* sbtDesab;
  plat::TSpeedButton* sbtOk;
  plat::TMainMenu* mnuPrincipal;
  plat::TMenuItem* mnuItem;
  plat::TClientDataSet* cdsItens;
  plat::TStringField* cdsItensCODIGO;
  plat::TStringField* cdsItensNOME;
  plat::TStringField* cdsItensSIT;
  plat::TFloatField* cdsItensPRECO;
  plat::TDataSource* dtsItens;
  plat::TDBEdit* dbeNome;
  plat::TDBGrid* dbgItens;

  int checkClicks = 0;
  int menuClicks = 0;
  int ellipsisClicks = 0;
  int dblClicks = 0;
  int panTopExits = 0;
  std::string keys;  // the keys the form saw, as "down:CODE" / "press:CHAR" words

 private:
  template <typename T>
  T* Make(const std::string& name, plat::TWinControl* parent);
};

// Opens a TestForm as the package's entry point opens the screen: shown,
// or run modally when the dialog flag is set.
class TestHost : public ScriptHost {
 public:
  void Enter(const plat::Variant& argument) override;
  void Create(const std::string& place, const std::string& dataSetName, plat::TForm* caller) override;
  bool SetDialogFlags(bool showModal, bool legDialog, std::string& error) override;
  plat::TForm* ScreenForm() override;

  TestForm* form = nullptr;
  plat::Variant lastArgument;
  std::string place, dataSetName;
  plat::TForm* caller = nullptr;
  int entries = 0;
  bool showModal = false;
  bool legDialog = false;
  int modalResult = -1;
  bool exportsFlags = true;
};

}  // namespace zor::script::testing
