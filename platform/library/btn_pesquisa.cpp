// The lookup button.
#include "platform/library/btn_pesquisa.h"

#include "platform/controls/edit.h"
#include "platform/core/platform_texts.h"
#include "platform/data/data_source.h"
#include "platform/library/consiste.h"
#include "platform/library/pesquisa.h"

namespace zor::plat {

TBtnPesquisa::TBtnPesquisa(TComponent* owner) : TSpeedButton(owner) {}

TBtnPesquisa::~TBtnPesquisa() {
  if (associate_) RemoveFreeNotification(associate_);
  if (data_source_) RemoveFreeNotification(data_source_);
}

void TBtnPesquisa::SetAssociate(TCustomEdit* edit) {
  if (edit == associate_) return;
  if (associate_) RemoveFreeNotification(associate_);
  associate_ = edit;
  if (associate_) FreeNotification(associate_);
}

void TBtnPesquisa::SetDataSource(TDataSource* source) {
  if (source == data_source_) return;
  if (data_source_) RemoveFreeNotification(data_source_);
  data_source_ = source;
  if (data_source_) FreeNotification(data_source_);
}

void TBtnPesquisa::Notification(TComponent* component, TOperation operation) {
  TSpeedButton::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == associate_) associate_ = nullptr;
  if (component == data_source_) data_source_ = nullptr;
}

void TBtnPesquisa::Click() {
  if (!Enabled()) return;
  TSpeedButton::Click();
  Execute();
}

bool TBtnPesquisa::Execute() {
  bool proceed = true;
  if (OnBeforePesq) OnBeforePesq(this, proceed);
  if (!proceed) return false;
  if (!Pesquisa::HasRecords(data_source_)) {
    Consiste::MensErro(empty_error_.empty() ? PlatformText("lookup.no_records") : empty_error_, false);
    Fire(OnCancelPesq, this);
    return false;
  }
  if (!Pesquisa::Pesquisar(data_source_, title_, false, true)) {
    Fire(OnCancelPesq, this);
    return false;
  }
  Fire(OnAfterPesq, this);
  return true;
}

}  // namespace zor::plat
