// The interpreter tests' form and host (see script_test_form.h).
#include "script_test_form.h"

#include "platform/core/exceptions.h"
#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/ui/ui_port.h"

namespace zor::script::testing {

using namespace plat;

template <typename T>
T* TestForm::Make(const std::string& name, TWinControl* parent) {
  T* c = new T(this);
  c->SetName(name);
  if (parent) c->SetParent(parent);
  return c;
}

TestForm::TestForm(TComponent* owner) : TForm(owner) {
  SetName("frmTeste");
  SetCaption("Teste");
  SetKeyPreview(true);

  panTop = Make<TPanel>("panTop", this);
  panTop->OnExit = [this](TObject*) { ++panTopExits; };
  medCodigo = Make<TMaskEdit>("medCodigo", panTop);
  medCodigo->SetEditMask(">aaaa;0; ");
  medCodigo->OnExit = [this](TObject*) {
    if (medCodigo->Text() == "XXXX") {
      Ui().ShowError("Erro", "Código inválido.");
      Abort();
    }
  };
  edtNome = Make<TEdit>("edtNome", panTop);

  ccbAtivo = Make<TCheckBox>("ccbAtivo", this);
  ccbAtivo->OnClick = [this](TObject*) { ++checkClicks; };
  cbbTipo = Make<TComboBox>("cbbTipo", this);
  cbbTipo->SetStyle(csDropDownList);
  cbbTipo->Items().Add("Regular");
  cbbTipo->Items().Add("Extra");
  rdgSit = Make<TRadioGroup>("rdgSit", this);
  rdgSit->Items().Add("Ativo");
  rdgSit->Items().Add("Inativo");

  pgcPaginas = Make<TPageControl>("pgcPaginas", this);
  tshUm = Make<TTabSheet>("tshUm", nullptr);
  tshUm->SetCaption("&Um");
  tshUm->SetPageControl(pgcPaginas);
  tshDois = Make<TTabSheet>("tshDois", nullptr);
  tshDois->SetCaption("Dois");
  tshDois->SetPageControl(pgcPaginas);
  pgcPaginas->SetActivePage(tshUm);
  pgcPaginas->OnChanging = [this](TObject*, bool& allow) { allow = medCodigo->Text() != "TRAV"; };

  sbtPergunta = Make<TSpeedButton>("sbtPergunta", this);
  sbtPergunta->OnClick = [](TObject*) {
    bool yes = Ui().AskYesNo("Confirmação", "Confirma a operação?");
    Ui().ShowInfo("Aviso", yes ? "Operação confirmada." : "Operação cancelada.");
  };
  sbtLista = Make<TSpeedButton>("sbtLista", this);
  sbtLista->OnClick = [this](TObject*) {
    PickListRequest request;
    request.Title = "Filial";
    request.ColumnLabels = {"Código", "Nome"};
    request.Rows = {{"0001", "Guarulhos"}, {"0002", "Congonhas"}};
    if (auto row = Ui().PickRow(request)) edtNome->SetText(request.Rows[*row][1]);
  };
  sbtBusca = Make<TSpeedButton>("sbtBusca", this);
  sbtBusca->OnClick = [this](TObject*) {
    SearchRequest request;
    request.Title = "Procurar";
    request.FieldLabels = {"Código", "Nome"};
    request.FieldNames = {"CODIGO", "NOME"};
    if (auto answer = Ui().Search(request)) edtNome->SetText(answer->FieldName + "=" + answer->Value);
  };
  sbtOcupado = Make<TSpeedButton>("sbtOcupado", this);
  sbtOcupado->OnClick = [](TObject*) {
    Ui().ShowBusy(6);
    Ui().HideBusy();
  };
  sbtFalha = Make<TSpeedButton>("sbtFalha", this);
  sbtFalha->OnClick = [](TObject*) { throw Exception("Falha no servidor."); };
  sbtDesab = Make<TSpeedButton>("sbtDesab", this);
  sbtDesab->SetEnabled(false);
  sbtOk = Make<TSpeedButton>("sbtOk", this);
  sbtOk->OnClick = [this](TObject*) { SetModalResult(mrOk); };

  mnuPrincipal = new TMainMenu(this);
  mnuPrincipal->SetName("mnuPrincipal");
  mnuItem = new TMenuItem(this);
  mnuItem->SetName("mnuItem");
  mnuItem->SetCaption("&Item");
  mnuItem->OnClick = [this](TObject*) { ++menuClicks; };
  mnuPrincipal->Items()->Add(mnuItem);

  cdsItens = new TClientDataSet(this);
  cdsItens->SetName("cdsItens");
  auto field = [this](TStringField* f, const char* name, int size) {
    f->SetName(std::string("cdsItens") + name);
    f->SetFieldName(name);
    f->SetSize(size);
    f->SetDataSet(cdsItens);
    return f;
  };
  cdsItensCODIGO = field(new TStringField(this), "CODIGO", 4);
  cdsItensNOME = field(new TStringField(this), "NOME", 20);
  cdsItensSIT = field(new TStringField(this), "SIT", 1);
  cdsItensSIT->OnGetText = [](TField* f, std::string& text, bool) {
    text = f->AsString() == "1" ? "Ativo" : f->AsString() == "2" ? "Inativo" : f->AsString();
  };
  cdsItensSIT->OnSetText = [](TField* f, const std::string& text) { f->SetAsString(text == "Inativo" ? "2" : "1"); };
  cdsItensPRECO = new TFloatField(this);
  cdsItensPRECO->SetName("cdsItensPRECO");
  cdsItensPRECO->SetFieldName("PRECO");
  cdsItensPRECO->SetDataSet(cdsItens);
  dtsItens = new TDataSource(this);
  dtsItens->SetName("dtsItens");
  dtsItens->SetDataSet(cdsItens);

  dbeNome = Make<TDBEdit>("dbeNome", this);
  dbeNome->SetDataSource(dtsItens);
  dbeNome->SetDataField("NOME");
  dbgItens = Make<TDBGrid>("dbgItens", this);
  dbgItens->SetDataSource(dtsItens);
  for (const char* name : {"CODIGO", "NOME", "SIT"}) dbgItens->Columns().Add()->SetFieldName(name);
  dbgItens->Columns()[1]->SetButtonStyle(cbsEllipsis);
  dbgItens->Columns()[2]->PickList().Add("Ativo");
  dbgItens->Columns()[2]->PickList().Add("Inativo");
  dbgItens->OnEditButtonClick = [this](TObject*) { ++ellipsisClicks; };
  dbgItens->OnDblClick = [this](TObject*) { ++dblClicks; };

  OnKeyDown = [this](TObject*, Word& key, TShiftState shift) {
    keys += "down:" + std::to_string(key) + (shift.Contains(ssCtrl) ? "+ctrl" : "") + " ";
    if (key == VK_CANCEL && Modal()) SetModalResult(mrCancel);
  };
  OnKeyPress = [this](TObject*, char& key) { keys += std::string("press:") + key + " "; };

  DataPacket packet;
  packet.Fields = {{"CODIGO", FieldType::String, 4, 0},
                   {"NOME", FieldType::String, 20, 0},
                   {"SIT", FieldType::String, 1, 0},
                   {"PRECO", FieldType::Float, 0, 0}};
  packet.Rows = {{Variant("A1"), Variant("Parafuso"), Variant("1"), Variant(2.5)},
                 {Variant("B2"), Variant("Porca"), Variant("2"), Variant()},
                 {Variant("C3"), Variant("Arruela"), Variant("1"), Variant(0.75)}};
  cdsItens->SetData(packet);
}

void TestHost::Enter(const Variant& argument) {
  ++entries;
  lastArgument = argument;
  if (!form || !ScreenForm()) Application->CreateForm(form);
  if (showModal) {
    showModal = false;
    modalResult = form->ShowModal();
  } else {
    form->Show();
  }
}

void TestHost::Create(const std::string& p, const std::string& d, TForm* c) {
  place = p;
  dataSetName = d;
  caller = c;
  Enter(Variant(Variant::Array{Variant(p), Variant(d)}));
}

bool TestHost::SetDialogFlags(bool modal, bool leg, std::string& error) {
  if (!exportsFlags) {
    error = "o pacote não exporta boShowModal e boTrechoOk";
    return false;
  }
  showModal = modal;
  legDialog = leg;
  return true;
}

TForm* TestHost::ScreenForm() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) == form) return form;
  return nullptr;
}

}  // namespace zor::script::testing
