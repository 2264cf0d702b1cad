// A stand-in for the screen package, loaded by the driver tests through
// dlopen as the real one is: it exports IniProc, CriaVoo and the globals
// the driver reads, and opens the test form as the screen. It shows what
// it received: the place in the caption, the caller's branch and flight in
// the strip, and the user's branch name from the host context.
#include <cstdint>
#include <string>

#include "platform/forms/application.h"
#include "platform/library/vornia.h"
#include "platform/data/client_data_set.h"
#include "script_test_form.h"

using zor::script::testing::TestForm;

TestForm* frmVoo = nullptr;
bool boStCriado = false;
bool boShowModal = false;
bool boTrechoOk = false;

extern "C" void CriaVoo(const std::string& place, const std::string& dataSetName, zor::plat::TForm* caller) {
  if (!boStCriado) {
    zor::plat::Application->CreateForm(frmVoo);
    boStCriado = true;
    frmVoo->OnClose = [](zor::plat::TObject*, zor::plat::TCloseAction& action) {
      boStCriado = boShowModal = boTrechoOk = false;
      action = zor::plat::caFree;
    };
  }
  frmVoo->SetCaption(place + (boTrechoOk ? " trecho" : ""));
  frmVoo->edtNome->SetText(zor::plat::Vornia::NomeFiliProc());
  if (caller) {
    frmVoo->medCodigo->SetText(dynamic_cast<zor::plat::TControl*>(caller->FindComponent("medFilial"))->Text());
    auto* cds = dynamic_cast<zor::plat::TDataSet*>(caller->FindComponent(dataSetName));
    frmVoo->edtNome->SetText(cds->FieldByName("SGCIA")->AsString() + "/" + cds->FieldByName("NRVOO")->AsString());
  }
  if (boShowModal)
    frmVoo->ShowModal();
  else
    frmVoo->Show();
}

extern "C" void IniProc(zor::plat::Variant value) {
  if (value.IsNull()) {
    CriaVoo("MENU", "", nullptr);
    return;
  }
  CriaVoo(value[0].AsString(), value[1].AsString(),
          reinterpret_cast<zor::plat::TForm*>(static_cast<intptr_t>(value[2].AsInteger())));
}
