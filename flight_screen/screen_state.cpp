// The screen's exported state and its lifetime with the package.
#include "flight_screen/screen_state.h"

namespace zor::Cli_zor12200 {

TfrmVoo* frmVoo = nullptr;

bool boStCriado = false;
bool boShowModal = false;
bool boTrechoOk = false;
bool boActive = false;
bool boChecado = false;
std::string StLocalCriacao;
std::string stCdsOriginal;
plat::TForm* frmOrig = nullptr;
PrintHook OnImprimir = nullptr;

void ResetScreenStateOnLoad() {
  boStCriado = false;
  boShowModal = false;
  boTrechoOk = false;
}

void ClearScreenStateOnUnload() {
  StLocalCriacao.clear();
  stCdsOriginal.clear();
}

}  // namespace zor::Cli_zor12200
